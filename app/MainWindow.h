#pragma once

#include "app/History.h"
#include "app/ListState.h"
#include "app/TextSearchBar.h"
#include "app/UserDialogs.h"
#include "results/Answer.h"
#include "search/Commands.h"
#include "search/ScenarioSource.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QFileSystemWatcher;
class QLabel;
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
// and a status line below. Its parts carry object names: the actions
// "open", "save", "autoReload", "history1".."history3", "quit", "reload",
// "copy", "filter" and one per command, named as quorvel-cli names it; the
// menus "fileMenu", "checkMenu", "searchMenu"; "filterField", "nameList",
// "resultList", "listSplitter"; the status line's "statusText" and
// "filterCount"; the action "text" and the text search's bar, "textBar".
class MainWindow : public QMainWindow {
public:
    // Reads the window's settings from `settingsPath`; dialogs and message
    // boxes go through `dialogs`.
    MainWindow(std::string settingsPath, UserDialogs& dialogs);
    ~MainWindow() override;

    // Opens the scenario of a file given from outside (the command line, a
    // drop) as if it had been chosen with オープン; a path that does not
    // exist, or a folder, is reported.
    void openGivenFile(const std::string& path);

    // What tests and tools read of the window's state.
    const Answer& answer() const { return answer_; }
    const ListState& lists() const { return lists_; }
    // The command whose answer is shown, which Reload runs again.
    SearchMode lastCommand() const { return lastCommand_; }
    // The file the scenario was chosen by; empty before one was.
    const std::string& scenarioFile() const { return scenarioFile_; }
    const HistorySlots& history() const { return history_; }
    // The open dialog as it was last shown, or will be shown next.
    const OpenDialogState& openDialog() const { return openDialog_; }

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

    // オープン: asks for a data file and opens its scenario.
    void openScenario();
    // Opens the scenario of a data file; a path that is not an existing
    // file is ignored, as the dialog ignores it.
    void openDataFile(const std::string& path);
    // A history item (0..2): opens that scenario again and moves it to the front.
    void openHistorySlot(int slot);
    void refreshHistoryMenu();
    void enterScenario(const std::string& dataFile);
    void setFolderCaption();

    // Who started a command: the user, whom its messages are shown to in
    // message boxes, or the automatic reload, which names the files it
    // could not read in the status line alone.
    enum class Started { ByUser, ByAutomaticReload };

    // Runs a command as its menu item does: nothing while no scenario is chosen.
    void runCommand(const Command& command);
    void runFolderCommand(const Command& command, Started started = Started::ByUser);
    void runLinkSearch(const Command& command);
    // The link search on a scenario in an archive: asks for one of its data files.
    void runLinkSearchInArchive(const Command& command);
    // Why the open scenario answers nothing: it cannot be read, or there is
    // none; nothing when it can be searched.
    std::optional<std::string> scenarioProblem() const;
    // The status line right after opening.
    std::string openedStatus() const;
    // Runs a command's work with the lists hidden, the busy cursor and its
    // messages kept; `run` tells whether the command completed.
    void runWithLists(const Command& command, const ScenarioSource& source, Started started,
                      const std::function<bool(SearchContext&)>& run);
    // リロード: the last command again, with the same line selected.
    void reload();
    // The command Reload runs: the last one run, the text search too.
    const Command* lastRunCommand() const;
    // The text search the bar asks for; a pattern that is wrong is a message.
    void runTextSearch(const TextSearchRequest& request);
    // The text search of the bar's last request, over the scenario or the folder searched.
    void runTextSearchAgain();
    // ファイル → フォルダを検索…: the text search then searches every scenario below the chosen folder.
    void chooseFolderToSearch();
    void runTextSearchBelowFolder();

    // The lists stop showing the answer (announced to their views) while it
    // is cleared and filled, then show it again.
    void hideResults();
    void showResults();
    // The left list's current line changed.
    void showSelectedName();
    void selectLine(int line);
    // The result columns fit what they show, each up to a cap; the first
    // rows a command shows do this, later ones keep the widths.
    void fitColumns();
    int sourceLineOf(const QModelIndex& nameIndex) const;
    // A click on a result-list header.
    void sortByColumn(int column);
    // Ctrl+C: the selected rows of the result list, tab-separated under the
    // column titles, or the selected name when the left list was used last.
    void copySelection();
    // 結果を保存…: the answer as CSV or as quorvel-cli's JSON.
    void saveAnswer();

    // Greys out what cannot run: commands before a scenario is open, リロード
    // and 結果を保存… before a command has run.
    void updateCommandStates();
    // The status line: what the last command found, until the next command.
    void showStatus(const Command& command, double seconds);
    void setStatus(const std::string& text, const std::string& tip = {});
    // How many names the filter lets through, while a filter is set.
    void updateFilterCount();

    // 自動リロード: run the last command again whenever the scenario's files change.
    void setAutoReload(bool on);
    void watchScenario();
    void scenarioMayHaveChanged();
    void reloadAfterEdits();

    // Clears the results and writes the settings; true when every value was written.
    bool saveSettingsOnClose();
    int leftListWidth() const;

    class CommandMessages;

    std::string settingsPath_;
    UserDialogs& dialogs_;

    // The menus, their actions and the lists.
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* autoReloadAction_ = nullptr;
    QAction* historySeparator_ = nullptr;
    std::array<QAction*, 3> historyActions_{};
    QAction* reloadAction_ = nullptr;
    std::vector<std::pair<const Command*, QAction*>> commandActions_;
    QLineEdit* filterField_ = nullptr;
    QListView* nameList_ = nullptr;
    QSplitter* listSplitter_ = nullptr;
    QTreeView* resultList_ = nullptr;
    NameListModel* nameModel_ = nullptr;
    NameFilterModel* nameFilter_ = nullptr;
    ResultTableModel* resultModel_ = nullptr;
    ListDelegate* nameDelegate_ = nullptr;
    ListDelegate* resultDelegate_ = nullptr;
    QLabel* statusText_ = nullptr;
    QLabel* filterCount_ = nullptr;
    TextSearchBar* textBar_ = nullptr;

    // The scenario and what the window shows of it.
    std::string scenarioFile_;
    std::unique_ptr<ScenarioSource> scenario_;
    OpenDialogState openDialog_;
    HistorySlots history_;
    TargetWordTable targetWords_;
    Answer answer_;
    ListState lists_{answer_};
    SearchMode lastCommand_ = SearchMode::None;
    // The answer's command and the messages it raised, for saving it as JSON.
    const Command* answerCommand_ = nullptr;
    std::optional<TextSearchCommand> textSearch_;  // the last text search
    bool cancelRequested_ = false;                 // Esc during a search that can be stopped
    bool closeAfterCommand_ = false;               // the window was closed while a command ran
    std::string searchedFolder_;                   // a folder whose scenarios the text search searches; empty: none
    MessageList answerMessages_;
    bool copyRows_ = false;  // the result list was used after the left list
    bool commandRunning_ = false;
    bool columnsFitted_ = false;

    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settleTimer_ = nullptr;
    std::string scenarioState_;  // the scenario's files as the last command read them
    std::string openPathAtStart_;
    std::string savePath_;  // the folder an answer was last saved to
    bool closing_ = false;
    int paneLeft_ = 0;
};

// The window's font: the classic Japanese UI face where installed, else
// another Japanese face at the same 12-pixel character height.
QFont JapaneseUiFont();

// The title of the window: "Quorvel <version> ".
std::string WindowTitleText();

}  // namespace quorvel
