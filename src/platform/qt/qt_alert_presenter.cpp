#include "platform/qt/qt_alert_presenter.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace brindlemoor {

namespace {

QMessageBox::Icon iconFor(AlertStyle style)
{
    switch (style) {
    case AlertStyle::informational:
        return QMessageBox::Information;
    case AlertStyle::critical:
        return QMessageBox::Critical;
    case AlertStyle::warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

ModalResponse QtAlertPresenter::runModal(const Alert& alert)
{
    QMessageBox box;
    box.setIcon(iconFor(alert.style));
    box.setText(QString::fromStdString(alert.messageText));
    box.setInformativeText(QString::fromStdString(alert.informativeText));
    std::vector<QAbstractButton*> buttons;
    const auto titles = alert.buttons.empty() ? std::vector<std::string>{"OK"} : alert.buttons;
    for (const auto& title : titles)
        buttons.push_back(box.addButton(QString::fromStdString(title), QMessageBox::AcceptRole));
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    // Escape or closing the window answers "Cancel" where there is one, else the first button:
    // the answers that open nothing.
    std::size_t escape = 0;
    for (std::size_t index = 0; index < titles.size(); ++index)
        if (titles[index] == "Cancel")
            escape = index;
    box.setEscapeButton(buttons[escape]);
    box.exec();
    for (std::size_t index = 0; index < buttons.size(); ++index)
        if (box.clickedButton() == buttons[index])
            return kAlertFirstButtonReturn + static_cast<ModalResponse>(index);
    return kAlertFirstButtonReturn + static_cast<ModalResponse>(escape);
}

} // namespace brindlemoor
