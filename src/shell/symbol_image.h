#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace brindlemoor {

// The application's own symbol images ("waveform", "mic.circle.fill", ...), drawn as SVG and
// tinted: one colour, like template images, so they suit light and dark panels alike.
class SymbolImage {
public:
    // Whether the application bundles a symbol of that name.
    static bool exists(const QString& name);
    // The symbol drawn into a square of `size` device-independent pixels in `tint`; a null
    // pixmap when there is no such symbol.
    static QPixmap pixmap(const QString& name, int size, const QColor& tint);
    // The symbol in the palette's text colour, for menus and the tray.
    static QIcon templateIcon(const QString& name, int size = 24);
    // The symbol in a middle grey that reads on light and dark panels alike, for the tray.
    static QIcon trayIcon(const QString& name, int size = 24);
    // A transparent square, for a menu item that shows no symbol.
    static QIcon blankIcon(int size = 24);
};

} // namespace brindlemoor
