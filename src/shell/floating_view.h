#pragma once

#include "platform/cancellable.h"

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

namespace brindlemoor {

class AppState;
class FloatingViewModel;

// The content of the floating window: a close button shown on hover, the microphone button
// (grey while dictation is off, orange while on) that toggles dictation, "Recording..." or
// "Listening..." while dictating, a waveform, the icon of the chosen target application and
// the latest recognised sentence. Whatever is not a button moves the window.
class FloatingView final : public QWidget {
    Q_OBJECT

public:
    // The image file of the chosen target's application, when there is one.
    using TargetIconProvider = std::function<std::optional<std::string>()>;

    FloatingView(FloatingViewModel& viewModel, AppState& appState, TargetIconProvider targetIcon,
                 QWidget* parent = nullptr);

    bool isDictating() const { return isDictating_; }
    bool isHovering() const { return isHovering_; }
    bool isHoveringOnMic() const { return isHoveringOnMic_; }

    QString statusText() const;
    QColor microphoneColor() const;
    qreal closeButtonOpacity() const { return isHovering_ ? 1.0 : 0.0; }
    qreal waveformOpacity() const { return isDictating_ ? 1.0 : 0.2; }
    QString transcriptText() const { return transcript_->text(); }
    bool hasTargetIcon() const { return !targetIcon_.isNull(); }

    QRect closeButtonRect() const { return QRect(8, 10, 20, 20); }
    QRect microphoneRect() const { return QRect(36, 10, 60, 60); }

    // The pointer being over the view or the microphone, as hovering sets it.
    void setHovering(bool hovering);
    void setHoveringOnMic(bool hovering);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void setDictating(bool dictating);
    void setRecording(bool recording);
    void refreshTargetIcon();
    void layOutTranscript();
    QRect targetIconRect() const;
    QRect waveformRect() const;
    QRect statusRect() const;

    FloatingViewModel& viewModel_;
    TargetIconProvider targetIconProvider_;
    bool isDictating_ = false;
    bool isHovering_ = false;
    bool isHoveringOnMic_ = false;
    bool isRecording_ = false;
    QPixmap targetIcon_;
    QLabel* transcript_;
    QTimer recordingPulse_;
    int pulsePhase_ = 0;
    QVariantAnimation bounce_;
    Cancellable dictatingSubscription_;
    Cancellable recordingSubscription_;
    Cancellable toggleSubscription_;
    Cancellable transcriptSubscription_;
};

} // namespace brindlemoor
