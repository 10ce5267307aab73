#include "engine/app_state.h"
#include "engine/main_menu_view_model.h"
#include "shell/floating_view.h"
#include "shell/floating_view_model.h"
#include "shell/floating_window.h"
#include "shell/main_menu_view.h"

#include "fakes/in_memory_user_defaults.h"
#include "fakes/manual_main_queue.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <gtest/gtest.h>

#include <cstdlib>

namespace brindlemoor {
namespace {

// Where the pictures go: $BRINDLEMOOR_SCREENSHOT_DIR, else screenshots/ at the top of the tree.
QString screenshotDirectory()
{
    const char* chosen = std::getenv("BRINDLEMOOR_SCREENSHOT_DIR");
    QString directory = chosen && *chosen ? QString::fromUtf8(chosen) : QStringLiteral(BRINDLEMOOR_SCREENSHOT_DIR);
    QDir().mkpath(directory);
    return directory;
}

void save(QWidget& widget, const QString& name)
{
    QApplication::processEvents();
    const QString path = QDir(screenshotDirectory()).filePath(name + ".png");
    QPixmap picture = widget.grab();
    ASSERT_FALSE(picture.isNull());
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_GT(QFileInfo(path).size(), 0);
}

TEST(Screenshots, FloatingWindowInEachStateAndTheOpenTrayMenu)
{
    fakes::ManualMainQueue queue;
    AppState state;
    FloatingViewModel model;
    FloatingWindow window(model, QRect(20, 20, 320, 80));
    auto* view = new FloatingView(model, state, [] { return std::nullopt; });
    window.setContentView(view);
    window.setLevel(FloatingWindow::kFloatingLevel);
    window.makeKeyAndOrderFront();

    state.setIsDictating(false);
    queue.runUntilIdle();
    save(window, "floating-window-not-dictating");

    view->setHovering(true);
    save(window, "floating-window-not-dictating-hover");
    view->setHovering(false);

    state.setIsDictating(true);
    model.isRecording.set(false);
    state.transcript.set("The quick brown fox jumps over the lazy dog.");
    queue.runUntilIdle();
    save(window, "floating-window-dictating-listening");

    model.isRecording.set(true);
    queue.runUntilIdle();
    save(window, "floating-window-dictating-recording");

    MainMenuViewModel menuModel;
    MainMenuView menuView(menuModel, state);
    queue.runUntilIdle();
    QMenu* menu = menuView.menu();
    menu->popup(QPoint(900, 0));
    save(*menu, "tray-menu-open");
    menu->hide();
    menuView.waitForBackgroundWork();
}

} // namespace
} // namespace brindlemoor

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    brindlemoor::fakes::InMemoryUserDefaults defaults;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
