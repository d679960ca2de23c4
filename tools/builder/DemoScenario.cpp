#include "tools/builder/DemoScenario.h"

#include "scenario/ContentKind.h"
#include "tools/builder/Encoding.h"

namespace quorvel::build {

namespace {

std::string sj(const std::string& utf8)
{
    return Sjis(utf8);
}

File defining(std::uint8_t kind, const std::string& title, std::int32_t id)
{
    File file;
    file.kind = kind;
    file.title = sj(title);
    file.storedId = kind == 8 ? id : id + 40000;
    return file;
}

Content start(const std::string& name, std::vector<Content> children)
{
    return Start(sj(name), std::move(children));
}

Content named(Content content, const std::string& name)
{
    content.name = sj(name);
    return content;
}

Content withText(std::uint8_t kind, const std::string& text, const std::string& name)
{
    return named(WithText(kind, sj(text)), name);
}

Content flagChange(const std::string& flag, std::int8_t value, const std::string& name)
{
    Content change = withText(16, flag, name);
    change.option = value;
    return change;
}

Content stepChange(const std::string& step, std::int32_t value, const std::string& name)
{
    Content change = withText(18, step, name);
    change.number = value;
    return change;
}

Content coupon(std::uint8_t kind, const std::string& name, std::int8_t target, const std::string& contentName)
{
    Content content = withText(kind, name, contentName);
    content.option = target;
    return content;
}

Cell cellWithFlag(const std::string& flag)
{
    Cell cell;
    cell.flag = sj(flag);
    return cell;
}

Content ways(std::uint8_t kind, const std::string& name, const std::vector<std::string>& wayNames,
             std::vector<Content> firstWay = {})
{
    std::vector<Content> children;
    for (const std::string& way : wayNames)
        children.push_back(Start(sj(way)));
    if (!children.empty())
        children.front().children = std::move(firstWay);
    return named(Node(kind, {}, std::move(children)), name);
}

Content dialogue(const std::string& name, const std::vector<std::pair<std::string, std::string>>& entries)
{
    Content content = named(Node(40), name);
    for (const auto& [condition, text] : entries)
        content.dialogueEntries.push_back({sj(condition), sj(text)});
    return content;
}

// Branches for the branch check: two named alike, three ways (one nested
// inside another's way), and clean ones.
std::vector<Content> branches()
{
    return {ways(14, "運試し", {"当たり", "当たり"}), ways(12, "誰が行く", {"先頭", "最後"}),
            ways(46, "腕前", {"高い", "普通", "低い"}, {ways(13, "力比べ", {"勝ち", "負け", "引き分け"})}),
            ways(57, "終わったか", {"済み", "未了"})};
}

// Flags and steps, used and unused; 宝箱 is declared twice.
Summary summary()
{
    Summary file;
    file.steps = {
        {sj("物語の進行"), {sj("序章"), sj("旅立ち"), sj("森の試練"), sj("決戦前夜"), sj("終章"), "", "", "", "", ""}},
        {sj("使われない段階"), {}}};
    file.flags = {{sj("門の鍵"), sj("開いた"), sj("閉じた")},
                  {sj("灯台の火"), sj("灯った"), sj("消えた")},
                  {sj("宝箱"), sj("開けた"), sj("未開封")},
                  {sj("宝箱"), sj("空っぽ"), sj("中身あり")},
                  {sj("使われないフラグ"), sj("はい"), sj("いいえ")}};
    return file;
}

File town()
{
    File file = defining(0, "港町", 1);
    Content greet = named(Node(40), "店主");
    greet.dialogueEntries = {{"", sj("いらっしゃい")}};
    file.events = {
        Event({start("到着",
                     {named(Gain(27, 1, 2, 1), "薬草を得る"), named(Gain(28, 1, 1, 0), "火球を覚える"),
                      named(WithNumber(29, 1), "噂を聞く"), named(WithNumber(5, 2), "森へ"),
                      flagChange("門の鍵", 1, "門を開ける"), stepChange("物語の進行", 1, "旅の始まり"),
                      coupon(32, "勇者", 0, "勇者と呼ばれる"), withText(61, "港の噂話", "噂が立つ"),
                      withText(9, "bell.wav", "鐘が鳴る")})}),
        Event({start("買い物",
                     {greet, named(Gain(20, 2, 1, 2), "剣を持つか"), named(Gain(34, 1, 0, 2), "薬草を使う"),
                      named(WithNumber(53, 1), "倉庫へ"), withText(15, "門の鍵", "門は開いたか"),
                      withText(65, "宝箱", "宝箱を調べる"), coupon(25, "勇者", 1, "勇者か")})}),
    };
    Card gate;
    gate.name = sj("門番");
    gate.flag = sj("門の鍵");
    gate.events = {Event({start("話す",
                                {named(WithNumber(2, 1), "戦う"), named(Gain(27, 9, 1, 0), "謎の品"),
                                 withText(43, "灯台の火", "火を消す"), withText(41, "物語の進行", "話が進む"),
                                 coupon(39, "勇者", 2, "称号を剥ぐ")})})};
    file.cards = {gate};
    file.cells = {Cell{}, cellWithFlag("灯台の火")};
    return file;
}

File forest()
{
    File file = defining(0, "森", 2);
    Content night = named(Node(8), "夜になる");
    night.cells = {cellWithFlag("灯台の火"), Cell{}, cellWithFlag("幽霊の灯")};
    file.events = {Event({start("探索",
                                {named(Gain(30, 1, 1, 1), "狼を従える"), named(WithNumber(2, 7), "罠"),
                                 named(WithNumber(5, 1), "港町へ"), named(WithNumber(54, 1), "倉庫を呼ぶ"), night,
                                 stepChange("物語の進行", 2, "試練"), stepChange("物語の進行", 12, "先走り"),
                                 flagChange("宝箱", 0, "宝箱を開ける"), flagChange("幽霊の灯", 1, "灯をともす"),
                                 withText(17, "謎の段階", "どこまで来たか"), coupon(32, "森の友", 3, "友になる"),
                                 coupon(32, "森の友", 4, "皆が友になる"), withText(60, "港の噂話", "噂を知るか"),
                                 withText(9, "wolf.wav", "遠吠え")}),
                          start("迷う", branches())})};
    return file;
}

File ambush()
{
    File file = defining(1, "山賊の待ち伏せ", 1);
    Card bandit;
    bandit.events = {Event({start("倒した",
                                  {named(Gain(27, 2, 1, 1), "剣を奪う"), named(WithNumber(5, 5), "洞窟へ"),
                                   coupon(32, "山賊殺し", 5, "名を上げる"), withText(11, "bell.wav", "勝利")})})};
    Card chief = bandit;
    chief.flag = sj("宝箱");
    file.cards = {bandit, chief};
    return file;
}

File hero()
{
    File file = defining(2, "主人公", 1);
    Card herb;
    herb.name = sj("薬草");
    herb.storedId = 40001;
    herb.events = {Event({start("使う",
                                {named(Gain(34, 1, 1, 0), "消える"), withText(61, "竜の話", "思い出す"),
                                 dialogue("独り言", {{"森の友", "まだ使える"}, {" ", "もう使えない"}, {"", "…"}})})})};
    file.cards = {herb};
    Card fire;
    fire.name = sj("火球");
    fire.storedId = 40001;
    fire.events = {Event({start("唱える", {named(Gain(23, 1, 1, 1), "狼がいるか")})})};
    file.skills = {fire};
    return file;
}

File storehouse()
{
    File file = defining(8, "倉庫", 1);
    file.events
        = {Event({start("開ける", {named(Gain(27, 3, 1, 4), "古い剣"), withText(62, "港の噂話", "噂を忘れる")})})};
    return file;
}

// Links and calls for the link search: to a start of their own event, of an
// earlier event, of a later event only, of no event; 廊下 starts both events.
File mansion()
{
    File file = defining(0, "迷いの館", 4);
    file.events = {
        Event({start("入口", {withText(1, "廊下", "奥へ"), withText(52, "地下室", "下を呼ぶ")}),
               start("廊下", {withText(52, "入口", "戻る")})}),
        Event({start("地下室", {withText(1, "入口", "階段を上る")}), start("廊下", {withText(1, "屋根裏", "梯子")})}),
        Event({start(
            "Garden",
            {withText(1, "garden", "一回り"), withText(1, "Gate", "門へ"), withText(52, "gate", "門番を呼ぶ")})}),
    };
    return file;
}

Content twoNames(std::uint8_t kind, const std::string& first, const std::string& second, const std::string& name)
{
    Content content = withText(kind, first, name);
    content.text2 = sj(second);
    return content;
}

Cell typedCell(std::uint8_t type, const std::string& text, const std::string& flag)
{
    Cell cell = cellWithFlag(flag);
    cell.numbers[2] = 60000;
    cell.type = type;
    cell.text = sj(text);
    cell.style = 0x10;
    cell.gradient = 1;
    return cell;
}

// The contents, dialogues and cells of the later revisions of the format.
File lighthouse()
{
    File file = defining(0, "灯台", 5);
    Content nightfall = named(Node(8), "日が暮れる");
    nightfall.cells = {typedCell(2, "灯台へようこそ", "灯台の火"), typedCell(3, "", "")};
    Content keeper = named(Node(40), "灯台守");
    keeper.option = 3;  // the speaker is chosen by coupon score
    keeper.couponScores = {{"", 10}, {sj("勇者"), 5}, {sj("森の友"), -2}};
    keeper.dialogueEntries = {{"", sj("火を絶やすな")}};
    Content check = withText(72, "物語の進行", "決戦は近いか");
    check.number = 3;
    check.option = 2;
    Content round = ways(73, "三回目か", {"○", "×", "○"});
    round.number = 3;
    file.events = {Event(
        {start("見張り",
               {twoNames(67, "門の鍵", "灯台の火", "火を移す"), twoNames(67, "??Random", "宝箱", "運任せ"),
                named(twoNames(69, "灯台の火", "門の鍵", "火と鍵"), "火と鍵"),
                twoNames(66, "物語の進行", "使われない段階", "写す"), twoNames(68, "物語の進行", "謎の段階", "比べる"),
                check, ways(70, "誰か選ぶ", {"○", "×"}), ways(71, "鍵を回す", {"○", "×"}), round, keeper, nightfall,
                named(WithNumber(5, 9), "崖へ")})})};  // no area 9
    file.cells = {typedCell(2, "灯台", "門の鍵")};
    return file;
}

// A skill whose effect summons a beast; the beast's event gives the party a lantern.
File fireball()
{
    File file = defining(5, "火球", 1);
    Effect summon;
    summon.type = 0x40808;
    summon.embedsCard = true;
    summon.embeddedName = sj("火の精");
    summon.embeddedEvents = {Event({start("灯す", {named(Gain(27, 4, 1, 0), "ランタンを渡す")})})};
    file.body.effects = {summon};
    return file;
}

}  // namespace

std::vector<NamedFile> DemoDataFiles()
{
    File dragon = defining(1, "竜との決戦", 2);
    dragon.events = {Event({start("対面",
                                  {dialogue("竜が語る", {{"", "よく来たな\r\n"}, {"勇者", "勇者よ、待っていた\r\n"}}),
                                   dialogue("竜が問う", {{"勇者", "覚悟はよいか"}, {"", "去れ"}})})})};
    return {
        {"Area1.wid", town()},
        {"Area2.wid", forest()},
        {"Area3.wid", defining(0, "誰も来ない島", 3)},
        {"Area4.wid", mansion()},
        {"Area5.wid", lighthouse()},
        {"Battle1.wid", ambush()},
        {"Battle2.wid", dragon},
        {"Mate1.wid", hero()},
        {"Item1.wid", defining(3, "薬草", 1)},
        {"Item2.wid", defining(3, "剣", 2)},
        {"Item3.wid", defining(3, "古い剣", 2)},
        {"Item4.wid", defining(3, "ランタン", 4)},
        {"Skill1.wid", fireball()},
        {"Skill2.wid", defining(5, "氷槍", 2)},
        {"Info1.wid", defining(4, "港の噂", 1)},
        {"Info2.wid", defining(4, "古い地図", 2)},
        {"Beast1.wid", defining(6, "狼", 1)},
        {"Package1.wid", storehouse()},
        {"Package2.wid", defining(8, "使われない倉庫", 2)},
    };
}

Summary DemoSummary()
{
    return summary();
}

void AddVersionFourParts(Summary& declared, std::vector<NamedFile>& files)
{
    declared.variants = {{sj("旅の記録"), "String", sj("なし")}, {sj("使われないコモン"), "Number", "0"}};
    const std::string chanting = sj("\\氷槍\\詠唱中");
    Content record = named(Node(xml_only::SetVariant), "記録する");
    record.text = sj("旅の記録");
    record.text2 = sj("@\"旅の記録\" ~ \"、氷槍\"");
    Content shout = named(Node(6), "叫ぶ");
    shout.text2 = "%" + chanting + sj("%: @旅の記録@");
    for (NamedFile& entry : files) {
        if (entry.name == "Skill2.wid") {
            entry.file.declarations.flags = {{chanting, {sj("唱えている"), sj("黙っている")}}};
            entry.file.events
                = {Event({start("唱える", {flagChange("\\氷槍\\詠唱中", 1, "詠唱を始める"), record, shout})})};
        } else if (entry.name == "Area1.wid") {
            Content diary = named(Node(6), "日記を読む");
            diary.text2 = sj("これまでの旅: @旅の記録@");
            entry.file.events.front().starts.front().children.push_back(diary);
        }
    }
}

void WriteDemoMaterials(const std::string& folder)
{
    // A WAVE file of no samples: its RIFF header alone (16-bit mono PCM at 22,050 Hz).
    const auto twoBytes = [](std::uint8_t low) { return std::string{static_cast<char>(low), '\0'}; };
    ByteWriter wave;
    wave.bytes("RIFF").int32(36).bytes("WAVEfmt ").int32(16);
    wave.bytes(twoBytes(1)).bytes(twoBytes(1)).int32(22050).int32(44100).bytes(twoBytes(2)).bytes(twoBytes(16));
    wave.bytes("data").int32(0);
    WriteFile(folder + "/bell.wav", wave.str());
    WriteFile(folder + "/Material/old_map.png", std::string("\x89PNG\r\n\x1a\n", 8));  // its signature alone
}

}  // namespace quorvel::build
