#include "app/MainWindow.h"
#include "app/Application.h"
#include "app/ResultModels.h"
#include "app/Settings.h"
#include "app/TextSearchBar.h"
#include "cli/Cli.h"
#include "tools/builder/Encoding.h"

#include "tests/support/FakeDialogs.h"
#include "tests/support/TempFolder.h"
#include "tools/builder/ArchiveBuilder.h"
#include "tools/builder/DemoScenario.h"
#include "tools/builder/SummaryBuilder.h"
#include "tools/builder/WidBuilder.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quorvel;
using quorvel::build::File;

namespace {

QStringList captions(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* action : actions)
        out << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return out;
}

QStringList visibleCaptions(QMenu* menu)
{
    QStringList out;
    for (QAction* action : menu->actions())
        if (action->isVisible())
            out << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return out;
}

QString cell(const QAbstractItemModel* model, int row, int column = 0)
{
    return model->index(row, column).data().toString();
}

}  // namespace

// The window as tests drive it: its actions, menus and lists found by their
// object names, and what its test interface tells.
class Probe {
public:
    Probe(const std::string& settingsPath, UserDialogs& dialogs)
        : window_(std::make_unique<MainWindow>(settingsPath, dialogs)), fileMenu(find<QMenu>("fileMenu")),
          checkMenu(find<QMenu>("checkMenu")), searchMenu(find<QMenu>("searchMenu")), openAction(find<QAction>("open")),
          saveAction(find<QAction>("save")), autoReloadAction(find<QAction>("autoReload")),
          reloadAction(find<QAction>("reload")), copyAction(find<QAction>("copy")),
          filterAction(find<QAction>("filter")), historyActions{find<QAction>("history1"), find<QAction>("history2"),
                                                                find<QAction>("history3")},
          filterField(find<QLineEdit>("filterField")), nameList(find<QListView>("nameList")),
          resultList(find<QTreeView>("resultList")), listSplitter(find<QSplitter>("listSplitter")),
          statusLabel(find<QLabel>("statusText")), filterCount(find<QLabel>("filterCount"))
    {
    }

    MainWindow* operator->() const { return window_.get(); }
    MainWindow* get() const { return window_.get(); }

    QAction* commandAction(const char* name) const { return find<QAction>(name); }
    void openScenario() const { openAction->trigger(); }
    void openHistorySlot(int slot) const { historyActions[static_cast<std::size_t>(slot)]->trigger(); }
    void sortByColumn(int column) const { emit resultList->header()->sectionClicked(column); }
    void copySelection() const { copyAction->trigger(); }
    void saveAnswer() const { saveAction->trigger(); }
    // Closes the window, which writes its settings; true when no message came up.
    bool closeAndSaveSettings(build::FakeDialogs& dialogs) const
    {
        const std::size_t messages = dialogs.messages.size();
        window_->close();
        return dialogs.messages.size() == messages;
    }
    // The width a left list stored as `stored` is laid out with: never
    // narrower than the longest line a check makes needs.
    int leftListWidthFor(int stored) const
    {
        return std::max(stored, listSplitter->widget(0)->minimumSizeHint().width());
    }
    // The left list's width, as laid out once the window is shown.
    int leftListWidth() const
    {
        if (!window_->isVisible()) {
            window_->show();
            if (!QTest::qWaitForWindowExposed(window_.get()))
                return -1;
        }
        return listSplitter->sizes().value(0);
    }

private:
    template <typename Part>
    Part* find(const char* name) const
    {
        Part* part = window_->findChild<Part*>(QString::fromUtf8(name));
        if (!part)
            throw std::logic_error(std::string("the window has no ") + name);
        return part;
    }

    std::unique_ptr<MainWindow> window_;

public:
    QMenu* const fileMenu;
    QMenu* const checkMenu;
    QMenu* const searchMenu;
    QAction* const openAction;
    QAction* const saveAction;
    QAction* const autoReloadAction;
    QAction* const reloadAction;
    QAction* const copyAction;
    QAction* const filterAction;
    const std::array<QAction*, 3> historyActions;
    QLineEdit* const filterField;
    QListView* const nameList;
    QTreeView* const resultList;
    QSplitter* const listSplitter;
    QLabel* const statusLabel;
    QLabel* const filterCount;
};

// The left list's lines as the answer holds them.
QStringList lines(const Probe& window)
{
    QStringList shown;
    for (const KeptText& line : window->answer().leftLines())
        shown << QString::fromStdString(std::string(line.shown()));
    return shown;
}

QString statusText(const Probe& window)
{
    return window.statusLabel->text();
}

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<build::TempFolder> folder_;
    std::string settingsPath_;
    build::FakeDialogs dialogs_;

    std::unique_ptr<Probe> makeWindow() { return std::make_unique<Probe>(settingsPath_, dialogs_); }

    // Opens the scenario of a data file through the open dialog.
    void open(const Probe& window, const std::string& dataFile)
    {
        dialogs_.answers.push_back(dataFile);
        window.openScenario();
    }

    // A scenario folder with a data file, under a "Scenario" folder.
    std::string scenario(const std::string& name) { return folder_->touch("Scenario/" + name + "/Area1.wid"); }

    // An Area file "Town" with these events at Scenario/S/<name>.
    std::string writeTown(std::vector<build::Event> events, const std::string& name = "Area1.wid")
    {
        File town;
        town.kind = 0;
        town.title = "Town";
        town.events = std::move(events);
        const std::string path = folder_->file("Scenario/S/" + name);
        build::WriteFile(path, build::Encode(town));
        return path;
    }

    // Opens a scenario at Scenario/<name> of `names` items (名前0, 名前1, ...)
    // and runs the item search: the first item is used once in each of
    // `rowsOfFirst` areas (Area00.wid, Area01.wid, ...).
    void fillAnswer(const Probe& window, int names, int rowsOfFirst, const std::string& name = "Filled")
    {
        for (int i = 0; i < names; ++i) {
            File item;
            item.kind = 3;
            item.title = build::Sjis("名前" + std::to_string(i));
            item.storedId = 40001 + i;
            build::WriteFile(folder_->file("Scenario/" + name + "/Item" + twoDigits(i) + ".wid"), build::Encode(item));
        }
        for (int r = 0; r < rowsOfFirst; ++r) {
            File area;
            area.title = "e";
            area.events = {build::Event({build::Start("h", {build::Gain(27, 1, 1, 0)})})};
            build::WriteFile(folder_->file("Scenario/" + name + "/Area" + twoDigits(r) + ".wid"), build::Encode(area));
        }
        open(window, folder_->file("Scenario/" + name + "/Item00.wid"));
        window.commandAction("item")->trigger();
    }

    static std::string twoDigits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

    // A scenario with two items, one used twice, and a file that cannot be read.
    std::string itemScenario(bool withBrokenFile)
    {
        for (const char* title : {"Herb", "Sword"}) {
            File item;
            item.kind = 3;
            item.title = title;
            item.storedId = title[0] == 'H' ? 40001 : 40002;
            build::WriteFile(folder_->file(std::string("Scenario/S/Item") + (title[0] == 'H' ? "1" : "2") + ".wid"),
                             build::Encode(item));
        }
        if (withBrokenFile)
            build::WriteFile(folder_->file("Scenario/S/Area9.wid"), "\x07");
        return writeTown({build::Event({build::Start("s", {build::Gain(27, 1, 1, 0), build::Gain(34, 1, 2, 1)}),
                                        build::Start("t", {build::Gain(27, 2, 0, 2)})})});
    }

    static std::string readAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::string cli(std::vector<std::string> arguments)
    {
        std::ostringstream out, err;
        RunCli(arguments, out, err);
        return out.str();
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<build::TempFolder>("window");
        settingsPath_ = folder_->file("quorvel.ini");
        dialogs_ = build::FakeDialogs{};
    }

    void cleanup() { folder_.reset(); }

    void firstStartWithoutSettingsFile()
    {
        auto window = makeWindow();
        QCOMPARE((*window)->windowTitle(), QString::fromStdString(WindowTitleText()));
        QCOMPARE(QString::fromStdString(WindowTitleText()), QStringLiteral("Quorvel ") + QUORVEL_PROJECT_VERSION " ");
        QCOMPARE((*window)->pos(), QPoint(197, 124));
        QCOMPARE((*window)->size(), QSize(740, 394));
        QCOMPARE(window->leftListWidth(), window->leftListWidthFor(137));
        const int widths[7] = {18, 80, 100, 120, 100, 80, 90};
        for (int c = 0; c < 7; ++c)
            QCOMPARE(window->resultList->header()->sectionSize(c), widths[c]);
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "終了"}));
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::None));
        QCOMPARE((*window)->lists().shownLine(), -1);
        QCOMPARE((*window)->lists().order().column, 0);
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
        QCOMPARE(window->leftListWidth(), window->leftListWidthFor(137));
    }

    void menuBarInOrderWithExactCaptions()
    {
        auto window = makeWindow();
        QCOMPARE(captions((*window)->menuBar()->actions()),
                 (QStringList{"ファイル(&F)", "チェック(&C)", "検索(&S)", "リロード"}));
        QCOMPARE(captions(window->checkMenu->actions()),
                 (QStringList{"スタートコンテント", "分岐チェック", "台詞称号抜け", "未定義の参照", "未使用の定義", "-",
                              "存在しない素材", "未使用の素材"}));
        QCOMPARE(captions(window->searchMenu->actions()),
                 (QStringList{"フラグ",   "ステップ", "コモン", "-",    "称号",       "ゴシップ", "-",      "アイテム",
                              "スキル",   "情報",     "召喚獣", "-",    "パッケージ", "エリア",   "バトル", "-",
                              "リンク＊", "-",        "効果音", "素材", "-",          "テキスト…"}));
        QVERIFY(window->reloadAction->menu() == nullptr);
        QCOMPARE(window->resultList->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("イベント所属"));
        QVERIFY(window->resultList->focusPolicy() == Qt::NoFocus);
        QCOMPARE(window->listSplitter->handleWidth(), 3);
    }

    void settingsRoundTripThroughClose()
    {
        {
            std::ofstream(settingsPath_) << "[WINSIZE]\r\nTop=-2000\r\nLeft=0x10\r\n[PANESIZE]\r\nLeft=150\r\n"
                                            "Width3=0x20\r\nWidth4=wide\r\n[PATH]\r\nOpenPath=\r\n";
        }
        auto window = makeWindow();
        QCOMPARE((*window)->pos(), QPoint(16, -2000));
        QCOMPARE(window->leftListWidth(), window->leftListWidthFor(150));
        QCOMPARE(window->resultList->header()->sectionSize(3), 32);
        QCOMPARE(window->resultList->header()->sectionSize(4), 100);
        QCOMPARE((*window)->openDialog().initialFolder, std::string());
        window->resultList->header()->resizeSection(5, 55);  // the last column stretches
        (*window)->resize(800, 500);
        QVERIFY(window->closeAndSaveSettings(dialogs_));

        const SettingsValues saved = LoadSettings(settingsPath_);
        QCOMPARE(saved.top, -2000);
        QCOMPARE(saved.width, 800);
        QCOMPARE(saved.columnWidths[5], 55);
        QCOMPARE(saved.openPath, std::string());
        QCOMPARE(saved.history[0], EmptyHistorySlot);
    }

    void closingWithAnUnwritableSettingsFileWarnsAndCloses()
    {
        std::filesystem::create_directories(settingsPath_ + ".tmp");
        auto window = makeWindow();
        (*window)->show();
        QVERIFY((*window)->close());
        QCOMPARE(dialogs_.messages.size(), size_t(1));
        QCOMPARE(dialogs_.messages[0].first, settingsPath_ + " に書き込めません");
        QVERIFY(!(*window)->isVisible());
    }

    void openingAScenarioSetsCaptionHistoryAndFileList()
    {
        const std::string first = scenario("Sample");
        auto window = makeWindow();
        fillAnswer(*window, 2, 1);

        dialogs_.answers.push_back(std::nullopt);  // cancelled: nothing changes
        window->openScenario();
        QCOMPARE((*window)->answer().leftLines().size(), size_t(2));

        open(*window, folder_->file("Scenario/Sample/Missing.wid"));  // no such file
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::ItemSearch));

        open(*window, first);
        QCOMPARE((*window)->scenarioFile(), first);
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::None));
        QVERIFY((*window)->answer().leftLines().empty());
        QCOMPARE(window->nameList->model()->rowCount(), 0);
        const std::string folder = folder_->file("Scenario/Sample");
        QCOMPARE((*window)->windowTitle(), QString::fromStdString(WindowTitleText() + "< " + folder + " >"));
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "Sample", "Filled",
                              "-", "終了"}));

        dialogs_.answers.push_back(std::nullopt);
        window->openScenario();
        QCOMPARE(dialogs_.dialogsShown.back().initialFolder, folder + "/");
        QCOMPARE(dialogs_.dialogsShown.back().fileName, std::string());

        QVERIFY(window->closeAndSaveSettings(dialogs_));
        QCOMPARE(LoadSettings(settingsPath_).openPath, folder + "/");
        QCOMPARE(LoadSettings(settingsPath_).history[0], first);
    }

    void anArchiveOrAnXmlFileOpensItsScenario()
    {
        const std::string xml = folder_->file("Scenario/Xml");
        build::WriteXmlScenario(xml, build::DemoSummary(), build::DemoDataFiles());
        const std::string archive = folder_->file("Scenario/Demo.wsn");
        build::WriteArchive(archive, build::EntriesOfFolder(xml, "Demo/"));
        auto window = makeWindow();

        open(*window, xml + "/Area/Area1.xml");
        QCOMPARE((*window)->windowTitle(), QString::fromStdString(WindowTitleText() + "< " + xml + " >"));
        window->commandAction("item")->trigger();
        const std::size_t names = (*window)->answer().leftLines().size();
        QVERIFY(names > 0);

        open(*window, archive);
        QCOMPARE((*window)->windowTitle(), QString::fromStdString(WindowTitleText() + "< " + archive + " >"));
        window->commandAction("item")->trigger();
        QCOMPARE((*window)->answer().leftLines().size(), names);
        QCOMPARE((*window)->history()[0], archive);
        window->reloadAction->trigger();
        QCOMPARE((*window)->answer().leftLines().size(), names);
        QVERIFY(dialogs_.messages.empty());
    }

    void historyItemsReopenAndMoveToTheFront()
    {
        const std::string a = scenario("A"), b = scenario("B"), c = scenario("C");
        auto window = makeWindow();
        for (const std::string& file : {a, b, c})
            open(*window, file);
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "C", "B", "A", "-",
                              "終了"}));

        window->openHistorySlot(0);
        QCOMPARE((*window)->history(), (HistorySlots{c, b, a}));

        window->openHistorySlot(2);
        QCOMPARE((*window)->scenarioFile(), a);
        QCOMPARE((*window)->history(), (HistorySlots{a, c, b}));
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "A", "C", "B", "-",
                              "終了"}));
        QCOMPARE((*window)->openDialog().initialFolder, folder_->file("Scenario/A/"));

        window->openHistorySlot(1);
        QCOMPARE((*window)->history(), (HistorySlots{c, a, b}));
    }

    void missingHistoryFolderWarnsAndKeepsEverything()
    {
        const std::string gone = scenario("Gone");
        auto window = makeWindow();
        open(*window, gone);
        fillAnswer(*window, 3, 2, "A");
        std::filesystem::remove_all(folder_->file("Scenario/Gone"));

        window->openHistorySlot(1);
        QCOMPARE(dialogs_.messages.size(), size_t(1));
        QCOMPARE(dialogs_.messages[0], (std::pair<std::string, std::string>{"フォルダがありません", "error"}));
        QCOMPARE((*window)->scenarioFile(), folder_->file("Scenario/A/Item00.wid"));
        QCOMPARE((*window)->answer().leftLines().size(), size_t(3));
        QCOMPARE((*window)->history()[1], gone);
    }

    void historySlotsFromTheSettingsFile()
    {
        const std::string a = scenario("A");
        std::ofstream(settingsPath_) << "[PATH]\r\nRireki1=C:\\\r\nRireki2=" << a << "\r\nRireki3=C:\\\r\n";
        auto window = makeWindow();
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "A", "-", "終了"}));
        QVERIFY(!window->historyActions[0]->isVisible());
        QVERIFY(window->historyActions[1]->isVisible());
    }

    void selectingALineShowsItsRowsAndHeaderClicksSort()
    {
        auto window = makeWindow();
        QAbstractItemModelTester leftTester(window->nameList->model());
        QAbstractItemModelTester rowTester(window->resultList->model());
        fillAnswer(*window, 2, 12);
        QCOMPARE(cell(window->nameList->model(), 1), QStringLiteral("名前1"));
        QVERIFY(!window->nameList->currentIndex().isValid());
        QCOMPARE(window->resultList->model()->rowCount(), 0);

        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        const QAbstractItemModel* rows = window->resultList->model();
        QCOMPARE(rows->rowCount(), 12);
        QCOMPARE(cell(rows, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(rows, 11, 1), QStringLiteral("Area11.wid"));

        window->sortByColumn(1);
        window->sortByColumn(1);  // turned round
        QCOMPARE(cell(rows, 0, 1), QStringLiteral("Area11.wid"));
        QCOMPARE(cell(rows, 0, 0), QStringLiteral("1"));  // the rows are numbered anew

        window->sortByColumn(0);  // the filing order again
        QCOMPARE(cell(rows, 0, 1), QStringLiteral("Area00.wid"));
        QCOMPARE(cell(rows, 11, 1), QStringLiteral("Area11.wid"));
        QCOMPARE((*window)->lists().order().column, 0);
        QVERIFY(!(*window)->lists().order().descending);

        window->nameList->setCurrentIndex(window->nameList->model()->index(1, 0));
        QCOMPARE(rows->rowCount(), 0);
    }

    void searchFromTheMenuFillsTheListsAndReloadRerunsIt()
    {
        File item;
        item.kind = 3;
        item.title = build::Sjis("薬草");
        build::WriteFile(folder_->file("Scenario/S/Item1.wid"), build::Encode(item));
        writeTown({build::Event({build::Start("s", {build::Gain(27, 1, 1, 0), build::Gain(27, 5, 1, 0)})})});

        auto window = makeWindow();
        QVERIFY(!window->commandAction("item")->isEnabled());
        window->commandAction("item")->trigger();  // no scenario yet: nothing at all
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::None));

        open(*window, folder_->file("Scenario/S/Item1.wid"));
        window->commandAction("item")->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::ItemSearch));
        const QAbstractItemModel* left = window->nameList->model();
        QCOMPARE(left->rowCount(), 2);
        QCOMPARE(cell(left, 0), QStringLiteral("薬草"));
        QCOMPARE(cell(left, 1), QStringLiteral("未定義"));
        QVERIFY(!window->nameList->currentIndex().isValid());
        QCOMPARE(window->resultList->model()->rowCount(), 0);

        window->nameList->setCurrentIndex(left->index(1, 0));
        QCOMPARE(window->resultList->model()->rowCount(), 1);
        QCOMPARE(cell(window->resultList->model(), 0, 6), QStringLiteral("1:選択中"));

        writeTown({build::Event(
            {build::Start("s", {build::Gain(27, 1, 1, 0), build::Gain(27, 5, 1, 0), build::Gain(34, 5, 0, 2)})})});
        window->reloadAction->trigger();
        QCOMPARE(window->nameList->currentIndex().row(), 1);
        QCOMPARE(window->resultList->model()->rowCount(), 2);
        QCOMPARE(cell(window->resultList->model(), 1, 5), QStringLiteral("喪失"));

        // A file added since the last command is searched by the next one.
        writeTown({build::Event({build::Start("t", {build::Gain(27, 5, 1, 0)})})}, "Area2.wid");
        window->reloadAction->trigger();
        QCOMPARE(window->resultList->model()->rowCount(), 3);

        window->commandAction("battle")->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::BattleSearch));
        QCOMPARE(left->rowCount(), 0);
    }

    void aMessageMidCommandNeverShowsAViewDataItWasNotTold()
    {
        // The item search lists the defining files as it reads them; the
        // second one fails, so a message box comes up halfway through.
        for (const char* name : {"Item1.wid", "Item3.wid"}) {
            File item;
            item.kind = 3;
            item.title = name;
            build::WriteFile(folder_->file(std::string("Scenario/S/") + name), build::Encode(item));
        }
        build::WriteFile(folder_->file("Scenario/S/Item2.wid"), "\x07");
        auto window = makeWindow();
        open(*window, folder_->file("Scenario/S/Item1.wid"));
        window->commandAction("item")->trigger();  // lines and a row to start from
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        dialogs_.messages.clear();
        QAbstractItemModel* names = window->nameList->model();
        QAbstractItemModel* rows = window->resultList->model();
        QAbstractItemModelTester nameTester(names);
        QAbstractItemModelTester rowTester(rows);
        int announcedNames = names->rowCount();
        int announcedRows = rows->rowCount();
        connect(names, &QAbstractItemModel::modelReset, this, [&] { announcedNames = names->rowCount(); });
        connect(rows, &QAbstractItemModel::modelReset, this, [&] { announcedRows = rows->rowCount(); });
        std::vector<std::pair<int, int>> seen;
        dialogs_.whileMessageShows
            = [&] { seen.emplace_back(names->rowCount() - announcedNames, rows->rowCount() - announcedRows); };

        window->commandAction("item")->trigger();
        QCOMPARE(seen, (std::vector<std::pair<int, int>>{{0, 0}, {0, 0}}));  // one message from each pass
        QCOMPARE(names->rowCount(), 2);
        QCOMPARE(cell(names, 1), QStringLiteral("Item3.wid"));
    }

    void flagSearchFromTheMenuAndASummaryThatFails()
    {
        build::Summary summary;
        summary.flags = {{"door", "open", "shut"}, {"lamp", "lit", "dark"}};
        build::WriteFile(folder_->file("Scenario/S/Summary.wsm"), build::EncodeSummary(summary));
        writeTown({build::Event({build::Start("s", {build::WithText(15, "lamp")})})});
        auto window = makeWindow();
        open(*window, folder_->file("Scenario/S/Area1.wid"));

        window->commandAction("flag")->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::FlagSearch));
        QCOMPARE((*window)->answer().valueNames.count(), 0);
        const QAbstractItemModel* left = window->nameList->model();
        QCOMPARE(left->rowCount(), 2);
        QCOMPARE(cell(left, 1), QStringLiteral("lamp"));
        window->nameList->setCurrentIndex(left->index(1, 0));
        QCOMPARE(window->resultList->model()->rowCount(), 1);

        summary.flags.insert(summary.flags.begin(), {"bell", "rung", "still"});
        build::WriteFile(folder_->file("Scenario/S/Summary.wsm"), build::EncodeSummary(summary));
        window->reloadAction->trigger();  // the same position now holds another name
        QCOMPARE(left->rowCount(), 3);
        QCOMPARE(window->nameList->currentIndex().row(), 1);
        QCOMPARE(cell(left, 1), QStringLiteral("door"));
        QCOMPARE(window->resultList->model()->rowCount(), 0);

        build::WriteFile(folder_->file("Scenario/S/Summary.wsm"), "broken");
        window->commandAction("step")->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::StepSearch));
        QCOMPARE(dialogs_.messages, (build::Messages{{"Summary.wsmの読み込みに失敗しました", "I'm sorry!"}}));
        window->commandAction("flag")->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::FlagSearch));
        QCOMPARE(left->rowCount(), 0);
        QCOMPARE(dialogs_.messages.size(), size_t(2));
    }

    void linkSearchAsksForAFileAndReloadLeavesItAlone()
    {
        const build::Event event({build::Start("a", {build::WithText(1, "b")}), build::Start("b")});
        const std::string scenarioFile = writeTown({event});
        const std::string elsewhere = writeTown({event}, "../../Elsewhere/Area8.wid");
        build::WriteFile(folder_->file("Elsewhere/Area9.wid"), "\x07");
        for (const int id : {1, 2}) {
            File item;
            item.kind = 3;
            item.storedId = 40000 + id;
            build::WriteFile(folder_->file("Scenario/S/Item" + std::to_string(id) + ".wid"), build::Encode(item));
        }
        auto window = makeWindow();
        window->commandAction("link")->trigger();
        QVERIFY(dialogs_.dialogsShown.empty());  // no scenario: no dialog

        open(*window, scenarioFile);
        window->commandAction("item")->trigger();
        QCOMPARE(window->nameList->model()->rowCount(), 2);
        for (const std::optional<std::string>& answer :
             {std::optional<std::string>(), std::optional(folder_->file("Elsewhere"))}) {
            dialogs_.answers.push_back(answer);
            window->commandAction("link")->trigger();
            QCOMPARE(dialogs_.dialogsShown.back().fileName, std::string());
            QCOMPARE(dialogs_.dialogsShown.back().initialFolder, folder_->file("Scenario/S/"));
            QCOMPARE(dialogs_.dialogsShown.back().filter, DataFilesFilter);
            QCOMPARE(int((*window)->lastCommand()), int(SearchMode::ItemSearch));
            QCOMPARE(window->nameList->model()->rowCount(), 2);
        }

        dialogs_.answers.push_back(folder_->file("Elsewhere/Area9.wid"));
        window->commandAction("link")->trigger();
        QCOMPARE(dialogs_.messages, (build::Messages{{"Area9.widの読み込みに失敗しました", "I'm sorry!"}}));
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::ItemSearch));
        QCOMPARE(window->nameList->model()->rowCount(), 0);
        QCOMPARE((*window)->openDialog().fileName, scenarioFile);

        dialogs_.answers.push_back(elsewhere);
        window->commandAction("link")->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::LinkSearch));
        QCOMPARE((*window)->scenarioFile(), scenarioFile);
        QCOMPARE((*window)->openDialog().fileName, scenarioFile);
        const QAbstractItemModel* left = window->nameList->model();
        QCOMPARE(left->rowCount(), 2);
        window->nameList->setCurrentIndex(left->index(1, 0));
        QCOMPARE(cell(window->resultList->model(), 0, 6), QStringLiteral("b"));

        const std::size_t dialogs = dialogs_.dialogsShown.size();
        window->reloadAction->trigger();
        QCOMPARE(dialogs_.dialogsShown.size(), dialogs);
        QCOMPARE(window->nameList->currentIndex().row(), 1);
        QCOMPARE(window->resultList->model()->rowCount(), 1);
    }

    void checksDisableTheLeftListAndShowTheBusyCursorWhileTheyRun()
    {
        writeTown({build::Event({build::Start("s", {build::Node(14, "r", {build::Start("x"), build::Start("x")})})})});
        build::WriteFile(folder_->file("Scenario/S/Area2.wid"), "\x07");
        auto window = makeWindow();
        open(*window, folder_->file("Scenario/S/Area1.wid"));
        bool sawDisabledEmptyList = false;
        dialogs_.whileMessageShows = [&] {
            sawDisabledEmptyList = !window->nameList->isEnabled() && window->nameList->model()->rowCount() == 0
                && QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };

        window->commandAction("check-branch")->trigger();
        QVERIFY(sawDisabledEmptyList);
        QVERIFY(window->nameList->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::BranchCheck));
        QCOMPARE(window->nameList->model()->rowCount(), 1);
        QCOMPARE(cell(window->nameList->model(), 0), QStringLiteral("チェック！"));

        window->commandAction("check-dialogue")->trigger();  // no dialogue anywhere: nothing listed
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::DialogueCouponCheck));
        QCOMPARE(window->nameList->model()->rowCount(), 0);

        window->commandAction("check-branch")->trigger();
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        std::filesystem::remove(folder_->file("Scenario/S/Area2.wid"));
        writeTown({build::Event({build::Start("s")})});
        window->reloadAction->trigger();
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::BranchCheck));
        QCOMPARE(window->nameList->model()->rowCount(), 0);
        QVERIFY(!window->nameList->currentIndex().isValid());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void multiLineTextsShowOnOneLineWithTheWholeTextAsTip()
    {
        build::Content talk = build::Node(40, "talk");
        talk.dialogueEntries = {{"", "one\r\ntwo\nthree"}, {"", "bye"}};
        auto window = makeWindow();
        open(*window, writeTown({build::Event({build::Start("s", {talk})})}));
        window->commandAction("check-dialogue")->trigger();
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        const QModelIndex value = window->resultList->model()->index(0, 6);
        QCOMPARE(value.data().toString(), QStringLiteral("one↵two↵three"));
        QCOMPARE(value.data(Qt::ToolTipRole).toString(), QStringLiteral("one\r\ntwo\nthree"));
        QVERIFY(!window->resultList->model()->index(0, 1).data(Qt::ToolTipRole).isValid());
    }

    void aFileFromOutsideOpensAsIfChosenWithTheDialog()
    {
        const std::string first = scenario("A"), second = scenario("B");
        auto window = makeWindow();
        (*window)->openGivenFile(folder_->file("Scenario/A"));  // a folder: reported, nothing opened
        QVERIFY((*window)->scenarioFile().empty());
        (*window)->openGivenFile(first);
        QCOMPARE((*window)->scenarioFile(), first);
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "A", "-", "終了"}));

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(second))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->get(), &drop);
        QCOMPARE((*window)->scenarioFile(), second);
        QCOMPARE(
            visibleCaptions(window->fileMenu),
            (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "B", "A", "-", "終了"}));
        QCOMPARE((*window)->windowTitle(),
                 QString::fromStdString(WindowTitleText() + "< " + folder_->file("Scenario/B") + " >"));
    }

    void qtsOwnDialogsSpeakJapaneseWhenTheTranslationIsThere()
    {
        QVERIFY(
            !InstallJapaneseQtTranslations(*QCoreApplication::instance(), QString::fromStdString(folder_->file(""))));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        QVERIFY(InstallJapaneseQtTranslations(*QCoreApplication::instance(),
                                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    }

    void commandsWaitForAScenarioAndReloadForACommand()
    {
        auto window = makeWindow();
        QVERIFY(!window->commandAction("check-start")->isEnabled());
        QVERIFY(!window->reloadAction->isEnabled());
        QVERIFY(!window->saveAction->isEnabled());
        QCOMPARE(window->openAction->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(window->reloadAction->shortcut(), QKeySequence(Qt::Key_F5));
        QVERIFY(!(*window)->windowIcon().pixmap(32, 32).isNull());
        open(*window, itemScenario(false));
        QVERIFY(window->commandAction("check-start")->isEnabled());
        QVERIFY(!window->reloadAction->isEnabled());
        window->reloadAction->trigger();  // before any command: nothing
        QCOMPARE(int((*window)->lastCommand()), int(SearchMode::None));
        QVERIFY(dialogs_.messages.empty());
        window->commandAction("item")->trigger();
        QVERIFY(window->reloadAction->isEnabled());
        QVERIFY(window->saveAction->isEnabled());
    }

    void theTextSearchBarSearchesReloadsAndKeepsItsOptionsAndPatterns()
    {
        {
            auto window = makeWindow();
            open(*window, writeTown({build::Event({build::Start("Town gate", {}), build::Start("town hall", {})})}));
            auto* bar = (*window)->findChild<TextSearchBar*>(QStringLiteral("textBar"));
            QVERIFY(bar && bar->isHidden());
            window->commandAction("text")->trigger();
            QVERIFY(!bar->isHidden());
            auto* pattern = bar->findChild<QComboBox*>(QStringLiteral("textPattern"));
            pattern->setCurrentText(QStringLiteral("TOWN"));
            bar->findChild<QPushButton*>(QStringLiteral("textSearch"))->click();
            QCOMPARE(int((*window)->lastCommand()), int(SearchMode::TextSearch));
            QCOMPARE(lines(*window), (QStringList{"town", "Town"}));  // in the name table's order
            QVERIFY2(statusText(*window).startsWith(QStringLiteral("テキスト「TOWN」: 2 件、3 箇所 (")),
                     qPrintable(statusText(*window)));
            writeTown({build::Event({build::Start("Town gate", {})})});
            window->reloadAction->trigger();
            QCOMPARE((*window)->answer().places(), std::size_t{2});  // the title and one start

            bar->findChild<QCheckBox*>(QStringLiteral("textRegex"))->setChecked(true);
            pattern->setCurrentText(QStringLiteral("(town"));
            bar->findChild<QPushButton*>(QStringLiteral("textSearch"))->click();
            QCOMPARE(dialogs_.messages.size(), std::size_t{1});
            QVERIFY(dialogs_.messages.front().first.starts_with("正規表現が正しくありません: 位置 "));
            QCOMPARE(lines(*window), (QStringList{"Town"}));  // the answer before stays
            (*window)->close();
        }
        auto window = makeWindow();
        auto* bar = (*window)->findChild<TextSearchBar*>(QStringLiteral("textBar"));
        QVERIFY(bar->request().options.regex);
        QCOMPARE(bar->recentPatterns(), std::vector<std::string>{"TOWN"});  // a wrong pattern is not kept
    }

    void theTextSearchSearchesEveryScenarioBelowAChosenFolder()
    {
        auto window = makeWindow();
        writeTown({build::Event({build::Start("Town gate", {})})});
        build::WriteFile(folder_->file("Scenario/S/Summary.wsm"), build::EncodeSummary({}));
        std::filesystem::copy(folder_->file("Scenario/S"), folder_->file("Scenario/T"));
        dialogs_.folderAnswers = {folder_->file("Scenario")};
        (*window)->findChild<QAction*>(QStringLiteral("searchFolder"))->trigger();
        auto* bar = (*window)->findChild<TextSearchBar*>(QStringLiteral("textBar"));
        QVERIFY(!bar->isHidden());
        bar->findChild<QComboBox*>(QStringLiteral("textPattern"))->setCurrentText(QStringLiteral("GATE"));
        bar->findChild<QPushButton*>(QStringLiteral("textSearch"))->click();
        QVERIFY2(lines(*window) == (QStringList{"gate"}), qPrintable(statusText(*window)));
        std::vector<std::string> files;
        for (const HitRow& row : (*window)->answer().rowsOf(0))
            files.emplace_back(row.texts[0].shown());
        QCOMPARE(files, (std::vector<std::string>{"S/Area1.wid", "T/Area1.wid"}));

        std::filesystem::remove_all(folder_->file("Scenario/T"));
        window->reloadAction->trigger();  // the folder again, as it is now
        QCOMPARE((*window)->answer().places(), std::size_t{1});

        std::filesystem::create_directories(folder_->file("Nothing/here"));
        dialogs_.folderAnswers = {folder_->file("Nothing")};
        (*window)->findChild<QAction*>(QStringLiteral("searchFolder"))->trigger();
        bar->findChild<QPushButton*>(QStringLiteral("textSearch"))->click();
        QVERIFY(lines(*window).isEmpty());
        QCOMPARE(statusText(*window), QString::fromStdString(folder_->file("Nothing") + "にはシナリオがありません"));

        // Esc between scenarios stops the search: nothing is answered, and the status line says so.
        build::WriteFile(folder_->file("Scenario/R/broken.wsn"), "not an archive");  // searched first
        std::filesystem::copy(folder_->file("Scenario/S"), folder_->file("Scenario/T"));
        dialogs_.folderAnswers = {folder_->file("Scenario")};
        (*window)->findChild<QAction*>(QStringLiteral("searchFolder"))->trigger();
        QAction* escape = nullptr;
        for (QAction* action : (*window)->actions())
            if (action->shortcut() == QKeySequence(Qt::Key_Escape))
                escape = action;
        QVERIFY(escape);
        dialogs_.whileMessageShows = [&] { escape->trigger(); };
        bar->findChild<QPushButton*>(QStringLiteral("textSearch"))->click();
        dialogs_.whileMessageShows = nullptr;
        QCOMPARE(dialogs_.messages.back().first, std::string("R/broken.wsnの読み込みに失敗しました"));
        QVERIFY(lines(*window).isEmpty());
        QCOMPARE(statusText(*window), QStringLiteral("テキスト「GATE」: 中止しました"));
        QVERIFY((*window)->menuBar()->isEnabled() && bar->isEnabled());

        open(*window, folder_->file("Scenario/S/Area1.wid"));  // a scenario opened is what is searched again
        bar->findChild<QPushButton*>(QStringLiteral("textSearch"))->click();
        QCOMPARE((*window)->answer().places(), std::size_t{1});
        QCOMPARE(std::string((*window)->answer().rowsOf(0).front().texts[0].shown()), std::string("Area1.wid"));
    }

    void theStatusLineCountsNamesPlacesAndUnreadableFiles()
    {
        auto window = makeWindow();
        open(*window, itemScenario(true));
        window->commandAction("item")->trigger();
        const QString status = statusText(*window);
        QVERIFY2(
            status.startsWith(QStringLiteral("アイテム: 2 件、3 箇所、読み込めなかったファイル 1 件: Area9.wid (")),
            qPrintable(status));
        QVERIFY(status.endsWith(QStringLiteral(" 秒)")));
        window->commandAction("check-branch")->trigger();
        QVERIFY(statusText(*window).startsWith(
            QStringLiteral("分岐チェック: 問題は見つかりませんでした、読み込めなかったファイル 1 件: Area9.wid")));
        std::filesystem::remove(folder_->file("Scenario/S/Area9.wid"));
        window->commandAction("item")->trigger();
        window->commandAction("sound")->trigger();
        QVERIFY2(statusText(*window).startsWith(QStringLiteral("効果音: 見つかりませんでした (")),
                 qPrintable(statusText(*window)));
    }

    void copyFilterAndASecondClickThatTurnsTheOrderRound()
    {
        auto window = makeWindow();
        open(*window, itemScenario(false));
        window->commandAction("item")->trigger();
        QAbstractItemModelTester names(window->nameList->model());
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        window->copySelection();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Herb"));

        window->resultList->selectAll();
        window->copySelection();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("\tfilename\tイベント所属\t先頭スタート名\t所属スタート名\t種類\t値\n"
                                "1\tArea1.wid\tTown\ts[1]\ts\t入手\t1:選択中\n"
                                "2\tArea1.wid\tTown\ts[1]\ts\t喪失\t2:誰か\n"));

        window->sortByColumn(5);  // as Shift-JIS bytes, 喪失 sorts before 入手
        QCOMPARE(cell(window->resultList->model(), 0, 5), QStringLiteral("喪失"));
        window->sortByColumn(5);
        QCOMPARE(cell(window->resultList->model(), 0, 5), QStringLiteral("入手"));
        QCOMPARE(window->resultList->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        QVERIFY(window->resultList->header()->isSortIndicatorShown());
        window->sortByColumn(5);
        QCOMPARE(cell(window->resultList->model(), 0, 5), QStringLiteral("喪失"));

        window->filterAction->trigger();
        window->filterField->setText(QStringLiteral("ＳＷ"));  // full-width, other case
        QCOMPARE(window->nameList->model()->rowCount(), 1);
        QCOMPARE(cell(window->nameList->model(), 0), QStringLiteral("Sword"));
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        QCOMPARE((*window)->lists().selectedLine(), 1);
        QTest::keyClick(window->filterField, Qt::Key_Escape);
        QCOMPARE(window->nameList->model()->rowCount(), 2);
        QCOMPARE(window->nameList->currentIndex().row(), 1);
    }

    void theSavedAnswerIsWhatTheCommandLinePrints()
    {
        auto window = makeWindow();
        open(*window, itemScenario(true));
        window->commandAction("item")->trigger();
        const std::string csv = folder_->file("answer.csv"), json = folder_->file("answer.json");
        dialogs_.saveAnswers = {SaveChoice{csv, AnswerFormat::Csv}, SaveChoice{json, AnswerFormat::Json}};
        window->saveAnswer();
        window->saveAnswer();
        const std::string scenario = folder_->file("Scenario/S");
        QVERIFY(readAll(csv).starts_with("\xEF\xBB\xBF"));
        QCOMPARE(readAll(csv), cli({"--csv", "item", scenario}));
        QCOMPARE(readAll(json), cli({"--json", "item", scenario}));
    }

    void autoReloadFollowsTheAuthorsEditsAndKeepsTheName()
    {
        {
            std::ofstream(settingsPath_) << "[OPTIONS]\r\nAutoReload=1\r\n";
        }
        auto window = makeWindow();
        QVERIFY(window->autoReloadAction->isChecked());
        open(*window, itemScenario(false));
        window->commandAction("item")->trigger();
        window->nameList->setCurrentIndex(window->nameList->model()->index(1, 0));  // Sword
        // Herb is gone; Sword now stands first and is used twice.
        std::filesystem::remove(folder_->file("Scenario/S/Item1.wid"));
        writeTown({build::Event({build::Start("t", {build::Gain(27, 2, 0, 2), build::Gain(34, 2, 1, 0)})})});
        QTRY_COMPARE_WITH_TIMEOUT(window->resultList->model()->rowCount(), 2, 10000);
        QCOMPARE(cell(window->nameList->model(), window->nameList->currentIndex().row()), QStringLiteral("Sword"));

        window->autoReloadAction->setChecked(false);
        writeTown({});
        QTest::qWait(1500);
        QCOMPARE(window->resultList->model()->rowCount(), 2);
        QVERIFY(window->closeAndSaveSettings(dialogs_));
        QVERIFY(!LoadSettings(settingsPath_).autoReload);
    }

    void aGivenFileThatIsMissingOrAFolderIsReported()
    {
        auto window = makeWindow();
        (*window)->openGivenFile(folder_->file("Scenario/none.wid"));
        (*window)->openGivenFile(folder_->file(""));
        QCOMPARE(dialogs_.messages.size(), size_t(2));
        QVERIFY(dialogs_.messages[0].first.ends_with(" が見つかりません"));
        QVERIFY(dialogs_.messages[1].first.find("はフォルダです") != std::string::npos);
        QVERIFY((*window)->scenarioFile().empty());
    }

    void closingWithoutAScenarioKeepsTheRememberedFolder()
    {
        {
            std::ofstream(settingsPath_) << "[PATH]\r\nOpenPath=/home/author/Scenario/\r\n";
        }
        auto window = makeWindow();
        QVERIFY(window->closeAndSaveSettings(dialogs_));
        QCOMPARE(LoadSettings(settingsPath_).openPath, std::string("/home/author/Scenario/"));
    }

    void numbersFitTheirColumnAndCutOffTextsShowWholeAsTips()
    {
        auto window = makeWindow();
        fillAnswer(*window, 1, 99);
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        QTreeView* rows = window->resultList;
        const QModelIndex last = rows->model()->index(98, 0);
        QCOMPARE(last.data().toString(), QStringLiteral("99"));
        QStyleOptionViewItem option;
        option.initFrom(rows);
        QVERIFY(rows->itemDelegate()->sizeHint(option, last).width() <= rows->header()->sectionSize(0));

        rows->header()->resizeSection(1, 30);
        const QModelIndex file = rows->model()->index(0, 1);
        rows->scrollTo(file);
        const QRect cellRect = rows->visualRect(file);
        QHelpEvent tip(QEvent::ToolTip, cellRect.center(), rows->viewport()->mapToGlobal(cellRect.center()));
        QApplication::sendEvent(rows->viewport(), &tip);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Area00.wid"));
    }

    void theLinkSearchsLinesNameTheirEvent()
    {
        const std::string town = writeTown({build::Event({build::Start("go")}), build::Event({build::Start("go")})});
        auto window = makeWindow();
        open(*window, town);
        dialogs_.answers.push_back(town);
        window->commandAction("link")->trigger();
        const QAbstractItemModel* names = window->nameList->model();
        QCOMPARE(names->rowCount(), 2);
        QCOMPARE(names->index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("Town / go[2]"));
        QCOMPARE(names->index(1, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("Town / go[1]"));
    }
    void automaticReloadOverADamagedFileShowsNoBoxAndNamesItInTheStatusLine()
    {
        {
            std::ofstream(settingsPath_) << "[OPTIONS]\r\nAutoReload=1\r\n";
        }
        auto window = makeWindow();
        open(*window, itemScenario(false));
        window->commandAction("item")->trigger();
        build::WriteFile(folder_->file("Scenario/S/Area98.wid"), "\x07 half written");
        QTRY_VERIFY_WITH_TIMEOUT(statusText(*window).contains(QStringLiteral("Area98.wid")), 10000);
        QVERIFY2(dialogs_.messages.empty(), "no message box by itself");
        QVERIFY(statusText(*window).contains(QStringLiteral("読み込めなかったファイル 1 件: Area98.wid (")));
        QCOMPARE(window->statusLabel->toolTip(), QStringLiteral("Area98.wid"));
        QCOMPARE(window->nameList->model()->rowCount(), 2);  // what could be read is listed

        build::WriteFile(folder_->file("Scenario/S/Area98.wid"), build::Encode(File{}));  // written to the end
        QTRY_VERIFY_WITH_TIMEOUT(!statusText(*window).contains(QStringLiteral("Area98.wid")), 10000);
        QVERIFY(dialogs_.messages.empty());

        build::WriteFile(folder_->file("Scenario/S/Area97.wid"), "\x07");
        window->commandAction("item")->trigger();  // a command the user starts still shows its box
        QCOMPARE(dialogs_.messages, (build::Messages{{"Area97.widの読み込みに失敗しました", "I'm sorry!"}}));
    }

    void aPickWithoutAScenarioOrThatCannotBeReadAnswersNothingElse()
    {
        const std::string texts = folder_->file("Scenario/texts.wsn");
        build::WriteArchive(texts, {{"a.txt", "one"}, {"b.txt", "two"}});
        const std::string broken = folder_->file("Scenario/broken.zip");
        build::WriteFile(broken, "this is no zip");
        auto window = makeWindow();
        open(*window, texts);
        QCOMPARE(statusText(*window), QStringLiteral("texts.wsnにはシナリオがありません"));
        for (const char* command : {"check-start", "check-branch", "check-dialogue", "check-undefined", "item"}) {
            window->commandAction(command)->trigger();
            QCOMPARE(statusText(*window), QStringLiteral("texts.wsnにはシナリオがありません"));
            QVERIFY((*window)->answer().leftLines().empty());
        }
        QVERIFY(dialogs_.messages.empty());

        open(*window, broken);
        QCOMPARE(statusText(*window), QStringLiteral("broken.zipの読み込みに失敗しました"));
        for (const char* command : {"check-dialogue", "link"}) {
            window->commandAction(command)->trigger();
            QCOMPARE(statusText(*window), QStringLiteral("broken.zipの読み込みに失敗しました"));
        }
        QCOMPARE(dialogs_.messages,
                 (build::Messages{{"broken.zipの読み込みに失敗しました", "I'm sorry!"},
                                  {"broken.zipの読み込みに失敗しました", "I'm sorry!"}}));
    }

    void automaticReloadSeesAnArchiveOrASummaryWrittenAnew()
    {
        {
            std::ofstream(settingsPath_) << "[OPTIONS]\r\nAutoReload=1\r\n";
        }
        const auto items = [](int count) {
            std::vector<build::ArchiveEntry> entries;
            for (int i = 1; i <= count; ++i) {
                File item;
                item.kind = 3;
                item.title = "Item " + std::to_string(i);
                item.storedId = 40000 + i;
                entries.push_back({"Item" + std::to_string(i) + ".wid", build::Encode(item)});
            }
            return entries;
        };
        const std::string archive = folder_->file("Scenario/packed.wsn");
        build::WriteArchive(archive, items(1));
        auto window = makeWindow();
        open(*window, archive);
        window->commandAction("item")->trigger();
        QCOMPARE(window->nameList->model()->rowCount(), 1);
        std::filesystem::remove(archive);  // as packing tools write an archive: away, then anew
        QTest::qWait(800);
        build::WriteArchive(archive, items(2));
        QTRY_COMPARE_WITH_TIMEOUT(window->nameList->model()->rowCount(), 2, 10000);

        build::Summary summary;
        summary.flags = {{"f", "on", "off"}};
        build::WriteFile(folder_->file("Scenario/S/Summary.wsm"), build::EncodeSummary(summary));
        open(*window, writeTown({}));
        window->commandAction("flag")->trigger();
        QCOMPARE(window->nameList->model()->rowCount(), 1);
        std::filesystem::remove(folder_->file("Scenario/S/Summary.wsm"));
        QTest::qWait(800);
        summary.flags.push_back({"g", "on", "off"});
        build::WriteFile(folder_->file("Scenario/S/Summary.wsm"), build::EncodeSummary(summary));
        QTRY_COMPARE_WITH_TIMEOUT(window->nameList->model()->rowCount(), 2, 10000);
    }

    void anArchiveIsALineOfTheHistoryAndItsLinkSearchPicksAnEntry()
    {
        const std::string xml = folder_->file("Scenario/Xml");
        build::WriteXmlScenario(xml, build::DemoSummary(), build::DemoDataFiles());
        const std::string first = folder_->file("Scenario/First.wsn"), second = folder_->file("Scenario/Second.wsn");
        build::WriteArchive(first, build::EntriesOfFolder(xml));
        build::WriteArchive(second, build::EntriesOfFolder(xml));
        auto window = makeWindow();
        open(*window, first);
        open(*window, second);
        QCOMPARE((*window)->history()[0], second);
        QCOMPARE((*window)->history()[1], first);
        QCOMPARE(visibleCaptions(window->fileMenu),
                 (QStringList{"オープン", "フォルダを検索…", "結果を保存…", "自動リロード", "-", "Second.wsn",
                              "First.wsn", "-", "終了"}));
        QVERIFY(OpenDialogState{}.filter.starts_with("シナリオ|Summary.wsm;Summary.xml;*.wid;"));

        dialogs_.archiveAnswers.push_back("Area/Area4.xml");
        const std::size_t fileDialogs = dialogs_.dialogsShown.size();
        window->commandAction("link")->trigger();
        QCOMPARE(dialogs_.archiveListsShown.size(), size_t(1));
        const std::vector<std::string>& offered = dialogs_.archiveListsShown[0];
        QVERIFY(std::find(offered.begin(), offered.end(), "Area/Area4.xml") != offered.end());
        QVERIFY(std::find(offered.begin(), offered.end(), "Summary.xml") == offered.end());
        QVERIFY2(dialogs_.dialogsShown.size() == fileDialogs, "no file dialog for an archive");
        QVERIFY(window->nameList->model()->rowCount() > 0);
        const std::string saved = folder_->file("link.json");
        dialogs_.saveAnswers = {SaveChoice{saved, AnswerFormat::Json}};
        window->saveAnswer();
        QCOMPARE(readAll(saved), cli({"--json", "link", second, "Area/Area4.xml"}));

        open(*window, xml + "/Summary.xml");
        dialogs_.answers.push_back(std::nullopt);
        window->commandAction("link")->trigger();
        QCOMPARE(dialogs_.dialogsShown.back().filter, DataFilesFilter);
    }

    void resultColumnsFitTheirTextsAndTheLastStretches()
    {
        const std::string xml = folder_->file("Scenario/Xml");
        build::WriteXmlScenario(xml, build::DemoSummary(), build::DemoDataFiles());
        auto window = makeWindow();
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
        open(*window, xml + "/Summary.xml");
        window->commandAction("item")->trigger();
        window->nameList->setCurrentIndex(window->nameList->model()->index(0, 0));
        QHeaderView* header = window->resultList->header();
        QVERIFY(header->stretchLastSection());
        const QFontMetrics metrics(window->resultList->font());
        QVERIFY2(header->sectionSize(1) >= metrics.horizontalAdvance(QStringLiteral("CastCard/Mate1.xml")),
                 qPrintable(QString::number(header->sectionSize(1))));
        QVERIFY(window->nameList->width() >= QFontMetrics(window->nameList->font())
                                                 .horizontalAdvance(QStringLiteral("パッケージ: 2 使われない倉庫")));
    }

    void theStatusLineStaysWhileMenusOpenAndClose()
    {
        auto window = makeWindow();
        open(*window, itemScenario(false));
        window->commandAction("check-branch")->trigger();
        const QString clean = statusText(*window);
        QVERIFY2(clean.startsWith(QStringLiteral("分岐チェック: 問題は見つかりませんでした (")), qPrintable(clean));
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
        window->fileMenu->popup(window->fileMenu->pos());
        QStatusTipEvent tip(QString{});  // what hovering an item of a menu sends
        QApplication::sendEvent(window->get(), &tip);
        window->fileMenu->hide();
        QCOMPARE(statusText(*window), clean);
        QVERIFY(window->statusLabel->isVisible());
    }

    void theLinkSearchCountsStartsAndLinksAndDimsTheEventOfARepeatedName()
    {
        const std::string town
            = writeTown({build::Event({build::Start("go", {build::WithText(1, "back")}), build::Start("back")}),
                         build::Event({build::Start("go")})});
        auto window = makeWindow();
        open(*window, town);
        dialogs_.answers.push_back(town);
        window->commandAction("link")->trigger();
        QVERIFY2(statusText(*window).startsWith(QStringLiteral("リンク: スタート 3 件、リンク・コール 1 箇所 (")),
                 qPrintable(statusText(*window)));
        const QAbstractItemModel* names = window->nameList->model();
        QCOMPARE(cell(names, 0), QStringLiteral("back"));
        QVERIFY2(!names->index(0, 0).data(DimmedSuffixRole).isValid(), "a name standing once");
        QCOMPARE(names->index(1, 0).data(DimmedSuffixRole).toString(), QStringLiteral("Town / go[2]"));
        QCOMPARE(names->index(2, 0).data(DimmedSuffixRole).toString(), QStringLiteral("Town / go[1]"));
        QCOMPARE(names->index(2, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("Town / go[1]"));
        (*window)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->get()));
        QVERIFY(!window->nameList->grab().isNull());  // drawn with its suffixes
    }

    void answersAreSavedWhereTheLastOneWasAndTheStatusLineSaysSo()
    {
        auto window = makeWindow();
        open(*window, itemScenario(false));
        window->commandAction("item")->trigger();
        const std::string first = folder_->file("answers/first.csv");
        std::filesystem::create_directories(folder_->file("answers"));
        dialogs_.saveAnswers = {SaveChoice{first, AnswerFormat::Csv}, std::nullopt};
        window->saveAnswer();
        QCOMPARE(dialogs_.saveFolders.at(0),
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
        QCOMPARE(statusText(*window), QString::fromStdString("保存しました: " + first));
        window->saveAnswer();
        QCOMPARE(dialogs_.saveFolders.at(1), folder_->file("answers/"));
        QVERIFY(window->closeAndSaveSettings(dialogs_));
        QCOMPARE(LoadSettings(settingsPath_).savePath, folder_->file("answers/"));

        auto again = makeWindow();
        open(*again, itemScenario(false));
        again->commandAction("item")->trigger();
        again->saveAnswer();
        QCOMPARE(dialogs_.saveFolders.back(), folder_->file("answers/"));  // kept in the settings file
    }

    void aFilterSaysHowManyNamesRemainAndAFolderWithoutSummarySaysSo()
    {
        auto window = makeWindow();
        open(*window, itemScenario(false));
        QVERIFY2(statusText(*window).contains(QStringLiteral("Summary.wsm がありません")),
                 qPrintable(statusText(*window)));
        QCOMPARE(window->filterField->placeholderText(), QStringLiteral("名前で絞り込み (Ctrl+F)"));
        window->commandAction("item")->trigger();
        QVERIFY(window->filterCount->isHidden());
        window->filterField->setText(QStringLiteral("sw"));
        QCOMPARE(window->filterCount->text(), QStringLiteral("表示 1/2"));
        QVERIFY(!window->filterCount->isHidden());
        window->filterField->clear();
        QVERIFY(window->filterCount->isHidden());

        build::WriteFile(folder_->file("Scenario/T/Summary.wsm"), build::EncodeSummary({}));
        const std::string opened = writeTown({}, "../T/Area1.wid");
        open(*window, opened);
        QCOMPARE(statusText(*window), QString::fromStdString("開きました: " + opened));
    }

    void everyCommandHasAKeyOfItsOwnBesideTheStandardOnes()
    {
        auto window = makeWindow();
        QCOMPARE(window->commandAction("flag")->shortcut(), QKeySequence(QStringLiteral("Ctrl+1")));
        QCOMPARE(window->commandAction("check-start")->shortcut(), QKeySequence(QStringLiteral("F6")));
        QAction* quit = (*window)->findChild<QAction*>(QStringLiteral("quit"));
        QCOMPARE(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QList<QKeySequence> standard;
        for (const auto key : {QKeySequence::Open, QKeySequence::Save, QKeySequence::Copy, QKeySequence::Find,
                               QKeySequence::Quit, QKeySequence::Refresh, QKeySequence::SelectAll, QKeySequence::Undo,
                               QKeySequence::Redo, QKeySequence::Close, QKeySequence::New, QKeySequence::Print,
                               QKeySequence::HelpContents, QKeySequence::FindNext, QKeySequence::FullScreen})
            standard << QKeySequence::keyBindings(key);
        QSet<QString> seen;
        for (QAction* action : (*window)->findChildren<QAction*>()) {
            if (action->shortcut().isEmpty())
                continue;
            const QString key = action->shortcut().toString();
            QVERIFY2(!seen.contains(key), qPrintable(key));
            seen.insert(key);
        }
        for (const Command& command : Commands()) {
            const QKeySequence key(QString::fromUtf8(command.shortcut));
            QVERIFY2(!key.isEmpty(), command.name);
            QVERIFY2(!standard.contains(key), command.name);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
