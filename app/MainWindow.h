#pragma once

#include "app/History.h"
#include "app/UserDialogs.h"
#include "cli/JsonAnswer.h"
#include "results/ResultsPanel.h"
#include "search/Commands.h"
#include "search/ScenarioFileList.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QFileSystemWatcher;
class QLineEdit;
class QListView;
class QMenu;
class QSplitter;
class QTimer;
class QTreeView;

namespace quorvel {

class ListDelegate;
class NameFilterModel;
class NameListModel;
class ResultTableModel;

// The main window: a menu bar, the list of names on the left with its
// filter above it, the result list on the right, a splitter between them
// and a status line below.
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
    QAction* openAction = nullptr;        // Ctrl+O
    QAction* saveAction = nullptr;        // 結果を保存…
    QAction* autoReloadAction = nullptr;  // checkable
    QAction* historySeparator = nullptr;
    std::array<QAction*, 3> historyActions{};
    QAction* reloadAction = nullptr;  // F5
    QAction* copyAction = nullptr;    // Ctrl+C
    QAction* filterAction = nullptr;  // Ctrl+F
    // The action that runs the command of this quorvel-cli name; null when there is none.
    QAction* commandAction(const std::string& name) const;

    QLineEdit* filterField = nullptr;  // narrows the left list
    QListView* nameList = nullptr;     // the left list
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
    // The same for a file given from outside (the command line, a drop): a
    // path that does not exist, or a folder, is reported.
    void openGivenFile(const std::string& path);
    // A history item (0..2): opens that scenario again and moves it to the front.
    void openHistorySlot(int slot);
    void refreshHistoryMenu();
    // Runs a command as its menu item does: nothing while no scenario is chosen.
    void runCommand(const Command& command);
    // リロード: the last command again, with the same line selected.
    void reload();
    // The left list's current line changed.
    void showSelectedName();
    // A click on a result-list header.
    void sortByColumn(int column);
    // Ctrl+C: the selected rows of the result list, tab-separated under the
    // column titles, or the selected name when the left list was used last.
    void copySelection();
    // 結果を保存…: the answer as CSV or as quorvel-cli's JSON.
    void saveAnswer();
    // 自動リロード: run the last command again whenever the scenario's files change.
    void setAutoReload(bool on);
    // Clears the results and writes the settings; true when every value was written.
    bool saveSettingsOnClose();

    int leftListWidth() const;
    // Shows the panel's current state in the two lists (after a change made
    // outside the window's commands, such as a test's).
    void showResults();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc in the filter field clears it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A data file dropped onto the window opens its scenario.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildLists();
    void buildShortcuts();
    void applySettings();
    void enterScenario(const std::string& dataFile);
    void setFolderCaption();
    void runFolderCommand(const Command& command);
    void runLinkSearch(const Command& command);
    // Runs a command's work with the lists hidden, the busy cursor and its
    // messages kept; `run` tells whether the command completed.
    void runWithLists(const Command& command, const std::function<bool(SearchContext&)>& run);
    // The lists stop showing the panel (announced to their views) while the
    // panel is cleared and filled, then show it again.
    void hideResults();
    // Greys out what cannot run: commands before a scenario is open, リロード
    // and 結果を保存… before a command has run.
    void updateCommandStates();
    void showStatus(const Command& command, double seconds);
    int sourceLineOf(const QModelIndex& nameIndex) const;
    void selectLine(int line);
    // Watching the scenario folder for the author's edits.
    void watchScenario();
    void scenarioMayHaveChanged();
    void reloadAfterEdits();

    class CommandMessages;

    std::string settingsPath_;
    UserDialogs& dialogs_;
    std::vector<std::pair<const Command*, QAction*>> commandActions_;
    NameListModel* nameModel_ = nullptr;
    NameFilterModel* nameFilter_ = nullptr;
    ResultTableModel* resultModel_ = nullptr;
    ListDelegate* nameDelegate_ = nullptr;
    ListDelegate* resultDelegate_ = nullptr;
    // The answer's command and the messages it raised, for saving it as JSON.
    const Command* answerCommand_ = nullptr;
    MessageList answerMessages_;
    bool copyRows_ = false;  // the result list was used after the left list
    bool commandRunning_ = false;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settleTimer_ = nullptr;
    std::string scenarioState_;  // the scenario's files as the last command read them
    std::string openPathAtStart_;
    bool closing_ = false;
    int paneLeft_ = 0;
};

// The window's font: the classic Japanese UI face where installed, else
// another Japanese face at the same 12-pixel character height.
QFont JapaneseUiFont();

}  // namespace quorvel
