#include "app/MainWindow.h"

#include "app/ListDelegate.h"
#include "app/NameFilterModel.h"
#include "app/ResultModels.h"
#include "app/Settings.h"
#include "cli/CsvAnswer.h"
#include "results/CommandSummary.h"
#include "scenario/FileSystem.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
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

const std::string TitleText = "Quorvel 1.32 ";

// How long the scenario's files must rest before an automatic reload: an
// editor saving a scenario writes several files one after another.
constexpr int SettleMilliseconds = 500;

// The names, sizes and times of the scenario's files, to tell whether any
// was written, added or removed since the last command read them.
std::string scenarioState(const std::string& folder)
{
    ScenarioFileList files;
    files.setFolder(folder);
    files.setMask(ScenarioFilesMask);
    std::string state;
    for (int position = 0; position < files.count(); ++position) {
        std::error_code error;
        const std::filesystem::path path = files.fullPath(position);
        const auto size = std::filesystem::file_size(path, error);
        const auto time = std::filesystem::last_write_time(path, error).time_since_epoch().count();
        state += files.name(position) + '\n' + std::to_string(size) + '\n' + std::to_string(time) + '\n';
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

// The messages of one command: shown as they come, and kept for the status
// line and for saving the answer.
class MainWindow::CommandMessages : public MessageSink {
public:
    explicit CommandMessages(MessageSink& shown) : shown_(shown) { }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.emplace_back(text, caption);
        shown_.showMessage(text, caption);
    }
    MessageList messages;

private:
    MessageSink& shown_;
};

QFont JapaneseUiFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
    font.setPixelSize(12);
    return font;
}

MainWindow::MainWindow(std::string settingsPath, UserDialogs& dialogs)
    : titleText(TitleText), targetWords(DefaultTargetWords()), settingsPath_(std::move(settingsPath)), dialogs_(dialogs)
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
    results.index.setMode(TableMode::Unsorted);
    setWindowTitle(QString::fromStdString(titleText));
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
    fileMenu = bar->addMenu(QStringLiteral("ファイル"));
    openAction = fileMenu->addAction(QStringLiteral("オープン"));
    openAction->setShortcut(QKeySequence::Open);
    saveAction = fileMenu->addAction(QStringLiteral("結果を保存…"));
    saveAction->setShortcut(QKeySequence::Save);
    connect(saveAction, &QAction::triggered, this, [this] { saveAnswer(); });
    autoReloadAction = fileMenu->addAction(QStringLiteral("自動リロード"));
    autoReloadAction->setCheckable(true);
    connect(autoReloadAction, &QAction::toggled, this, [this](bool on) { setAutoReload(on); });
    historySeparator = fileMenu->addSeparator();
    for (QAction*& item : historyActions) {
        item = fileMenu->addAction(QString());
        item->setVisible(false);
    }
    connect(openAction, &QAction::triggered, this, [this] { openScenario(); });
    for (int slot = 0; slot < 3; ++slot)
        connect(historyActions[static_cast<std::size_t>(slot)], &QAction::triggered, this,
                [this, slot] { openHistorySlot(slot); });

    checkMenu = bar->addMenu(QString::fromUtf8(MenuCaption(Menu::Check)));
    searchMenu = bar->addMenu(QString::fromUtf8(MenuCaption(Menu::Search)));
    for (const Command& command : Commands()) {
        QMenu* menu = command.menu == Menu::Check ? checkMenu : searchMenu;
        if (command.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(QString::fromUtf8(command.caption));
        action->setObjectName(QString::fromUtf8(command.name));
        connect(action, &QAction::triggered, this, [this, &command] { runCommand(command); });
        commandActions_.emplace_back(&command, action);
    }

    reloadAction = bar->addAction(QStringLiteral("リロード"));
    reloadAction->setShortcut(QKeySequence(Qt::Key_F5));
    connect(reloadAction, &QAction::triggered, this, [this] { reload(); });
}

QAction* MainWindow::commandAction(const std::string& name) const
{
    for (const auto& [command, action] : commandActions_)
        if (name == command->name)
            return action;
    return nullptr;
}

void MainWindow::buildLists()
{
    listSplitter = new QSplitter(Qt::Horizontal, this);
    listSplitter->setHandleWidth(3);
    listSplitter->setChildrenCollapsible(false);

    auto* left = new QWidget(listSplitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    filterField = new QLineEdit(left);
    filterField->setObjectName(QStringLiteral("filterField"));
    filterField->setClearButtonEnabled(true);
    leftLayout->addWidget(filterField);
    nameList = new QListView(left);
    nameList->setObjectName(QStringLiteral("nameList"));
    nameList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    nameList->setUniformItemSizes(true);
    leftLayout->addWidget(nameList);
    nameModel_ = new NameListModel(results, this);
    nameFilter_ = new NameFilterModel(this);
    nameFilter_->setSourceModel(nameModel_);
    nameList->setModel(nameFilter_);
    nameDelegate_ = new ListDelegate(-1, this);
    nameList->setItemDelegate(nameDelegate_);
    connect(nameList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        copyRows_ = false;
        showSelectedName();
    });
    connect(filterField, &QLineEdit::textChanged, this, [this](const QString& text) {
        nameFilter_->setFilterText(text);
        selectLine(results.selectedLine());
    });

    resultList = new QTreeView(listSplitter);
    resultList->setObjectName(QStringLiteral("resultList"));
    resultList->setRootIsDecorated(false);
    resultList->setItemsExpandable(false);
    resultList->setUniformRowHeights(true);
    resultList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultList->setFocusPolicy(Qt::NoFocus);
    resultList->setSortingEnabled(false);
    resultModel_ = new ResultTableModel(results, this);
    resultList->setModel(resultModel_);
    resultDelegate_ = new ListDelegate(0, this);
    resultList->setItemDelegate(resultDelegate_);
    connect(resultList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { copyRows_ = true; });
    QHeaderView* header = resultList->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(0);  // stored widths apply as they are
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { sortByColumn(column); });

    listSplitter->setStretchFactor(0, 0);
    listSplitter->setStretchFactor(1, 1);
    setCentralWidget(listSplitter);
}

void MainWindow::buildShortcuts()
{
    copyAction = new QAction(QStringLiteral("コピー"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, [this] { copySelection(); });
    filterAction = new QAction(QStringLiteral("絞り込み"), this);
    filterAction->setShortcut(QKeySequence::Find);
    connect(filterAction, &QAction::triggered, this, [this] {
        filterField->setFocus(Qt::ShortcutFocusReason);
        filterField->selectAll();
    });
    auto* clearFilter = new QAction(this);
    clearFilter->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(clearFilter, &QAction::triggered, this, [this] { filterField->clear(); });
    addActions({copyAction, filterAction, clearFilter});
    filterField->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == filterField && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        filterField->clear();
        nameList->setFocus(Qt::OtherFocusReason);
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
    listSplitter->setSizes({settings.paneLeft, std::max(0, settings.width - settings.paneLeft)});
    for (int column = 0; column < 7; ++column)
        resultList->header()->resizeSection(column, settings.columnWidths[static_cast<std::size_t>(column)]);
    openDialog.initialFolder = settings.openPath;
    openPathAtStart_ = settings.openPath;
    history = settings.history;
    autoReloadAction->setChecked(settings.autoReload);
}

int MainWindow::leftListWidth() const
{
    // Until the splitter has been laid out its sizes are not the ones set.
    return listSplitter->isVisible() ? listSplitter->sizes().value(0) : paneLeft_;
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
    const int line = results.selectedLine();
    if (line >= 0) {
        const QSignalBlocker quiet(nameList->selectionModel());
        nameList->setCurrentIndex(nameFilter_->mapFromSource(nameModel_->index(line)));
    }
    updateCommandStates();
}

void MainWindow::updateCommandStates()
{
    const bool open = !scenarioFile.empty();
    for (const auto& [command, action] : commandActions_)
        action->setEnabled(open);
    const Command* last = FindCommand(results.searchMode);
    reloadAction->setEnabled(open && last && last->run);
    saveAction->setEnabled(answerCommand_ != nullptr);
}

void MainWindow::runCommand(const Command& command)
{
    if (scenarioFile.empty())
        return;
    if (command.runOnFile)
        runLinkSearch(command);
    else
        runFolderCommand(command);
    showResults();
}

void MainWindow::runFolderCommand(const Command& command)
{
    runWithLists(command, [&](SearchContext& context) {
        scenarioState_ = scenarioState(FolderPart(scenarioFile));
        scenarioFiles.refresh();  // files may have been added or removed since the last command
        command.run(context);
        return true;
    });
}

void MainWindow::runLinkSearch(const Command& command)
{
    openDialog.fileName.clear();
    openDialog.initialFolder = FolderPart(scenarioFile);
    const std::optional<std::string> chosen = dialogs_.chooseDataFile(openDialog);
    std::error_code error;
    if (!chosen || !std::filesystem::is_regular_file(*chosen, error))
        return;  // the previous answer stays
    runWithLists(command, [&](SearchContext& context) { return command.runOnFile(context, *chosen); });
    openDialog.fileName = scenarioFile;
}

void MainWindow::runWithLists(const Command& command, const std::function<bool(SearchContext&)>& run)
{
    const Running running(commandRunning_);
    const CommandScope scope(nameList, command.isCheck());
    const auto started = std::chrono::steady_clock::now();
    hideResults();
    CommandMessages messages(dialogs_);
    SearchContext context{scenarioFiles, results, messages, targetWords};
    if (run(context))
        results.searchMode = command.searchMode;
    answerCommand_ = &command;
    answerMessages_ = messages.messages;
    showStatus(command, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
}

void MainWindow::showStatus(const Command& command, double seconds)
{
    CommandOutcome outcome;
    outcome.caption = command.caption;
    outcome.isCheck = command.isCheck();
    outcome.names = results.leftLines().size();
    for (int entry = 0; entry < results.index.count(); ++entry)
        outcome.places += results.index.rows(entry).size();
    outcome.unreadableFiles = static_cast<std::size_t>(
        std::count_if(answerMessages_.begin(), answerMessages_.end(),
                      [](const auto& message) { return message.first.ends_with("の読み込みに失敗しました"); }));
    outcome.seconds = seconds;
    statusBar()->showMessage(QString::fromStdString(CommandSummary(outcome)));
}

void MainWindow::refreshHistoryMenu()
{
    bool anyShown = false;
    for (std::size_t slot = 0; slot < history.size(); ++slot) {
        QAction* item = historyActions[slot];
        const std::string& path = history[slot];
        item->setVisible(path != EmptyHistorySlot);
        if (path == EmptyHistorySlot)
            continue;
        item->setText(QString::fromStdString(HistoryCaption(path)));
        anyShown = true;
    }
    historySeparator->setVisible(anyShown);
}

void MainWindow::setFolderCaption()
{
    setWindowTitle(QString::fromStdString(titleText + "< " + FolderWithoutSeparator(scenarioFile) + " >"));
}

void MainWindow::enterScenario(const std::string& dataFile)
{
    hideResults();
    results.clear();
    scenarioFile = dataFile;
    setFolderCaption();
    scenarioFiles.setFolder(FolderPart(scenarioFile));
    results.searchMode = SearchMode::None;
    answerCommand_ = nullptr;
    answerMessages_.clear();
    statusBar()->clearMessage();
    watchScenario();
    showResults();
}

void MainWindow::openScenario()
{
    openDialog.fileName.clear();
    if (!scenarioFile.empty())
        openDialog.initialFolder = FolderPart(scenarioFile);
    if (const std::optional<std::string> chosen = dialogs_.chooseDataFile(openDialog))
        openDataFile(*chosen);
}

void MainWindow::openDataFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    enterScenario(path);
    RecordOpenedFile(history, scenarioFile);
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
    const std::string path = history[static_cast<std::size_t>(slot)];
    if (!isVisibleFolder(FolderWithoutSeparator(path))) {
        dialogs_.showMessage("フォルダがありません", "error");
        return;
    }
    openDialog.initialFolder = FolderPart(path);
    openDialog.fileName.clear();
    enterScenario(path);
    if (MoveSlotToFront(history, slot))
        refreshHistoryMenu();
}

int MainWindow::sourceLineOf(const QModelIndex& nameIndex) const
{
    return nameIndex.isValid() ? nameFilter_->mapToSource(nameIndex).row() : -1;
}

void MainWindow::selectLine(int line)
{
    const QModelIndex shown = line >= 0 ? nameFilter_->mapFromSource(nameModel_->index(line)) : QModelIndex();
    const QSignalBlocker quiet(nameList->selectionModel());
    nameList->setCurrentIndex(shown);
}

void MainWindow::showSelectedName()
{
    const int line = sourceLineOf(nameList->currentIndex());
    if (line == -1 || line == results.shownLine)
        results.selectLine(line);  // the rows shown stay
    else
        resultModel_->showChange([&] { results.selectLine(line); });
}

void MainWindow::sortByColumn(int column)
{
    resultModel_->showChange([&] { results.clickColumn(column); });
    QHeaderView* header = resultList->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(results.sortColumn, results.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void MainWindow::copySelection()
{
    QString text;
    const QModelIndexList rows = resultList->selectionModel()->selectedRows();
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
    } else if (results.selectedLine() >= 0) {
        text = nameModel_->index(results.selectedLine()).data().toString();
    } else {
        return;
    }
    QGuiApplication::clipboard()->setText(text);
}

void MainWindow::saveAnswer()
{
    if (!answerCommand_)
        return;
    const std::optional<SaveChoice> choice = dialogs_.chooseAnswerFile(FolderPart(scenarioFile));
    if (!choice)
        return;
    std::ofstream out(choice->path, std::ios::binary | std::ios::trunc);
    if (out) {
        if (choice->format == AnswerFormat::Csv)
            WriteCsvAnswer(out, results, results.sortColumn, results.sortDescending);
        else
            WriteJsonAnswer(out, answerCommand_->name, answerMessages_, results, results.sortColumn,
                            WorkersOfThisMachine(), results.sortDescending);
        out.close();
    }
    if (!out)
        dialogs_.showMessage(choice->path + " に書き込めません", "Quorvel");
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
    if (scenarioFile.empty() || !autoReloadAction->isChecked())
        return;
    const std::string folder = FolderPart(scenarioFile);
    QStringList paths{QString::fromStdString(folder)};
    ScenarioFileList files;
    files.setFolder(folder);
    files.setMask(ScenarioFilesMask);
    for (int position = 0; position < files.count(); ++position)
        paths << QString::fromStdString(files.fullPath(position));
    watcher_->addPaths(paths);
}

void MainWindow::scenarioMayHaveChanged()
{
    if (autoReloadAction->isChecked())
        settleTimer_->start();  // again: the writes have not settled yet
}

void MainWindow::reloadAfterEdits()
{
    if (commandRunning_) {
        settleTimer_->start();  // a message box of the command is up; try once it is over
        return;
    }
    watchScenario();  // files written anew, added or removed need watching again
    const Command* command = FindCommand(results.searchMode);
    if (scenarioFile.empty() || !command || !command->run || scenarioState(FolderPart(scenarioFile)) == scenarioState_)
        return;
    // The selected name, counting the equal names before it, and where the lists stood.
    const int selected = results.selectedLine();
    std::string name;
    int equalBefore = 0;
    if (selected >= 0) {
        name = results.leftLines()[static_cast<std::size_t>(selected)].shown();
        for (int line = 0; line < selected; ++line)
            equalBefore += results.leftLines()[static_cast<std::size_t>(line)].shown() == name;
    }
    const int nameScroll = nameList->verticalScrollBar()->value();
    const int rowScroll = resultList->verticalScrollBar()->value();
    runFolderCommand(*command);
    int found = -1;
    for (std::size_t line = 0; selected >= 0 && line < results.leftLines().size() && found < 0; ++line)
        if (results.leftLines()[line].shown() == name && equalBefore-- == 0)
            found = static_cast<int>(line);
    if (found >= 0)
        results.selectLine(found);
    showResults();
    if (found >= 0) {
        nameList->verticalScrollBar()->setValue(nameScroll);
        resultList->verticalScrollBar()->setValue(rowScroll);
    }
}

void MainWindow::reload()
{
    const Command* command = FindCommand(results.searchMode);
    if (scenarioFile.empty() || !command || !command->run)
        return;  // nothing run yet, or the link search, which asks for a file
    // The lists stay hidden from the command's start until the line is selected again.
    results.reload([&](SearchMode) {
        runFolderCommand(*command);
        return true;
    });
    showResults();
}

bool MainWindow::saveSettingsOnClose()
{
    hideResults();
    results.clear();
    showResults();
    SettingsValues settings;
    settings.top = y();
    settings.left = x();
    settings.width = width();
    settings.height = height();
    settings.paneLeft = leftListWidth();
    for (int column = 0; column < 7; ++column)
        settings.columnWidths[static_cast<std::size_t>(column)] = resultList->header()->sectionSize(column);
    // Without a scenario opened, the folder the open dialog remembered stays.
    settings.openPath = scenarioFile.empty() ? openPathAtStart_ : FolderPart(scenarioFile);
    settings.history = history;
    settings.autoReload = autoReloadAction->isChecked();
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
        saveSettingsOnClose();
    }
    event->accept();
}

}  // namespace quorvel
