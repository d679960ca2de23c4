#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/Settings.h"

#include <QFileInfo>
#include <QLibraryInfo>

#include <exception>

// quorvel [FILE]: FILE, when it names a data file, opens its scenario as the
// open dialog would (this is how the desktop entry, "Open with" and a file
// manager reach the program).
int main(int argc, char** argv)
{
    quorvel::QuorvelApplication application(argc, argv);
    application.setFont(quorvel::JapaneseUiFont());
    // Without the translations the dialogs speak English; the program runs all the same.
    quorvel::InstallJapaneseQtTranslations(application, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    quorvel::WidgetDialogs dialogs;
    application.setErrorSink(&dialogs);
    try {
        const std::string settingsPath = quorvel::ChooseSettingsPath(
            QCoreApplication::applicationFilePath().toStdString(), quorvel::PlacesOfThisUser());
        quorvel::MainWindow window(settingsPath, dialogs);
        dialogs.setParent(&window);
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1)
            window.openDataFile(QFileInfo(arguments.at(1)).absoluteFilePath().toStdString());
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
