#include "platform/qt/qt_pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace brindlemoor {

void QtPasteboard::clearContents()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtPasteboard::setString(const std::string& text)
{
    // Plain text alone: no rich-text or other representations that a target might prefer.
    auto* data = new QMimeData();
    data->setText(QString::fromStdString(text));
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}

std::optional<std::string> QtPasteboard::string() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText())
        return std::nullopt;
    return data->text().toStdString();
}

} // namespace brindlemoor
