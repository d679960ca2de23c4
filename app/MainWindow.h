#pragma once

#include "app/History.h"
#include "app/UserDialogs.h"
#include "results/ResultsPanel.h"
#include "search/Commands.h"
#include "search/ScenarioFileList.h"

#include <QMainWindow>

#include <array>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QListView;
class QMenu;
class QMenuBar;
class QSplitter;
class QTreeView;

namespace quorvel {

class NameListModel;
class ResultTableModel;

// The main window: a menu bar, the list of names on the left, the result
// list on the right and a splitter between them.
class MainWindow : public QMainWindow {
public:
    // Reads the window's settings from `settingsPath`; dialogs and message
    // boxes go through `dialogs`.
    MainWindow(std::string settingsPath, UserDialogs& dialogs);
    ~MainWindow() override;

    // The menus and their actions; the commands' actions come from the command table.
    QMenu* fileMenu = nullptr;
    QMenu* checkMenu = nullptr;
    QMenu* searchMenu = nullptr;
    QAction* openAction = nullptr;
    QAction* historySeparator = nullptr;
    std::array<QAction*, 3> historyActions{};
    QAction* reloadAction = nullptr;
    // The action that runs the command of this quorvel-cli name; null when there is none.
    QAction* commandAction(const std::string& name) const;

    QListView* nameList = nullptr;  // the left list
    QSplitter* listSplitter = nullptr;
    QTreeView* resultList = nullptr;  // the right list
    ScenarioFileList scenarioFiles;   // the data files of the scenario folder
    OpenDialogState openDialog;

    // State the window owns.
    ResultsPanel results;
    std::string scenarioFile;  // the data file the scenario was chosen by; empty before
    std::string titleText;
    TargetWordTable targetWords;
    HistorySlots history;  // the three most recent scenarios

    // オープン: asks for a data file and opens its scenario.
    void openScenario();
    // Opens the scenario of a data file as if it had been chosen with オープン;
    // a path that is not an existing file is ignored, as the dialog ignores it.
    void openDataFile(const std::string& path);
    // A history item (0..2): opens that scenario again and moves it to the front.
    void openHistorySlot(int slot);
    void refreshHistoryMenu();
    // Runs a command as its menu item does: nothing while no scenario is chosen.
    void runCommand(const Command& command);
    // リロード: the last command again, with the same line selected.
    void reload();
    // The left list's current line changed.
    void showSelectedName();
    void sortByColumn(int column);
    // Clears the results and writes the settings; true when every value was written.
    bool saveSettingsOnClose();

    int leftListWidth() const;
    // Shows the panel's current state in the two lists (after a change made
    // outside the window's commands, such as a test's).
    void showResults();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A data file dropped onto the window opens its scenario.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildLists();
    void applySettings();
    void enterScenario(const std::string& dataFile);
    void setFolderCaption();
    void runFolderCommand(const Command& command);
    void runLinkSearch(const Command& command);
    // The lists stop showing the panel (announced to their views) while the
    // panel is cleared and filled, then show it again.
    void hideResults();

    std::string settingsPath_;
    UserDialogs& dialogs_;
    std::vector<std::pair<const Command*, QAction*>> commandActions_;
    NameListModel* nameModel_ = nullptr;
    ResultTableModel* resultModel_ = nullptr;
    bool closing_ = false;
    int paneLeft_ = 0;
};

// The window's font: the classic Japanese UI face where installed, else
// another Japanese face at the same 12-pixel height.
QFont JapaneseUiFont();

}  // namespace quorvel
