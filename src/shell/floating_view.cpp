#include "shell/floating_view.h"

#include "engine/app_state.h"
#include "engine/notification_names.h"
#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "shell/floating_view_model.h"
#include "shell/symbol_image.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

#include <cmath>

namespace brindlemoor {
namespace {

const QColor kGray(0x8e, 0x8e, 0x93);
const QColor kOrange(0xff, 0x95, 0x00);

QString trimmedSpaces(const std::string& text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return QString();
    std::size_t last = text.find_last_not_of(' ');
    return QString::fromStdString(text.substr(first, last - first + 1));
}

// Runs `apply` on the main queue while the view lives.
template <typename Apply>
void onMainQueue(QWidget* view, Apply apply)
{
    QPointer<QWidget> guard(view);
    MainQueue::main().post([guard, apply = std::move(apply)] {
        if (guard)
            apply();
    });
}

} // namespace

FloatingView::FloatingView(FloatingViewModel& viewModel, AppState& appState, TargetIconProvider targetIcon,
                           QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), targetIconProvider_(std::move(targetIcon)), transcript_(new QLabel(this))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setFixedSize(320, 80);

    QFont transcriptFont = font();
    transcriptFont.setWeight(QFont::DemiBold);
    transcriptFont.setPointSizeF(transcriptFont.pointSizeF() * 0.85);
    transcript_->setFont(transcriptFont);
    transcript_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    transcript_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layOutTranscript();
    transcript_->setForegroundRole(QPalette::PlaceholderText);

    recordingPulse_.setInterval(200);
    connect(&recordingPulse_, &QTimer::timeout, this, [this] {
        pulsePhase_ = (pulsePhase_ + 1) % 5;
        update(waveformRect());
    });
    bounce_.setDuration(300);
    bounce_.setStartValue(0.0);
    bounce_.setEndValue(1.0);
    bounce_.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&bounce_, &QVariantAnimation::valueChanged, this, [this] { update(microphoneRect()); });

    dictatingSubscription_ = appState.subscribeIsDictating(
        [this](const bool& dictating) { onMainQueue(this, [this, dictating] { setDictating(dictating); }); });
    recordingSubscription_ = viewModel_.isRecording.subscribe(
        [this](const bool& recording) { onMainQueue(this, [this, recording] { setRecording(recording); }); });
    // The target is assigned after its change is announced: read it once the assignment is done.
    toggleSubscription_ = viewModel_.toggle.subscribe([this](const bool&) { onMainQueue(this, [this] { refreshTargetIcon(); }); });
    transcriptSubscription_ = appState.transcript.subscribe([this](const std::string& text) {
        QString trimmed = trimmedSpaces(text);
        onMainQueue(this, [this, trimmed] { transcript_->setText(trimmed); });
    });
}

QString FloatingView::statusText() const
{
    if (!isDictating_)
        return QString();
    return isRecording_ ? QStringLiteral("Recording...") : QStringLiteral("Listening...");
}

QColor FloatingView::microphoneColor() const
{
    if (!isDictating_)
        return kGray;
    QColor color = kOrange;
    color.setAlphaF(isHoveringOnMic_ ? 1.0 : 0.9);
    return color;
}

void FloatingView::setHovering(bool hovering)
{
    if (hovering == isHovering_)
        return;
    isHovering_ = hovering;
    update();
}

void FloatingView::setHoveringOnMic(bool hovering)
{
    if (hovering == isHoveringOnMic_)
        return;
    isHoveringOnMic_ = hovering;
    update(microphoneRect());
}

void FloatingView::setDictating(bool dictating)
{
    if (dictating != isDictating_)
        bounce_.start();
    isDictating_ = dictating;
    update();
}

void FloatingView::setRecording(bool recording)
{
    isRecording_ = recording;
    if (recording)
        recordingPulse_.start();
    else
        recordingPulse_.stop();
    pulsePhase_ = 0;
    update();
}

void FloatingView::refreshTargetIcon()
{
    targetIcon_ = QPixmap();
    if (targetIconProvider_)
        if (auto path = targetIconProvider_())
            targetIcon_ = QIcon(QString::fromStdString(*path)).pixmap(24, 24);
    layOutTranscript();
    update();
}

void FloatingView::layOutTranscript()
{
    // Under the status label, clear of the waveform.
    transcript_->setGeometry(statusRect().left(), 50, statusRect().width(), 22);
}

QRect FloatingView::targetIconRect() const
{
    const int width = targetIcon_.isNull() ? 0 : 24;
    return QRect(320 - 5 - width, 28, width, 24);
}

QRect FloatingView::waveformRect() const
{
    return QRect(targetIconRect().left() - 8 - 48, 20, 40, 40);
}

QRect FloatingView::statusRect() const
{
    return QRect(104, 22, waveformRect().left() - 8 - 104, 26);
}

void FloatingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(outline, palette().color(QPalette::Window));
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(outline);

    if (isHovering_)
        painter.drawPixmap(closeButtonRect(), SymbolImage::pixmap("xmark.circle.fill", 20, kGray));

    const double bounce = bounce_.state() == QAbstractAnimation::Running ? std::sin(bounce_.currentValue().toDouble() * M_PI) : 0;
    const int grow = static_cast<int>(std::lround(bounce * 4));
    painter.drawPixmap(microphoneRect().adjusted(-grow, -grow, grow, grow),
                       SymbolImage::pixmap("mic.circle.fill", 60, microphoneColor()));

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(statusRect(), Qt::AlignLeft | Qt::AlignVCenter, statusText());

    painter.save();
    double opacity = waveformOpacity();
    if (isRecording_)
        opacity *= 0.45 + 0.55 * std::abs(std::sin(pulsePhase_ * M_PI / 5));
    painter.setOpacity(opacity);
    painter.drawPixmap(waveformRect(), SymbolImage::pixmap("waveform", 40, kGray));
    painter.restore();

    if (!targetIcon_.isNull())
        painter.drawPixmap(targetIconRect(), targetIcon_);
}

void FloatingView::enterEvent(QEnterEvent* event)
{
    setHovering(true);
    setHoveringOnMic(microphoneRect().contains(event->position().toPoint()));
}

void FloatingView::leaveEvent(QEvent*)
{
    setHovering(false);
    setHoveringOnMic(false);
}

void FloatingView::mouseMoveEvent(QMouseEvent* event)
{
    setHoveringOnMic(microphoneRect().contains(event->position().toPoint()));
    event->ignore();
}

void FloatingView::mousePressEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::LeftButton && microphoneRect().contains(position)) {
        NotificationCenter::defaultCenter().post(std::string(notification_names::toggleDictation));
        return;
    }
    if (event->button() == Qt::LeftButton && isHovering_ && closeButtonRect().contains(position)) {
        viewModel_.closeWindow();
        return;
    }
    // Anything else moves the window.
    event->ignore();
}

} // namespace brindlemoor
