#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "base/Version.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>

#include <exception>
#include <iostream>

namespace {

// The window's options: --help and --version answer without a window.
struct WindowOptions {
    QString file;  // a data file to open at start-up
    bool answered = false;
    int status = 0;
};

WindowOptions parseOptions(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens the window; with FILE, a data file (*.wid, *.xml), a summary or an archive\n"
                       "(*.wsn, *.zip, *.cab, *.lzh), opens its scenario.\n"
                       "quorvel-cli runs the same commands without a window (quorvel-cli --help)."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help."));
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Print the version."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A data file, summary or archive whose scenario to open."),
                                 QStringLiteral("[FILE]"));
    WindowOptions options;
    if (!parser.parse(arguments)) {
        std::cerr << "quorvel: " << parser.errorText().toStdString() << "\n";
        return {{}, true, 2};
    }
    if (parser.isSet(help)) {
        // Without an application object the parser does not know the program's name.
        std::cout
            << parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("quorvel")).toStdString();
        return {{}, true, 0};
    }
    if (parser.isSet(version)) {
        std::cout << "quorvel " << quorvel::QuorvelVersion << "\n";
        return {{}, true, 0};
    }
    if (!parser.positionalArguments().isEmpty())
        options.file = parser.positionalArguments().front();
    return options;
}

}  // namespace

// quorvel [FILE]: FILE, when it names a data file, opens its scenario as the
// open dialog would (this is how the desktop entry, "Open with" and a file
// manager reach the program).
int main(int argc, char** argv)
{
    const WindowOptions options = parseOptions(argc, argv);
    if (options.answered)
        return options.status;
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
        if (!options.file.isEmpty())
            window.openGivenFile(QFileInfo(options.file).absoluteFilePath().toStdString());
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
