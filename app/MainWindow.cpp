#include "app/MainWindow.h"

#include "app/ResultModels.h"
#include "app/Settings.h"
#include "scenario/FileSystem.h"
#include "search/Commands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QHeaderView>
#include <QListView>
#include <QMenuBar>
#include <QSplitter>
#include <QTreeView>

#include <filesystem>

namespace quorvel {

namespace {

bool isVisibleFolder(const std::string& folder)
{
    std::error_code error;
    const std::filesystem::path path(folder);
    const std::string name = path.filename().string();
    return !folder.empty() && std::filesystem::is_directory(path, error) && !(name.size() > 1 && name[0] == '.');
}

// While a command runs: the busy cursor, and for a check the left list
// disabled; both restored however the command ends.
class CommandScope {
public:
    CommandScope(QWidget* leftList, bool disableLeftList) : leftList_(disableLeftList ? leftList : nullptr)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (leftList_)
            leftList_->setEnabled(false);
    }
    ~CommandScope()
    {
        if (leftList_)
            leftList_->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    QWidget* leftList_;
};

}  // namespace

QFont JapaneseUiFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAexGothic")});
    font.setPixelSize(12);
    return font;
}

MainWindow::MainWindow(std::string settingsPath, UserDialogs& dialogs)
    : settingsPath_(std::move(settingsPath)), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(JapaneseUiFont());
    setAcceptDrops(true);
    buildMenu();
    buildLists();
    Results.ShownIndex = -1;
    Results.index.setMode(TableMode::Unsorted);
    Results.valueNames.setMode(TableMode::Unsorted);
    ScenarioFile.clear();
    TitleText = "Quorvel 1.32 ";
    setWindowTitle(QString::fromStdString(TitleText));
    applySettings();
    TargetWords = DefaultTargetWords();
    Results.SortColumn = 0;
    Results.SearchMode = NoSearch;
    RefreshHistoryMenu();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };

    N1 = MainMenu1->addMenu(QStringLiteral("ファイル"));
    N1->setObjectName(QStringLiteral("N1"));
    M_open = item(N1, "M_open", "オープン");
    M_bar = separator(N1, "M_bar");
    for (int i = 0; i < 3; ++i) {
        M_rireki[i] = item(N1, ("M_rireki" + std::to_string(i + 1)).c_str(), "");
        M_rireki[i]->setVisible(false);
    }
    connect(M_open, &QAction::triggered, this, [this] { M_openClick(); });
    connect(M_rireki[0], &QAction::triggered, this, [this] { M_rireki1Click(); });
    connect(M_rireki[1], &QAction::triggered, this, [this] { M_rireki2Click(); });
    connect(M_rireki[2], &QAction::triggered, this, [this] { M_rireki3Click(); });

    N2 = MainMenu1->addMenu(QStringLiteral("チェック"));
    N2->setObjectName(QStringLiteral("N2"));
    M_Cstart = item(N2, "M_Cstart", "スタートコンテント");
    M_Cbrunch = item(N2, "M_Cbrunch", "分岐チェック");
    M_Cserif = item(N2, "M_Cserif", "台詞称号抜け");

    N3 = MainMenu1->addMenu(QStringLiteral("検索"));
    N3->setObjectName(QStringLiteral("N3"));
    M_frag = item(N3, "M_frag", "フラグ");
    M_step = item(N3, "M_step", "ステップ");
    separator(N3, "N6");
    M_coupon = item(N3, "M_coupon", "称号");
    M_goship = item(N3, "M_goship", "ゴシップ");
    separator(N3, "N5");
    M_item = item(N3, "M_item", "アイテム");
    M_skill = item(N3, "M_skill", "スキル");
    M_info = item(N3, "M_info", "情報");
    M_beast = item(N3, "M_beast", "召喚獣");
    separator(N3, "N4");
    M_package = item(N3, "M_package", "パッケージ");
    M_area = item(N3, "M_area", "エリア");
    M_battle = item(N3, "M_battle", "バトル");
    separator(N3, "N7");
    M_link = item(N3, "M_link", "リンク＊");
    separator(N3, "N8");
    M_wave = item(N3, "M_wave", "効果音");

    // Commands whose search has not been built yet stay visible but disabled.
    for (QAction* action : {M_Cstart, M_Cbrunch, M_Cserif, M_frag, M_step, M_coupon, M_goship, M_item, M_skill,
                            M_info, M_beast, M_package, M_area, M_battle, M_link, M_wave})
        action->setEnabled(false);
    enableBuiltCommands();

    M_renew = MainMenu1->addAction(QStringLiteral("リロード"));
    M_renew->setObjectName(QStringLiteral("M_renew"));
    connect(M_renew, &QAction::triggered, this, [this] { M_renewClick(); });
}

QAction* MainWindow::actionOf(int searchMode) const
{
    switch (searchMode) {
    case StartContentCheck: return M_Cstart;
    case BranchCheck: return M_Cbrunch;
    case FlagSearch: return M_frag;
    case StepSearch: return M_step;
    case ItemSearch: return M_item;
    case SkillSearch: return M_skill;
    case InfoSearch: return M_info;
    case BeastSearch: return M_beast;
    case CouponSearch: return M_coupon;
    case GossipSearch: return M_goship;
    case LinkSearch: return M_link;
    case DialogueCouponCheck: return M_Cserif;
    case PackageSearch: return M_package;
    case AreaSearch: return M_area;
    case BattleSearch: return M_battle;
    case SoundSearch: return M_wave;
    default: return nullptr;
    }
}

void MainWindow::enableBuiltCommands()
{
    for (const Command& command : Commands()) {
        QAction* action = actionOf(command.searchMode);
        action->setEnabled(true);
        const int mode = command.searchMode;
        if (command.runOnFile)
            connect(action, &QAction::triggered, this, [this] { M_linkClick(); });
        else
            connect(action, &QAction::triggered, this, [this, mode] { runCommand(mode); });
    }
}

void MainWindow::runCommand(int searchMode)
{
    const Command* command = FindCommand(searchMode);
    if (!command || !command->run || ScenarioFile.empty())
        return;
    const CommandScope scope(ListBox, command->isCheck);
    // The command starts by clearing the answer; the lists show that at once.
    Results.ClearResults();
    syncLists();
    SearchContext context{FileListBox1, Results, dialogs_, TargetWords};
    command->run(context);
    Results.SearchMode = command->searchMode;
    syncLists();
}

void MainWindow::M_linkClick()
{
    const Command* command = FindCommand(LinkSearch);
    if (!command || ScenarioFile.empty())
        return;
    OpenDialog1.fileName.clear();
    OpenDialog1.initialFolder = FolderPart(ScenarioFile);
    const std::optional<std::string> chosen = dialogs_.chooseDataFile(OpenDialog1);
    std::error_code error;
    if (!chosen || !std::filesystem::is_regular_file(*chosen, error))
        return;  // the previous answer stays
    const CommandScope scope(ListBox, false);
    Results.ClearResults();
    syncLists();
    SearchContext context{FileListBox1, Results, dialogs_, TargetWords};
    const bool completed = command->runOnFile(context, *chosen);
    OpenDialog1.fileName = ScenarioFile;
    if (completed)
        Results.SearchMode = LinkSearch;
    syncLists();
}

void MainWindow::buildLists()
{
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);

    ListBox = new QListView(Splitter1);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox->setUniformItemSizes(true);
    leftModel_ = new LeftListModel(Results, this);
    ListBox->setModel(leftModel_);
    connect(ListBox->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { ListBoxClick(); });

    ListView = new QTreeView(Splitter1);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setFocusPolicy(Qt::NoFocus);
    ListView->setSortingEnabled(false);
    resultModel_ = new ResultTableModel(Results, this);
    ListView->setModel(resultModel_);
    ListView->header()->setSectionsClickable(true);
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionsMovable(false);
    ListView->header()->setMinimumSectionSize(0);  // stored widths apply as they are
    connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int column) { ListViewColumnClick(column); });

    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    setCentralWidget(Splitter1);
}

void MainWindow::applySettings()
{
    const SettingsValues settings = LoadSettings(settingsPath_);
    move(settings.left, settings.top);
    resize(settings.width, settings.height);
    paneLeft_ = settings.paneLeft;
    Splitter1->setSizes({settings.paneLeft, std::max(0, settings.width - settings.paneLeft)});
    for (int column = 0; column < 7; ++column)
        ListView->header()->resizeSection(column, settings.columnWidths[static_cast<std::size_t>(column)]);
    OpenDialog1.initialFolder = settings.openPath;
    Rireki = settings.rireki;
}

int MainWindow::leftListWidth() const
{
    // Until the splitter has been laid out its sizes are not the ones set.
    return Splitter1->isVisible() ? Splitter1->sizes().value(0) : paneLeft_;
}

void MainWindow::RefreshHistoryMenu()
{
    bool anyShown = false;
    for (int slot = 2; slot >= 0; --slot) {
        QAction* item = M_rireki[static_cast<std::size_t>(slot)];
        const std::string& path = Rireki[static_cast<std::size_t>(slot)];
        if (path == EmptyHistorySlot) {
            item->setVisible(false);
            continue;
        }
        item->setText(QString::fromStdString(HistoryCaption(path)));
        item->setVisible(true);
        anyShown = true;
    }
    M_bar->setVisible(anyShown);
}

void MainWindow::setFolderCaption()
{
    setWindowTitle(QString::fromStdString(TitleText + "< " + FolderWithoutSeparator(ScenarioFile) + " >"));
}

void MainWindow::enterScenario(const std::string& scenarioFile)
{
    Results.ClearResults();
    syncLists();
    ScenarioFile = scenarioFile;
    setFolderCaption();
    FileListBox1.setFolder(FolderPart(ScenarioFile));
    Results.SearchMode = NoSearch;
}

void MainWindow::M_openClick()
{
    OpenDialog1.fileName.clear();
    if (!ScenarioFile.empty())
        OpenDialog1.initialFolder = FolderPart(ScenarioFile);
    if (const std::optional<std::string> chosen = dialogs_.chooseDataFile(OpenDialog1))
        openDataFile(*chosen);
}

void MainWindow::openDataFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    enterScenario(path);
    RecordOpenedFile(Rireki, ScenarioFile);
    RefreshHistoryMenu();
}

namespace {

// The first local file of a drag, if any.
std::optional<std::string> droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile().toStdString();
    return std::nullopt;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (const std::optional<std::string> file = droppedFile(event->mimeData())) {
        event->acceptProposedAction();
        openDataFile(*file);
    }
}

void MainWindow::openHistorySlot(int index)
{
    const std::string slot = Rireki[static_cast<std::size_t>(index)];
    if (!isVisibleFolder(FolderWithoutSeparator(slot))) {
        dialogs_.showMessage("フォルダがありません", "error");
        return;
    }
    OpenDialog1.initialFolder = FolderPart(slot);
    OpenDialog1.fileName.clear();
    enterScenario(slot);
    if (MoveSlotToFront(Rireki, index))
        RefreshHistoryMenu();
}

void MainWindow::syncLists()
{
    leftModel_->refresh();
    resultModel_->refresh();
    const int line = Results.selectedLine();
    if (line >= 0) {
        const QSignalBlocker quiet(ListBox->selectionModel());
        ListBox->setCurrentIndex(leftModel_->index(line));
    }
}

void MainWindow::ListBoxClick()
{
    const QModelIndex current = ListBox->currentIndex();
    const int before = Results.ShownIndex;
    Results.selectLine(current.isValid() ? current.row() : -1);
    if (Results.ShownIndex != before)
        resultModel_->refresh();
}

void MainWindow::ListViewColumnClick(int column)
{
    Results.ListViewColumnClick(column);
    resultModel_->refresh();
}

void MainWindow::M_renewClick()
{
    Results.Reload([this](int mode) {
        if (mode == LinkSearch || !FindCommand(mode))
            return false;
        runCommand(mode);
        return true;
    });
    syncLists();
}

bool MainWindow::FormClose()
{
    Results.ClearResults();
    syncLists();
    SettingsValues settings;
    settings.top = y();
    settings.left = x();
    settings.width = width();
    settings.height = height();
    settings.paneLeft = leftListWidth();
    for (int column = 0; column < 7; ++column)
        settings.columnWidths[static_cast<std::size_t>(column)] = ListView->header()->sectionSize(column);
    settings.openPath = FolderPart(ScenarioFile);
    settings.rireki = Rireki;
    if (SaveSettings(settingsPath_, settings))
        return true;
    // The window closes anyway: with a read-only program folder it could otherwise never close.
    dialogs_.showMessage(settingsPath_ + " に書き込めません", "Quorvel");
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        FormClose();
    }
    event->accept();
}

}  // namespace quorvel
