#include "shell/rounded_corners_window.h"

#include <QPainter>

namespace brindlemoor {

RoundedCornersWindow::RoundedCornersWindow(const QRect& contentRect) : QWidget(nullptr)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setGeometry(contentRect);
}

void RoundedCornersWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 128));
}

} // namespace brindlemoor
