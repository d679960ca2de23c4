#include "app/MainWindow.h"

#include "app/ResultModels.h"
#include "app/Settings.h"
#include "scenario/FileSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QTreeView>
#include <QUrl>

#include <filesystem>

namespace quorvel {

namespace {

const std::string TitleText = "Quorvel 1.32 ";

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
    setAcceptDrops(true);
    buildMenu();
    buildLists();
    results.index.setMode(TableMode::Unsorted);
    results.valueNames.setMode(TableMode::Unsorted);
    setWindowTitle(QString::fromStdString(titleText));
    applySettings();
    refreshHistoryMenu();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenu()
{
    QMenuBar* bar = menuBar();
    fileMenu = bar->addMenu(QStringLiteral("ファイル"));
    openAction = fileMenu->addAction(QStringLiteral("オープン"));
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

    nameList = new QListView(listSplitter);
    nameList->setObjectName(QStringLiteral("nameList"));
    nameList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    nameList->setUniformItemSizes(true);
    nameModel_ = new NameListModel(results, this);
    nameList->setModel(nameModel_);
    connect(nameList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { showSelectedName(); });

    resultList = new QTreeView(listSplitter);
    resultList->setObjectName(QStringLiteral("resultList"));
    resultList->setRootIsDecorated(false);
    resultList->setItemsExpandable(false);
    resultList->setUniformRowHeights(true);
    resultList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList->setSelectionMode(QAbstractItemView::SingleSelection);
    resultList->setFocusPolicy(Qt::NoFocus);
    resultList->setSortingEnabled(false);
    resultModel_ = new ResultTableModel(results, this);
    resultList->setModel(resultModel_);
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
    history = settings.history;
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
        nameList->setCurrentIndex(nameModel_->index(line));
    }
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
    const CommandScope scope(nameList, command.isCheck());
    hideResults();
    SearchContext context{scenarioFiles, results, dialogs_, targetWords};
    command.run(context);
    results.searchMode = command.searchMode;
}

void MainWindow::runLinkSearch(const Command& command)
{
    openDialog.fileName.clear();
    openDialog.initialFolder = FolderPart(scenarioFile);
    const std::optional<std::string> chosen = dialogs_.chooseDataFile(openDialog);
    std::error_code error;
    if (!chosen || !std::filesystem::is_regular_file(*chosen, error))
        return;  // the previous answer stays
    const CommandScope scope(nameList, false);
    hideResults();
    SearchContext context{scenarioFiles, results, dialogs_, targetWords};
    const bool completed = command.runOnFile(context, *chosen);
    openDialog.fileName = scenarioFile;
    if (completed)
        results.searchMode = command.searchMode;
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
    showResults();
    scenarioFile = dataFile;
    setFolderCaption();
    scenarioFiles.setFolder(FolderPart(scenarioFile));
    results.searchMode = SearchMode::None;
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

void MainWindow::showSelectedName()
{
    const QModelIndex current = nameList->currentIndex();
    const int line = current.isValid() ? current.row() : -1;
    if (line == -1 || line == results.shownLine)
        results.selectLine(line);  // the rows shown stay
    else
        resultModel_->showChange([&] { results.selectLine(line); });
}

void MainWindow::sortByColumn(int column)
{
    resultModel_->showChange([&] { results.sortByColumn(column); });
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
    settings.openPath = FolderPart(scenarioFile);
    settings.history = history;
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
