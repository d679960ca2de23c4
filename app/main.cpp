#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/Settings.h"

#include <QFileInfo>
#include <QLibraryInfo>

#include <exception>
#include <iostream>
#include <string_view>

// quorvel [FILE]: FILE, when it names a data file, opens its scenario as the
// open dialog would (this is how the desktop entry, "Open with" and a file
// manager reach the program). --help and --version answer without a window.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << "usage: quorvel [FILE]\n\n"
                         "Opens the window; with FILE, a data file (*.wid), opens its scenario.\n"
                         "-h, --help      print this help\n"
                         "-V, --version   print the version\n\n"
                         "quorvel-cli runs the same commands without a window (quorvel-cli --help).\n";
            return 0;
        }
        if (argument == "--version" || argument == "-V") {
            std::cout << "quorvel " << QUORVEL_VERSION << "\n";
            return 0;
        }
    }
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
            window.openGivenFile(QFileInfo(arguments.at(1)).absoluteFilePath().toStdString());
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
