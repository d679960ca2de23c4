#include "app/ScenarioStatus.h"

#include "scenario/FileSystem.h"

namespace quorvel {

std::string WithoutFinalSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == PathSeparator())
        path.pop_back();
    return path;
}

std::optional<std::string> ScenarioProblem(const ScenarioSource& scenario)
{
    if (const std::optional<std::string> name = scenario.unreadable())
        return *name + "の読み込みに失敗しました";
    if (scenario.holdsScenario())
        return std::nullopt;
    return FileNamePart(WithoutFinalSeparators(scenario.location())) + "にはシナリオがありません";
}

std::string OpenedStatus(const ScenarioSource& scenario, const std::string& picked)
{
    if (const std::optional<std::string> problem = ScenarioProblem(scenario))
        return *problem;
    // A folder without a summary opens all the same; the flag and step
    // searches would only say so later.
    if (!scenario.hasSummary())
        return "開きました: " + picked + "、このフォルダには " + scenario.summaryName()
            + " がありません (フラグとステップは検索できません)";
    return "開きました: " + picked;
}

}  // namespace quorvel
