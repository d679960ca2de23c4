#include "app/Mein.h"
#include "app/Settings.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace {

// Shows an error that escapes a command or an event and lets the window go on.
class QuorvelApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            QMessageBox::critical(activeWindow(), QStringLiteral("Quorvel"), QString::fromUtf8(error.what()));
        } catch (...) {
            QMessageBox::critical(activeWindow(), QStringLiteral("Quorvel"), QStringLiteral("unknown error"));
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QuorvelApplication application(argc, argv);
    application.setFont(quorvel::JapaneseUiFont());
    try {
        quorvel::WidgetDialogs dialogs;
        const std::string settingsPath =
            quorvel::SettingsPathFor(QCoreApplication::applicationFilePath().toStdString());
        quorvel::TForm1 window(settingsPath, dialogs);
        dialogs.setParent(&window);
        window.show();
        return application.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvel"), QString::fromUtf8(error.what()));
        return 1;
    }
}
