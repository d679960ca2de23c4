// Opens a scenario in the real main window, runs the item search, selects
// the first name and saves a picture of the screen; with "open-dialog",
// pictures the window's open dialog instead.
//
// usage: quorvel-screenshot DATA_FILE OUTPUT.png [open-dialog]   (under an X server, e.g. xvfb-run)

#include "app/Application.h"
#include "app/MainWindow.h"
#include "scenario/FileSystem.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QListView>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <iostream>

namespace {

// Answers the open dialog with the file to show; messages go to standard error.
class ScriptedDialogs : public quorvel::UserDialogs {
public:
    explicit ScriptedDialogs(std::string file) : file_(std::move(file)) { }
    std::optional<std::string> chooseDataFile(const quorvel::OpenDialogState&) override { return file_; }
    std::optional<std::string> chooseFileInArchive(const std::string&, const std::vector<std::string>&) override
    {
        return std::nullopt;
    }
    std::optional<quorvel::SaveChoice> chooseAnswerFile(const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFolderToSearch(const std::string&) override { return std::nullopt; }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        std::cerr << caption << ": " << text << "\n";
    }

private:
    std::string file_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool openDialog = argc == 4 && std::string(argv[3]) == "open-dialog";
    if (argc != 3 && !openDialog) {
        std::cerr << "usage: quorvel-screenshot DATA_FILE OUTPUT.png [open-dialog]\n";
        return 2;
    }
    application.setFont(quorvel::JapaneseUiFont());
    quorvel::InstallJapaneseQtTranslations(application, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    ScriptedDialogs dialogs(argv[1]);
    const std::string settings = std::string(argv[2]) + ".ini";
    quorvel::MainWindow window(settings, dialogs);
    window.move(0, 0);
    window.show();
    window.findChild<QAction*>(QStringLiteral("open"))->trigger();
    window.findChild<QAction*>(QStringLiteral("item"))->trigger();
    auto* const names = window.findChild<QListView*>(QStringLiteral("nameList"));
    names->setCurrentIndex(names->model()->index(0, 0));
    emit window.findChild<QTreeView*>(QStringLiteral("resultList"))->header()->sectionClicked(2);

    const QString output = QString::fromLocal8Bit(argv[2]);
    if (openDialog) {
        quorvel::WidgetDialogs real(&window);
        bool saved = false;
        QTimer::singleShot(800, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            saved = dialog && dialog->grab().save(output, "PNG");
            if (dialog)
                dialog->close();
        });
        real.chooseDataFile({quorvel::FolderPart(argv[1]), {}});
        std::remove(settings.c_str());
        return saved ? 0 : 1;
    }
    QTimer::singleShot(500, [&] {
        const QPixmap shot = window.screen()->grabWindow(0, 0, 0, window.frameGeometry().width() + 20,
                                                         window.frameGeometry().height() + 20);
        const bool saved = shot.save(output, "PNG");
        std::remove(settings.c_str());
        application.exit(saved ? 0 : 1);
    });
    return application.exec();
}
