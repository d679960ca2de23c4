#pragma once

#include "app/History.h"
#include "app/UserDialogs.h"
#include "results/ResultsPanel.h"
#include "search/ScenarioFileList.h"

#include <QMainWindow>

#include <array>
#include <string>

class QAction;
class QListView;
class QMenu;
class QMenuBar;
class QSplitter;
class QTreeView;

namespace quorvel {

class LeftListModel;
class ResultTableModel;

// The main window: a menu bar, the list of names on the left, the result
// list on the right and a splitter between them.
class MainWindow : public QMainWindow {
public:
    // Reads the window's settings from `settingsPath`; dialogs and message
    // boxes go through `dialogs`.
    MainWindow(std::string settingsPath, UserDialogs& dialogs);
    ~MainWindow() override;

    // Components, named as the window's parts are known.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* N1 = nullptr;
    QMenu* N2 = nullptr;
    QMenu* N3 = nullptr;
    QAction* M_open = nullptr;
    QAction* M_bar = nullptr;
    std::array<QAction*, 3> M_rireki{};
    QAction* M_Cstart = nullptr;
    QAction* M_Cbrunch = nullptr;
    QAction* M_Cserif = nullptr;
    QAction* M_frag = nullptr;
    QAction* M_step = nullptr;
    QAction* M_coupon = nullptr;
    QAction* M_goship = nullptr;
    QAction* M_item = nullptr;
    QAction* M_skill = nullptr;
    QAction* M_info = nullptr;
    QAction* M_beast = nullptr;
    QAction* M_package = nullptr;
    QAction* M_area = nullptr;
    QAction* M_battle = nullptr;
    QAction* M_link = nullptr;
    QAction* M_wave = nullptr;
    QAction* M_renew = nullptr;
    QListView* ListBox = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeView* ListView = nullptr;
    ScenarioFileList FileListBox1;
    OpenDialogState OpenDialog1;

    // State the window owns.
    ResultsPanel Results;  // ResultIndex, ValueNameTable, SearchMode, ShownIndex, SortColumn
    std::string ScenarioFile;
    std::string TitleText;
    std::array<std::string, 6> TargetWords;  // Shift-JIS
    HistorySlots Rireki;

    // Handlers.
    void M_openClick();
    void M_rireki1Click() { openHistorySlot(0); }
    void M_rireki2Click() { openHistorySlot(1); }
    void M_rireki3Click() { openHistorySlot(2); }
    void RefreshHistoryMenu();
    void ListBoxClick();
    void ListViewColumnClick(int column);
    void M_renewClick();
    void M_CstartClick() { runCommand(StartContentCheck); }
    void M_CbrunchClick() { runCommand(BranchCheck); }
    void M_CserifClick() { runCommand(DialogueCouponCheck); }
    void M_fragClick() { runCommand(FlagSearch); }
    void M_stepClick() { runCommand(StepSearch); }
    void M_couponClick() { runCommand(CouponSearch); }
    void M_goshipClick() { runCommand(GossipSearch); }
    void M_itemClick() { runCommand(ItemSearch); }
    void M_skillClick() { runCommand(SkillSearch); }
    void M_infoClick() { runCommand(InfoSearch); }
    void M_beastClick() { runCommand(BeastSearch); }
    void M_packageClick() { runCommand(PackageSearch); }
    void M_areaClick() { runCommand(AreaSearch); }
    void M_battleClick() { runCommand(BattleSearch); }
    void M_linkClick();
    void M_waveClick() { runCommand(SoundSearch); }
    // Opens the scenario of a data file as if it had been chosen with オープン;
    // a path that is not an existing file is ignored, as the dialog ignores it.
    void openDataFile(const std::string& path);
    // Clears the results and writes the settings; true when every value was written.
    bool FormClose();

    int leftListWidth() const;
    // Shows the panel's current state in the two lists.
    void syncLists();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A data file dropped onto the window opens its scenario.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildLists();
    void applySettings();
    void openHistorySlot(int index);
    void enterScenario(const std::string& scenarioFile);
    void setFolderCaption();
    void enableBuiltCommands();
    // Runs the command of a SearchMode as its menu item does: nothing while
    // no scenario is chosen.
    void runCommand(int searchMode);
    QAction* actionOf(int searchMode) const;

    std::string settingsPath_;
    UserDialogs& dialogs_;
    LeftListModel* leftModel_ = nullptr;
    ResultTableModel* resultModel_ = nullptr;
    bool closing_ = false;
    int paneLeft_ = 0;
};

// The window's font: the classic Japanese UI face where installed, else
// another Japanese face at the same 12-pixel height.
QFont JapaneseUiFont();

}  // namespace quorvel
