#include "fakes/in_memory_user_defaults.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Widgets need an application object; they are drawn off-screen, so no display is used.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    // The shared status menu and model read the preferences store when they are first used.
    brindlemoor::fakes::InMemoryUserDefaults defaults;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
