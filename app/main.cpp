#include "app/Application.h"
#include "app/Mein.h"
#include "app/Settings.h"

#include <exception>

int main(int argc, char** argv)
{
    quorvel::QuorvelApplication application(argc, argv);
    application.setFont(quorvel::JapaneseUiFont());
    quorvel::WidgetDialogs dialogs;
    application.setErrorSink(&dialogs);
    try {
        const std::string settingsPath =
            quorvel::SettingsPathFor(QCoreApplication::applicationFilePath().toStdString());
        quorvel::TForm1 window(settingsPath, dialogs);
        dialogs.setParent(&window);
        window.show();
        const int status = application.exec();
        dialogs.setParent(nullptr);
        return status;
    } catch (const std::exception& error) {
        // An error during start-up: shown, then the program ends.
        dialogs.showMessage(error.what(), quorvel::ErrorCaption);
        return 1;
    }
}
