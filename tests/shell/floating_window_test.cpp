#include "engine/app_state.h"
#include "engine/notification_names.h"
#include "platform/notification_center.h"
#include "platform/user_defaults.h"
#include "shell/floating_view.h"
#include "shell/floating_view_model.h"
#include "shell/floating_window.h"
#include "shell/floating_window_provider.h"

#include "fakes/manual_main_queue.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>

#include <unistd.h>

namespace brindlemoor {
namespace {

class Provider final : public FloatingWindowProvider {
public:
    FloatingWindow* window() const override { return window_; }
    void toggleFloating() override
    {
        ++toggles;
        window_->setLevel(window_->level() == FloatingWindow::kFloatingLevel ? FloatingWindow::kNormalLevel
                                                                             : FloatingWindow::kFloatingLevel);
    }
    FloatingWindow* window_ = nullptr;
    int toggles = 0;
};

class FloatingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UserDefaults::standard().remove("Main Window");
        window_ = std::make_unique<FloatingWindow>(model_, QRect(20, 20, 320, 80));
        provider_.window_ = window_.get();
        model_.setWindowProvider(&provider_);
    }

    fakes::ManualMainQueue queue_;
    FloatingViewModel model_;
    Provider provider_;
    std::unique_ptr<FloatingWindow> window_;
};

TEST_F(FloatingTest, RecordingStatusArrivesOnTheMainQueueOnlyAsABoolean)
{
    auto& center = NotificationCenter::defaultCenter();
    const std::string name(notification_names::didChangeRecordingStatus);
    center.post(name, {{"isRecording", true}});
    EXPECT_FALSE(model_.isRecording.get());
    queue_.runUntilIdle();
    EXPECT_TRUE(model_.isRecording.get());
    center.post(name, {});
    center.post(name, {{"isRecording", std::string("false")}});
    center.post(name, {{"isRecording", std::int64_t{0}}});
    queue_.runUntilIdle();
    EXPECT_TRUE(model_.isRecording.get());
}

TEST_F(FloatingTest, EveryTargetChangeFlipsTheToggle)
{
    const std::string name(notification_names::manualDictationTargetChanged);
    NotificationCenter::defaultCenter().post(name);
    EXPECT_TRUE(model_.toggle.get());
    NotificationCenter::defaultCenter().post(name);
    EXPECT_FALSE(model_.toggle.get());
}

TEST_F(FloatingTest, ClosingAFloatingWindowTwiceHidesItOnceAndLeavesTheLevelOnce)
{
    window_->setLevel(FloatingWindow::kFloatingLevel);
    window_->makeKeyAndOrderFront();
    model_.closeWindow();
    model_.closeWindow();
    EXPECT_TRUE(model_.isClosing());
    EXPECT_TRUE(window_->isVisible());
    queue_.runUntilIdle();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(model_.isClosing());
    EXPECT_EQ(provider_.toggles, 1);
    EXPECT_EQ(window_->level(), FloatingWindow::kNormalLevel);
}

TEST_F(FloatingTest, ClosingANormalWindowOnlyHidesIt)
{
    window_->makeKeyAndOrderFront();
    model_.closeWindow();
    queue_.runUntilIdle();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(provider_.toggles, 0);
}

TEST_F(FloatingTest, TheLevelDecidesWhetherTheWindowStaysOnTop)
{
    window_->makeKeyAndOrderFront();
    window_->setLevel(FloatingWindow::kFloatingLevel);
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window_->isVisible());
    window_->setLevel(FloatingWindow::kNormalLevel);
    EXPECT_FALSE(window_->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(window_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window_->size(), QSize(320, 80));
}

TEST_F(FloatingTest, ASavedFrameWinsOverTheCentredOneAndMovesAreSaved)
{
    window_->center();
    const QPoint centred = window_->pos();
    window_->setFrameAutosaveName("Main Window");
    queue_.runUntilIdle();
    EXPECT_EQ(UserDefaults::standard().string("Main Window"),
              FloatingWindow::frameText(QRect(centred, QSize(320, 80))));
    window_->makeKeyAndOrderFront();
    window_->move(40, 50);
    queue_.runUntilIdle();
    EXPECT_EQ(UserDefaults::standard().string("Main Window"), "40 50 320 80");

    FloatingWindow next(model_, QRect(20, 20, 320, 80));
    next.center();
    next.setFrameAutosaveName("Main Window");
    EXPECT_EQ(next.pos(), QPoint(40, 50));
}

TEST_F(FloatingTest, AFrameThatIsUnreadableOrOffEveryScreenIsNotRestored)
{
    for (const char* saved : {"garbage", "1 2 3", "1 2 0 80", "-90000 -90000 320 80"}) {
        UserDefaults::standard().setString("Main Window", saved);
        FloatingWindow next(model_, QRect(20, 20, 320, 80));
        next.center();
        const QPoint centred = next.pos();
        next.setFrameAutosaveName("Main Window");
        EXPECT_EQ(next.pos(), centred) << saved;
    }
}

class FloatingViewTest : public FloatingTest {
protected:
    void SetUp() override
    {
        FloatingTest::SetUp();
        state_.setIsDictating(false);
        view_ = std::make_unique<FloatingView>(model_, state_, [this] { return icon_; });
        queue_.runUntilIdle();
    }

    AppState state_;
    std::optional<std::string> icon_;
    std::unique_ptr<FloatingView> view_;
};

TEST_F(FloatingViewTest, TheLabelAndColoursFollowDictationAndRecording)
{
    EXPECT_EQ(view_->statusText(), "");
    EXPECT_EQ(view_->microphoneColor(), QColor(0x8e, 0x8e, 0x93));
    EXPECT_DOUBLE_EQ(view_->waveformOpacity(), 0.2);
    model_.isRecording.set(true);
    queue_.runUntilIdle();
    EXPECT_EQ(view_->statusText(), "");

    state_.setIsDictating(true);
    queue_.runUntilIdle();
    EXPECT_EQ(view_->statusText(), "Recording...");
    EXPECT_DOUBLE_EQ(view_->waveformOpacity(), 1.0);
    EXPECT_NEAR(view_->microphoneColor().alphaF(), 0.9, 0.01);
    view_->setHoveringOnMic(true);
    EXPECT_DOUBLE_EQ(view_->microphoneColor().alphaF(), 1.0);
    model_.isRecording.set(false);
    queue_.runUntilIdle();
    EXPECT_EQ(view_->statusText(), "Listening...");
}

TEST_F(FloatingViewTest, TheCloseButtonShowsOnlyWhileHovering)
{
    EXPECT_DOUBLE_EQ(view_->closeButtonOpacity(), 0.0);
    view_->setHovering(true);
    EXPECT_DOUBLE_EQ(view_->closeButtonOpacity(), 1.0);
}

TEST_F(FloatingViewTest, ShowsTheTrimmedTranscript)
{
    state_.transcript.set("  Hello there.  ");
    queue_.runUntilIdle();
    EXPECT_EQ(view_->transcriptText(), "Hello there.");
}

TEST_F(FloatingViewTest, TheMicrophoneButtonPostsTheToggleAndOtherClicksMoveTheWindow)
{
    int toggles = 0;
    auto observation = NotificationCenter::defaultCenter().observe(std::string(notification_names::toggleDictation),
                                                                   [&](const Notification&) { ++toggles; });
    const QPointF mic = view_->microphoneRect().center();
    QMouseEvent press(QEvent::MouseButtonPress, mic, view_->mapToGlobal(mic), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view_.get(), &press);
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(press.isAccepted());

    QMouseEvent background(QEvent::MouseButtonPress, QPointF(200, 70), QPointF(200, 70), Qt::LeftButton,
                           Qt::LeftButton, {});
    QCoreApplication::sendEvent(view_.get(), &background);
    EXPECT_EQ(toggles, 1);
    EXPECT_FALSE(background.isAccepted());
}

TEST_F(FloatingViewTest, TheTargetIconIsReadOnceTheTargetHasBeenAssigned)
{
    const QString path = QDir::temp().filePath(QStringLiteral("target-icon-%1.png").arg(getpid()));
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
    EXPECT_FALSE(view_->hasTargetIcon());
    // The change is announced before the new target is stored.
    model_.toggle.set(true);
    icon_ = path.toStdString();
    queue_.runUntilIdle();
    EXPECT_TRUE(view_->hasTargetIcon());
    icon_ = std::nullopt;
    model_.toggle.set(false);
    queue_.runUntilIdle();
    EXPECT_FALSE(view_->hasTargetIcon());
    QFile::remove(path);
}

} // namespace
} // namespace brindlemoor
