#include "shell/symbol_image.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

// The symbols live in the shell's static library, whose resources are registered by hand.
static void registerSymbolResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace brindlemoor {
namespace {

void ensureResources()
{
    static const bool registered = (registerSymbolResources(), true);
    static_cast<void>(registered);
}

QString resourcePath(const QString& name)
{
    ensureResources();
    return QStringLiteral(":/symbols/") + name + QStringLiteral(".svg");
}

qreal pixelRatio()
{
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

} // namespace

bool SymbolImage::exists(const QString& name)
{
    return QFile::exists(resourcePath(name));
}

QPixmap SymbolImage::pixmap(const QString& name, int size, const QColor& tint)
{
    QSvgRenderer renderer(resourcePath(name));
    if (!renderer.isValid())
        return QPixmap();
    const qreal ratio = pixelRatio();
    QPixmap image(QSize(size, size) * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    // Keep the drawing's coverage, take the tint's colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(0, 0, size, size), tint);
    return image;
}

QIcon SymbolImage::templateIcon(const QString& name, int size)
{
    const QColor tint = qApp ? QGuiApplication::palette().color(QPalette::WindowText) : QColor(Qt::black);
    QPixmap image = pixmap(name, size, tint);
    return image.isNull() ? QIcon() : QIcon(image);
}

QIcon SymbolImage::trayIcon(const QString& name, int size)
{
    QPixmap image = pixmap(name, size, QColor(0x8c, 0x8c, 0x8c));
    return image.isNull() ? QIcon() : QIcon(image);
}

QIcon SymbolImage::blankIcon(int size)
{
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    return QIcon(image);
}

} // namespace brindlemoor
