// A small Qt Widgets application for the delivery tests: a single-line and a multi-line text
// field, whose contents are written to <report>.entry and <report>.view at start and after
// every change.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString reportPath;

void writeReport(const QString& suffix, const QString& text)
{
    if (reportPath.isEmpty())
        return;
    QString path = reportPath + "." + suffix;
    QFile file(path + ".tmp");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(text.toUtf8());
    file.close();
    QFile::remove(path);
    QFile::rename(path + ".tmp", path);
}

} // namespace

int main(int argc, char** argv)
{
    // Read before Qt sees them: Qt takes "-title" as an option of its own.
    QString title = "Qt Editor", entryText, viewText, focus = "entry";
    int selectStart = -1, selectEnd = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (option == "--title")
            title = value;
        else if (option == "--entry")
            entryText = value;
        else if (option == "--view")
            viewText = value;
        else if (option == "--focus")
            focus = value;
        else if (option == "--report")
            reportPath = value;
        else if (option == "--select") {
            selectStart = value.section(':', 0, 0).toInt();
            selectEnd = value.section(':', 1, 1).toInt();
        }
    }
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    QWidget window;
    window.setWindowTitle(title);
    window.resize(400, 300);
    auto* layout = new QVBoxLayout(&window);
    auto* entry = new QLineEdit(entryText);
    auto* view = new QPlainTextEdit(viewText);
    layout->addWidget(entry);
    layout->addWidget(view);
    QObject::connect(entry, &QLineEdit::textChanged, [](const QString& text) { writeReport("entry", text); });
    QObject::connect(view, &QPlainTextEdit::textChanged, [view] { writeReport("view", view->toPlainText()); });
    writeReport("entry", entryText);
    writeReport("view", viewText);

    window.show();
    window.activateWindow();
    if (focus == "view") {
        view->setFocus();
        view->moveCursor(QTextCursor::End);
    } else {
        entry->setFocus();
        if (selectStart >= 0)
            entry->setSelection(selectStart, selectEnd - selectStart);
        else
            entry->end(false);
    }
    return application.exec();
}
