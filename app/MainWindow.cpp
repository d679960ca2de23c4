#include "app/MainWindow.h"

#include "app/CommandSummary.h"
#include "app/ListDelegate.h"
#include "app/NameFilterModel.h"
#include "app/ResultModels.h"
#include "app/ScenarioStatus.h"
#include "app/Settings.h"
#include "base/Version.h"
#include "results/CsvAnswer.h"
#include "results/JsonAnswer.h"
#include "scenario/FileSystem.h"
#include "search/ArchiveTree.h"
#include "search/FolderSource.h"
#include "search/ListedDataFile.h"
#include "search/Scenarios.h"
#include "search/ScenariosBelow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <chrono>
#include <filesystem>
#include <fstream>

// The window's resources live in a static library: they are registered by hand.
static void initWindowResources()
{
    Q_INIT_RESOURCE(quorvel);
}

namespace quorvel {

namespace {

// How long the scenario's files must rest before an automatic reload: an
// editor saving a scenario writes several files one after another.
constexpr int SettleMilliseconds = 500;

// The names, sizes and times of the scenario's files and folders, to tell
// whether any was written, added or removed since the last command read them.
std::string scenarioState(const ScenarioSource& scenario)
{
    std::string state;
    for (const std::string& path : scenario.watchedPaths()) {
        std::error_code error;
        const auto size = std::filesystem::is_regular_file(path, error) ? std::filesystem::file_size(path, error) : 0;
        const auto time = std::filesystem::last_write_time(path, error).time_since_epoch().count();
        state += path + '\n' + std::to_string(size) + '\n' + std::to_string(time) + '\n';
    }
    return state;
}

// Marks a command as running for as long as the object lives.
class Running {
public:
    explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
    ~Running() { flag_ = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    bool& flag_;
};

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
    CommandScope(QWidget* nameList, bool disableNameList) : nameList_(disableNameList ? nameList : nullptr)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (nameList_)
            nameList_->setEnabled(false);
    }
    ~CommandScope()
    {
        if (nameList_)
            nameList_->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    QWidget* nameList_;
};

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

// The messages of one command: kept for the status line and for saving the
// answer, and shown as they come unless the command runs quietly; the time
// their boxes stood open is counted apart.
class MainWindow::CommandMessages : public MessageSink {
public:
    CommandMessages(MessageSink& shown, bool quiet) : shown_(shown), quiet_(quiet) { }
    void report(const Message& message) override
    {
        messages.push_back(message);
        if (quiet_)
            return;
        const auto opened = std::chrono::steady_clock::now();
        shown_.report(message);
        waited += std::chrono::steady_clock::now() - opened;
    }
    MessageList messages;
    std::chrono::duration<double> waited{0};

private:
    MessageSink& shown_;
    bool quiet_;
};

QFont JapaneseUiFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
    font.setPixelSize(12);
    return font;
}

std::string WindowTitleText()
{
    return std::string("Quorvel ") + QuorvelVersion + " ";
}

MainWindow::MainWindow(std::string settingsPath, UserDialogs& dialogs)
    : settingsPath_(std::move(settingsPath)), dialogs_(dialogs), targetWords_(DefaultTargetWords())
{
    setObjectName(QStringLiteral("mainWindow"));
    setFont(JapaneseUiFont());
    initWindowResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/org.quorvel.Quorvel.svg")));
    setAcceptDrops(true);
    buildMenu();
    buildLists();
    buildShortcuts();
    statusBar()->setSizeGripEnabled(false);
    // Permanent widgets: a menu's status tips do not replace them.
    statusText_ = new QLabel(this);
    statusText_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addPermanentWidget(statusText_, 1);
    filterCount_ = new QLabel(this);
    filterCount_->setObjectName(QStringLiteral("filterCount"));
    filterCount_->setVisible(false);
    statusBar()->addPermanentWidget(filterCount_);
    setWindowTitle(QString::fromStdString(WindowTitleText()));
    applySettings();
    refreshHistoryMenu();
    updateCommandStates();

    watcher_ = new QFileSystemWatcher(this);
    settleTimer_ = new QTimer(this);
    settleTimer_->setSingleShot(true);
    settleTimer_->setInterval(SettleMilliseconds);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { scenarioMayHaveChanged(); });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { scenarioMayHaveChanged(); });
    connect(settleTimer_, &QTimer::timeout, this, [this] { reloadAfterEdits(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenu()
{
    QMenuBar* bar = menuBar();
    QMenu* fileMenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    openAction_ = fileMenu->addAction(QStringLiteral("オープン"));
    openAction_->setObjectName(QStringLiteral("open"));
    openAction_->setShortcut(QKeySequence::Open);
    connect(openAction_, &QAction::triggered, this, [this] { openScenario(); });
    QAction* folderAction = fileMenu->addAction(QStringLiteral("フォルダを検索…"));
    folderAction->setObjectName(QStringLiteral("searchFolder"));
    connect(folderAction, &QAction::triggered, this, [this] { chooseFolderToSearch(); });
    saveAction_ = fileMenu->addAction(QStringLiteral("結果を保存…"));
    saveAction_->setObjectName(QStringLiteral("save"));
    saveAction_->setShortcut(QKeySequence::Save);
    connect(saveAction_, &QAction::triggered, this, [this] { saveAnswer(); });
    autoReloadAction_ = fileMenu->addAction(QStringLiteral("自動リロード"));
    autoReloadAction_->setObjectName(QStringLiteral("autoReload"));
    autoReloadAction_->setCheckable(true);
    connect(autoReloadAction_, &QAction::toggled, this, [this](bool on) { setAutoReload(on); });
    historySeparator_ = fileMenu->addSeparator();
    for (std::size_t slot = 0; slot < historyActions_.size(); ++slot) {
        QAction* item = fileMenu->addAction(QString());
        item->setObjectName(QStringLiteral("history%1").arg(slot + 1));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, slot] { openHistorySlot(static_cast<int>(slot)); });
        historyActions_[slot] = item;
    }
    fileMenu->addSeparator();
    QAction* quitAction = fileMenu->addAction(QStringLiteral("終了"));
    quitAction->setObjectName(QStringLiteral("quit"));
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quitAction, &QAction::triggered, this, [this] { close(); });

    QMenu* checkMenu = bar->addMenu(QString::fromUtf8(MenuCaption(Menu::Check)) + QStringLiteral("(&C)"));
    checkMenu->setObjectName(QStringLiteral("checkMenu"));
    QMenu* searchMenu = bar->addMenu(QString::fromUtf8(MenuCaption(Menu::Search)) + QStringLiteral("(&S)"));
    searchMenu->setObjectName(QStringLiteral("searchMenu"));
    for (const Command& command : Commands()) {
        QMenu* menu = command.menu == Menu::Check ? checkMenu : searchMenu;
        if (command.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(QString::fromUtf8(command.caption));
        action->setObjectName(QString::fromUtf8(command.name));
        action->setShortcut(QKeySequence(QString::fromUtf8(command.shortcut)));
        connect(action, &QAction::triggered, this, [this, &command] { runCommand(command); });
        commandActions_.emplace_back(&command, action);
    }
    searchMenu->addSeparator();
    QAction* textAction = searchMenu->addAction(QStringLiteral("テキスト…"));
    textAction->setObjectName(QStringLiteral("text"));
    textAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    connect(textAction, &QAction::triggered, this, [this] { textBar_->focusPattern(); });

    reloadAction_ = bar->addAction(QStringLiteral("リロード"));
    reloadAction_->setObjectName(QStringLiteral("reload"));
    reloadAction_->setShortcut(QKeySequence(Qt::Key_F5));
    connect(reloadAction_, &QAction::triggered, this, [this] { reload(); });
}

void MainWindow::buildLists()
{
    listSplitter_ = new QSplitter(Qt::Horizontal, this);
    listSplitter_->setObjectName(QStringLiteral("listSplitter"));
    listSplitter_->setHandleWidth(3);
    listSplitter_->setChildrenCollapsible(false);

    auto* left = new QWidget(listSplitter_);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    filterField_ = new QLineEdit(left);
    filterField_->setObjectName(QStringLiteral("filterField"));
    filterField_->setClearButtonEnabled(true);
    filterField_->setPlaceholderText(QStringLiteral("名前で絞り込み (Ctrl+F)"));
    leftLayout->addWidget(filterField_);
    nameList_ = new QListView(left);
    nameList_->setObjectName(QStringLiteral("nameList"));
    nameList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    nameList_->setUniformItemSizes(true);
    // Wide enough for a check's longer lines.
    nameList_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("パッケージ: 2 使われない倉庫"))
                               + 2 * nameList_->frameWidth() + 8);
    leftLayout->addWidget(nameList_);
    nameModel_ = new NameListModel(answer_, lists_, this);
    nameFilter_ = new NameFilterModel(this);
    nameFilter_->setSourceModel(nameModel_);
    nameList_->setModel(nameFilter_);
    nameDelegate_ = new ListDelegate(-1, this);
    nameList_->setItemDelegate(nameDelegate_);
    connect(nameList_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        copyRows_ = false;
        showSelectedName();
    });
    connect(filterField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        nameFilter_->setFilterText(text);
        selectLine(lists_.selectedLine());
        updateFilterCount();
    });

    resultList_ = new QTreeView(listSplitter_);
    resultList_->setObjectName(QStringLiteral("resultList"));
    resultList_->setRootIsDecorated(false);
    resultList_->setItemsExpandable(false);
    resultList_->setUniformRowHeights(true);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultList_->setFocusPolicy(Qt::NoFocus);
    resultList_->setSortingEnabled(false);
    resultModel_ = new ResultTableModel(answer_, lists_, this);
    resultList_->setModel(resultModel_);
    resultDelegate_ = new ListDelegate(0, this);
    resultList_->setItemDelegate(resultDelegate_);
    connect(resultList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { copyRows_ = true; });
    QHeaderView* header = resultList_->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(true);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(0);  // stored widths apply as they are
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { sortByColumn(column); });

    listSplitter_->setStretchFactor(0, 0);
    listSplitter_->setStretchFactor(1, 1);

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    textBar_ = new TextSearchBar([this](const TextSearchRequest& request) { runTextSearch(request); }, central);
    textBar_->setObjectName(QStringLiteral("textBar"));
    textBar_->hide();
    centralLayout->addWidget(textBar_);
    listSplitter_->setParent(central);
    centralLayout->addWidget(listSplitter_, 1);
    setCentralWidget(central);
}

void MainWindow::buildShortcuts()
{
    auto* copyAction = new QAction(QStringLiteral("コピー"), this);
    copyAction->setObjectName(QStringLiteral("copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, [this] { copySelection(); });
    auto* filterAction = new QAction(QStringLiteral("絞り込み"), this);
    filterAction->setObjectName(QStringLiteral("filter"));
    filterAction->setShortcut(QKeySequence::Find);
    connect(filterAction, &QAction::triggered, this, [this] {
        filterField_->setFocus(Qt::ShortcutFocusReason);
        filterField_->selectAll();
    });
    auto* clearFilter = new QAction(this);
    clearFilter->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(clearFilter, &QAction::triggered, this, [this] {
        if (commandRunning_)
            cancelRequested_ = true;  // a search between scenarios: stop it
        else
            filterField_->clear();
    });
    addActions({copyAction, filterAction, clearFilter});
    filterField_->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == filterField_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (commandRunning_)
            cancelRequested_ = true;
        filterField_->clear();
        nameList_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::applySettings()
{
    const SettingsValues settings = LoadSettings(settingsPath_);
    move(settings.left, settings.top);
    resize(settings.width, settings.height);
    paneLeft_ = settings.paneLeft;
    listSplitter_->setSizes({settings.paneLeft, std::max(0, settings.width - settings.paneLeft)});
    for (int column = 0; column < ResultColumnCount; ++column)
        resultList_->header()->resizeSection(column, settings.columnWidths[static_cast<std::size_t>(column)]);
    openDialog_.initialFolder = settings.openPath;
    openPathAtStart_ = settings.openPath;
    history_ = settings.history;
    autoReloadAction_->setChecked(settings.autoReload);
    savePath_ = settings.savePath;
    TextSearchRequest text;
    text.options = TextOptionsOfWords(settings.textOptions);
    for (std::size_t field = 0; field < TextFieldCount; ++field)
        text.fields.set(field, !CommaListHolds(settings.textKindsOff, TextFieldWord(static_cast<TextField>(field))));
    textBar_->setRequest(text);
    textBar_->setRecentPatterns(settings.textPatterns);
}

int MainWindow::leftListWidth() const
{
    // Until the splitter has been laid out its sizes are not the ones set.
    return listSplitter_->isVisible() ? listSplitter_->sizes().value(0) : paneLeft_;
}

void MainWindow::hideResults()
{
    nameModel_->hide();
    resultModel_->hide();
}

void MainWindow::showResults()
{
    nameModel_->show();
    resultModel_->show();
    updateFilterCount();
    const int line = lists_.selectedLine();
    if (line >= 0) {
        const QSignalBlocker quiet(nameList_->selectionModel());
        nameList_->setCurrentIndex(nameFilter_->mapFromSource(nameModel_->index(line)));
    }
    updateCommandStates();
}

void MainWindow::updateCommandStates()
{
    const bool open = !scenarioFile_.empty();
    for (const auto& [command, action] : commandActions_)
        action->setEnabled(open);
    const Command* last = lastRunCommand();
    const bool folderSearched = last && last->searchMode == SearchMode::TextSearch && !searchedFolder_.empty();
    reloadAction_->setEnabled((open || folderSearched) && last && last->run);
    saveAction_->setEnabled(answerCommand_ != nullptr);
}

void MainWindow::runCommand(const Command& command)
{
    if (scenarioFile_.empty())
        return;
    if (command.runOnFile)
        runLinkSearch(command);
    else
        runFolderCommand(command);
    showResults();
}

void MainWindow::runFolderCommand(const Command& command, Started started)
{
    runWithLists(command, *scenario_, started, [&](SearchContext& context) {
        scenario_->refresh();  // files may have been added or removed since the last command
        scenarioState_ = scenarioState(*scenario_);
        return RunCommand(command, context);
    });
    if (const std::optional<std::string> problem = scenarioProblem())
        setStatus(*problem);  // never "nothing found" for what could not be read
    watchScenario();          // files written anew, added or removed need watching again
}

std::optional<std::string> MainWindow::scenarioProblem() const
{
    return ScenarioProblem(*scenario_);
}

void MainWindow::runLinkSearch(const Command& command)
{
    if (IsArchiveName(scenarioFile_)) {
        runLinkSearchInArchive(command);
        return;
    }
    openDialog_.fileName.clear();
    openDialog_.initialFolder = FolderPart(scenarioFile_);
    OpenDialogState dialog = openDialog_;
    dialog.filter = DataFilesFilter;
    const std::optional<std::string> chosen = dialogs_.chooseDataFile(dialog);
    std::error_code error;
    if (!chosen || !std::filesystem::is_regular_file(*chosen, error))
        return;  // the previous answer stays
    const DataFileOnDisk file(*chosen);
    runWithLists(command, file, Started::ByUser, [&](SearchContext& context) { return RunCommand(command, context); });
    openDialog_.fileName = scenarioFile_;
}

void MainWindow::runLinkSearchInArchive(const Command& command)
{
    scenario_->refresh();
    if (scenarioProblem()) {
        runFolderCommand(command);  // says why there is nothing to pick from
        return;
    }
    const std::optional<std::string> chosen
        = dialogs_.chooseFileInArchive(FileNamePart(scenarioFile_), scenario_->dataFiles(EveryFileKind));
    if (!chosen || !ListsDataFile(*scenario_, *chosen))
        return;  // the previous answer stays
    const ListedDataFile file(*scenario_, *chosen);
    runWithLists(command, file, Started::ByUser, [&](SearchContext& context) { return RunCommand(command, context); });
}

void MainWindow::runWithLists(const Command& command, const ScenarioSource& source, Started started,
                              const std::function<bool(SearchContext&)>& run)
{
    const Running running(commandRunning_);
    const CommandScope scope(nameList_, command.isCheck());
    const auto start = std::chrono::steady_clock::now();
    hideResults();
    lists_.forgetAnswer();
    CommandMessages messages(dialogs_, started == Started::ByAutomaticReload);
    SearchContext context{source, answer_, messages, targetWords_};
    if (run(context))
        lastCommand_ = command.searchMode;
    answerCommand_ = &command;
    answerMessages_ = messages.messages;
    columnsFitted_ = false;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start - messages.waited;
    showStatus(command, took.count());
}

void MainWindow::showStatus(const Command& command, double seconds)
{
    CommandOutcome outcome;
    outcome.caption = command.caption;
    outcome.kind = command.runOnFile ? CommandOutcome::Kind::LinkSearch
        : command.isCheck()          ? CommandOutcome::Kind::Check
                                     : CommandOutcome::Kind::Search;
    outcome.names = answer_.leftLines().size();
    for (std::size_t line = 0; line < answer_.leftLines().size(); ++line)
        outcome.starts += !answer_.leftLineNote(line).shown().empty();  // the lines of start contents have notes
    outcome.places = answer_.places();
    for (const Message& message : answerMessages_)
        if (message.unreadableFile)
            outcome.unreadableFiles.push_back(*message.unreadableFile);
    outcome.seconds = seconds;
    setStatus(CommandSummary(outcome), UnreadableFilesTip(outcome));
}

void MainWindow::setStatus(const std::string& text, const std::string& tip)
{
    statusText_->setText(QString::fromStdString(text));
    statusText_->setToolTip(QString::fromStdString(tip));
}

void MainWindow::updateFilterCount()
{
    const bool filtering = !filterField_->text().isEmpty();
    filterCount_->setVisible(filtering);
    if (filtering)
        filterCount_->setText(QStringLiteral("表示 %1/%2").arg(nameFilter_->rowCount()).arg(nameModel_->rowCount()));
}

void MainWindow::refreshHistoryMenu()
{
    bool anyShown = false;
    for (std::size_t slot = 0; slot < history_.size(); ++slot) {
        QAction* item = historyActions_[slot];
        const std::string& path = history_[slot];
        item->setVisible(path != EmptyHistorySlot);
        if (path == EmptyHistorySlot)
            continue;
        item->setText(QString::fromStdString(HistoryCaption(path)));
        anyShown = true;
    }
    historySeparator_->setVisible(anyShown);
}

void MainWindow::setFolderCaption()
{
    setWindowTitle(
        QString::fromStdString(WindowTitleText() + "< " + WithoutFinalSeparators(scenario_->location()) + " >"));
}

void MainWindow::enterScenario(const std::string& dataFile)
{
    hideResults();
    lists_.forgetAnswer();
    answer_.clear();
    searchedFolder_.clear();  // the text search searches the scenario again
    scenarioFile_ = dataFile;
    scenario_ = ScenarioAt(scenarioFile_);
    if (!scenario_)
        scenario_ = ScenarioOfFolder(FolderPart(scenarioFile_));
    setFolderCaption();
    lastCommand_ = SearchMode::None;
    answerCommand_ = nullptr;
    answerMessages_.clear();
    setStatus(openedStatus());
    watchScenario();
    showResults();
}

std::string MainWindow::openedStatus() const
{
    return OpenedStatus(*scenario_, scenarioFile_);
}

void MainWindow::openScenario()
{
    openDialog_.fileName.clear();
    if (!scenarioFile_.empty())
        openDialog_.initialFolder = FolderPart(scenarioFile_);
    if (const std::optional<std::string> chosen = dialogs_.chooseDataFile(openDialog_))
        openDataFile(*chosen);
}

void MainWindow::openDataFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    enterScenario(path);
    RecordOpenedFile(history_, scenarioFile_);
    refreshHistoryMenu();
}

void MainWindow::openGivenFile(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        dialogs_.showMessage(path + " はフォルダです。シナリオのデータファイルを選んでください", "Quorvel");
    else if (!std::filesystem::exists(path, error))
        dialogs_.showMessage(path + " が見つかりません", "Quorvel");
    else
        openDataFile(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (const std::optional<std::string> file = droppedFile(event->mimeData())) {
        event->acceptProposedAction();
        openGivenFile(*file);
    }
}

void MainWindow::openHistorySlot(int slot)
{
    const std::string path = history_[static_cast<std::size_t>(slot)];
    if (!isVisibleFolder(FolderWithoutSeparator(path))) {
        dialogs_.showMessage("フォルダがありません", "error");
        return;
    }
    std::error_code error;
    if (IsArchiveName(path) && !std::filesystem::is_regular_file(path, error)) {
        dialogs_.showMessage(path + " が見つかりません", "error");
        return;
    }
    openDialog_.initialFolder = FolderPart(path);
    openDialog_.fileName.clear();
    enterScenario(path);
    if (MoveSlotToFront(history_, slot))
        refreshHistoryMenu();
}

int MainWindow::sourceLineOf(const QModelIndex& nameIndex) const
{
    return nameIndex.isValid() ? nameFilter_->mapToSource(nameIndex).row() : -1;
}

void MainWindow::selectLine(int line)
{
    const QModelIndex shown = line >= 0 ? nameFilter_->mapFromSource(nameModel_->index(line)) : QModelIndex();
    const QSignalBlocker quiet(nameList_->selectionModel());
    nameList_->setCurrentIndex(shown);
}

void MainWindow::showSelectedName()
{
    const int line = sourceLineOf(nameList_->currentIndex());
    if (line == -1 || line == lists_.shownLine())
        lists_.selectLine(line);  // the rows shown stay
    else
        resultModel_->showChange([&] { lists_.selectLine(line); });
    if (!columnsFitted_ && resultModel_->rowCount() > 0)
        fitColumns();
}

void MainWindow::fitColumns()
{
    columnsFitted_ = true;
    QHeaderView* header = resultList_->header();
    // One long text does not take the window.
    const int cap = std::max(header->defaultSectionSize(), resultList_->viewport()->width() * 2 / 5);
    for (int column = 0; column + 1 < ResultColumnCount; ++column) {
        resultList_->resizeColumnToContents(column);
        header->resizeSection(column, std::min(header->sectionSize(column), cap));
    }
}

void MainWindow::sortByColumn(int column)
{
    resultModel_->showChange([&] { lists_.clickColumn(column); });
    QHeaderView* header = resultList_->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(lists_.order().column,
                             lists_.order().descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void MainWindow::copySelection()
{
    QString text;
    const QModelIndexList rows = resultList_->selectionModel()->selectedRows();
    if (copyRows_ && !rows.isEmpty()) {
        QList<int> order;
        for (const QModelIndex& row : rows)
            order << row.row();
        std::sort(order.begin(), order.end());
        const auto line = [&](const auto& cellText) {
            QStringList cells;
            for (int column = 0; column < resultModel_->columnCount(); ++column)
                cells << cellText(column).replace(QLatin1Char('\t'), QLatin1Char(' '));
            text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        };
        line([&](int column) { return resultModel_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(); });
        for (int row : order)
            line([&](int column) { return resultModel_->index(row, column).data().toString(); });
    } else if (lists_.selectedLine() >= 0) {
        text = nameModel_->index(lists_.selectedLine()).data().toString();
    } else {
        return;
    }
    QGuiApplication::clipboard()->setText(text);
}

void MainWindow::saveAnswer()
{
    if (!answerCommand_)
        return;
    // Not the scenario folder, where a saved answer would lie among the data files.
    const std::string folder = !savePath_.empty()
        ? savePath_
        : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    const std::optional<SaveChoice> choice = dialogs_.chooseAnswerFile(folder);
    if (!choice)
        return;
    std::ofstream out(choice->path, std::ios::binary | std::ios::trunc);
    if (out) {
        if (choice->format == AnswerFormat::Csv)
            WriteCsvAnswer(out, answer_, lists_.order());
        else
            WriteJsonAnswer(out, answerCommand_->name, answerMessages_, answer_, lists_.order(),
                            WorkersOfThisMachine());
        out.close();
    }
    if (!out) {
        dialogs_.showMessage(choice->path + " に書き込めません", "Quorvel");
        return;
    }
    savePath_ = FolderPart(choice->path);
    setStatus("保存しました: " + choice->path);
}

void MainWindow::setAutoReload(bool on)
{
    if (!on)
        settleTimer_->stop();
    watchScenario();
}

void MainWindow::watchScenario()
{
    if (!watcher_)
        return;
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    if (scenarioFile_.empty() || !autoReloadAction_->isChecked())
        return;
    QStringList paths;
    for (const std::string& path : scenario_->watchedPaths())
        paths << QString::fromStdString(path);
    watcher_->addPaths(paths);
}

void MainWindow::scenarioMayHaveChanged()
{
    if (autoReloadAction_->isChecked())
        settleTimer_->start();  // again: the writes have not settled yet
}

void MainWindow::reloadAfterEdits()
{
    if (commandRunning_) {
        settleTimer_->start();  // a message box of the command is up; try once it is over
        return;
    }
    watchScenario();  // files replaced by a write are watched again
    const Command* command = lastRunCommand();
    if (scenarioFile_.empty() || !command || !command->run || scenarioState(*scenario_) == scenarioState_)
        return;
    // The selected name, counting the equal names before it, and where the lists stood.
    const int selected = lists_.selectedLine();
    std::string name;
    int equalBefore = 0;
    if (selected >= 0) {
        name = answer_.leftLines()[static_cast<std::size_t>(selected)].shown();
        for (int line = 0; line < selected; ++line)
            equalBefore += answer_.leftLines()[static_cast<std::size_t>(line)].shown() == name;
    }
    const int nameScroll = nameList_->verticalScrollBar()->value();
    const int rowScroll = resultList_->verticalScrollBar()->value();
    runFolderCommand(*command, Started::ByAutomaticReload);
    int found = -1;
    for (std::size_t line = 0; selected >= 0 && line < answer_.leftLines().size() && found < 0; ++line)
        if (answer_.leftLines()[line].shown() == name && equalBefore-- == 0)
            found = static_cast<int>(line);
    if (found >= 0)
        lists_.selectLine(found);
    showResults();
    if (found >= 0) {
        nameList_->verticalScrollBar()->setValue(nameScroll);
        resultList_->verticalScrollBar()->setValue(rowScroll);
    }
}

void MainWindow::chooseFolderToSearch()
{
    const std::string start = !searchedFolder_.empty() ? searchedFolder_
        : !scenarioFile_.empty()                       ? FolderPart(scenarioFile_)
                                                       : openDialog_.initialFolder;
    const std::optional<std::string> chosen = dialogs_.chooseFolderToSearch(start);
    std::error_code error;
    if (!chosen || !std::filesystem::is_directory(*chosen, error))
        return;
    searchedFolder_ = *chosen;
    setWindowTitle(QString::fromStdString(WindowTitleText() + "< " + WithoutFinalSeparators(searchedFolder_) + " >"));
    setStatus("テキスト検索: " + searchedFolder_ + " のシナリオ");
    textBar_->focusPattern();
}

void MainWindow::runTextSearchBelowFolder()
{
    const std::vector<std::unique_ptr<ScenarioSource>> scenarios = OpenScenariosBelow(searchedFolder_);
    if (scenarios.empty()) {
        hideResults();
        lists_.forgetAnswer();
        answer_.clear();
        answerCommand_ = nullptr;
        showResults();
        setStatus(searchedFolder_ + "にはシナリオがありません");
        return;
    }
    std::vector<const ScenarioSource*> searched;
    for (const std::unique_ptr<ScenarioSource>& scenario : scenarios)
        searched.push_back(scenario.get());
    // Between scenarios the window answers, shows how far the search is and
    // takes Esc; nothing else can start meanwhile.
    cancelRequested_ = false;
    menuBar()->setEnabled(false);
    textBar_->setEnabled(false);
    bool finished = true;
    runWithLists(textSearch_->command, *searched.front(), Started::ByUser, [&](SearchContext& context) {
        finished
            = SearchTextPatternIn(context, searched, textSearch_->query, [this](std::size_t done, std::size_t total) {
                  setStatus("テキスト検索中: " + std::to_string(done) + "/" + std::to_string(total)
                            + " シナリオ (Esc で中止)");
                  QCoreApplication::processEvents();
                  return !cancelRequested_;
              });
        return true;
    });
    menuBar()->setEnabled(true);
    textBar_->setEnabled(true);
    if (!finished)
        setStatus(std::string(textSearch_->command.caption) + ": 中止しました");
    if (closeAfterCommand_)
        QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::runTextSearch(const TextSearchRequest& request)
{
    if ((scenarioFile_.empty() && searchedFolder_.empty()) || commandRunning_)
        return;
    std::variant<TextPattern, std::string> compiled = TextPattern::Compile(request.pattern, request.options);
    if (const std::string* problem = std::get_if<std::string>(&compiled)) {
        dialogs_.showMessage(*problem, "Quorvel");
        return;
    }
    textSearch_.emplace(TextQuery{std::move(std::get<TextPattern>(compiled)), request.fields}, request.pattern);
    textBar_->rememberPattern(request.pattern);
    runTextSearchAgain();
    showResults();
}

void MainWindow::runTextSearchAgain()
{
    if (!searchedFolder_.empty())
        runTextSearchBelowFolder();
    else
        runFolderCommand(textSearch_->command);
}

const Command* MainWindow::lastRunCommand() const
{
    if (lastCommand_ == SearchMode::TextSearch)
        return textSearch_ ? &textSearch_->command : nullptr;
    return FindCommand(lastCommand_);
}

void MainWindow::reload()
{
    const Command* command = lastRunCommand();
    const bool folderSearched = lastCommand_ == SearchMode::TextSearch && !searchedFolder_.empty();
    if ((scenarioFile_.empty() && !folderSearched) || !command || !command->run)
        return;  // nothing run yet, or the link search, which asks for a file
    // The lists stay hidden from the command's start until the line is selected again.
    lists_.reselectAfter([&] {
        if (command->searchMode == SearchMode::TextSearch)
            runTextSearchAgain();
        else
            runFolderCommand(*command);
        return true;
    });
    showResults();
}

bool MainWindow::saveSettingsOnClose()
{
    hideResults();
    lists_.forgetAnswer();
    answer_.clear();
    showResults();
    SettingsValues settings;
    settings.top = y();
    settings.left = x();
    settings.width = width();
    settings.height = height();
    settings.paneLeft = leftListWidth();
    for (int column = 0; column < ResultColumnCount; ++column)
        settings.columnWidths[static_cast<std::size_t>(column)] = resultList_->header()->sectionSize(column);
    // Without a scenario opened, the folder the open dialog remembered stays.
    settings.openPath = scenarioFile_.empty() ? openPathAtStart_ : FolderPart(scenarioFile_);
    settings.history = history_;
    settings.autoReload = autoReloadAction_->isChecked();
    settings.savePath = savePath_;
    const TextSearchRequest text = textBar_->request();
    settings.textOptions = TextOptionsWords(text.options);
    for (std::size_t field = 0; field < TextFieldCount; ++field)
        if (!text.fields.test(field))
            settings.textKindsOff += (settings.textKindsOff.empty() ? "" : ",")
                + std::string(TextFieldWord(static_cast<TextField>(field)));
    settings.textPatterns = textBar_->recentPatterns();
    if (SaveSettings(settingsPath_, settings))
        return true;
    // The window closes anyway: with a read-only program folder it could otherwise never close.
    dialogs_.showMessage(settingsPath_ + " に書き込めません", "Quorvel");
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (commandRunning_) {
        // The answer is still being made: stop the search and close after it.
        cancelRequested_ = true;
        closeAfterCommand_ = true;
        event->ignore();
        return;
    }
    if (!closing_) {
        closing_ = true;
        saveSettingsOnClose();
    }
    event->accept();
}

}  // namespace quorvel
