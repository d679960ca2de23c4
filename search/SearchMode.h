#pragma once

namespace quorvel {

// The last command that ran, by the numbers the commands have always had;
// Reload runs it again.
enum class SearchMode : int {
    None = 0,
    StartContentCheck = 1,
    BranchCheck = 2,
    FlagSearch = 3,
    StepSearch = 4,
    ItemSearch = 5,
    SkillSearch = 6,
    InfoSearch = 7,
    BeastSearch = 8,
    CouponSearch = 9,
    GossipSearch = 10,
    LinkSearch = 11,
    DialogueCouponCheck = 12,
    PackageSearch = 13,
    AreaSearch = 14,
    BattleSearch = 15,
    SoundSearch = 16,
    UndefinedCheck = 17,
    UnusedCheck = 18,
    VariantSearch = 19,
    TextSearch = 20,
    MaterialSearch = 21,
    MissingMaterialCheck = 22,
    UnusedMaterialCheck = 23,
};

}  // namespace quorvel
