#include "shell/floating_window.h"

#include "platform/main_queue.h"
#include "platform/user_defaults.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <sstream>

namespace brindlemoor {

FloatingWindow::FloatingWindow(FloatingViewModel& viewModel, const QRect& contentRect)
    : QWidget(nullptr), viewModel_(viewModel)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Brindlemoor"));
    applyFlags();
    setGeometry(contentRect);
    setFixedSize(contentRect.size());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void FloatingWindow::applyFlags()
{
    const bool wasVisible = isVisible();
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (level_ == kFloatingLevel)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    // Changing the flags of a shown window hides it.
    if (wasVisible)
        show();
}

void FloatingWindow::setLevel(int level)
{
    if (level == level_)
        return;
    level_ = level;
    applyFlags();
}

void FloatingWindow::center()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

std::string FloatingWindow::frameKey(const QString& autosaveName)
{
    return autosaveName.toStdString();
}

std::string FloatingWindow::frameText(const QRect& frame)
{
    std::ostringstream text;
    text << frame.x() << ' ' << frame.y() << ' ' << frame.width() << ' ' << frame.height();
    return text.str();
}

std::optional<QRect> FloatingWindow::parseFrame(const std::string& text)
{
    std::istringstream fields(text);
    int x = 0, y = 0, width = 0, height = 0;
    std::string rest;
    if (!(fields >> x >> y >> width >> height) || (fields >> rest) || width <= 0 || height <= 0)
        return std::nullopt;
    return QRect(x, y, width, height);
}

void FloatingWindow::setFrameAutosaveName(const QString& name)
{
    autosaveName_ = name;
    if (name.isEmpty())
        return;
    if (auto saved = UserDefaults::standard().string(frameKey(name))) {
        if (auto frame = parseFrame(*saved)) {
            // The window keeps its size; a saved position outside every screen is not restored,
            // so the window cannot be lost off-screen.
            QRect restored(frame->topLeft(), size());
            for (QScreen* screen : QGuiApplication::screens())
                if (screen->geometry().intersects(restored)) {
                    move(restored.topLeft());
                    return;
                }
        }
    }
    scheduleFrameSave();
}

void FloatingWindow::setContentView(QWidget* view)
{
    while (QLayoutItem* item = layout()->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    layout()->addWidget(view);
}

void FloatingWindow::makeKeyAndOrderFront()
{
    show();
    raise();
}

void FloatingWindow::orderFrontRegardless()
{
    show();
    raise();
}

void FloatingWindow::orderOut()
{
    hide();
}

void FloatingWindow::setIgnoresMouseEvents(bool ignores)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, ignores);
}

void FloatingWindow::mousePressEvent(QMouseEvent* event)
{
    if (!movableByBackground_ || event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The window manager moves the window where it can; otherwise the window follows the pointer.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void FloatingWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - dragOffset_);
    else
        QWidget::mouseMoveEvent(event);
}

void FloatingWindow::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void FloatingWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    scheduleFrameSave();
}

void FloatingWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scheduleFrameSave();
}

void FloatingWindow::scheduleFrameSave()
{
    // A drag moves the window many times per frame; one save per turn of the event loop.
    if (autosaveName_.isEmpty() || frameSavePending_)
        return;
    frameSavePending_ = true;
    QPointer<FloatingWindow> window(this);
    MainQueue::main().post([window] {
        if (!window)
            return;
        window->frameSavePending_ = false;
        UserDefaults::standard().setString(frameKey(window->autosaveName_), frameText(window->geometry()));
    });
}

} // namespace brindlemoor
