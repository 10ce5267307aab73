#include "shell/message_box_update_presenter.h"

#include <QMessageBox>
#include <QString>

namespace brindlemoor {
namespace {

// Not modal for the whole application: the floating window and hot keys keep working.
void show(QMessageBox::Icon icon, const QString& richText, const QString& informative)
{
    auto* box = new QMessageBox(icon, QStringLiteral("Brindlemoor"), QString(), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::RichText);
    box->setTextInteractionFlags(Qt::TextBrowserInteraction);
    box->setText(richText);
    box->setInformativeText(informative.toHtmlEscaped());
    box->open();
}

} // namespace

void MessageBoxUpdatePresenter::showUpdateAvailable(const AppcastItem& item, const std::string& currentVersion)
{
    const QString link = QString::fromStdString(item.downloadLink).toHtmlEscaped();
    show(QMessageBox::Information,
         QStringLiteral("Brindlemoor %1 is available (you have %2).<br>Download it from <a href=\"%3\">%3</a>")
             .arg(QString::fromStdString(item.displayVersion).toHtmlEscaped(),
                  QString::fromStdString(currentVersion).toHtmlEscaped(), link),
         QString::fromStdString(item.title));
}

void MessageBoxUpdatePresenter::showUpToDate(const std::string& currentVersion)
{
    show(QMessageBox::Information, QStringLiteral("You're up to date."),
         QStringLiteral("Brindlemoor %1 is the newest version available.").arg(QString::fromStdString(currentVersion)));
}

void MessageBoxUpdatePresenter::showFailure(const std::string& message)
{
    show(QMessageBox::Warning, QStringLiteral("Update check failed."), QString::fromStdString(message));
}

} // namespace brindlemoor
