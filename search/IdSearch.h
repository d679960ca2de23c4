#pragma once

#include "search/DataFileLoop.h"
#include "search/Passes.h"
#include "search/SearchContext.h"

#include <vector>

namespace quorvel {

// What one of the seven searches for things defined by a data file of their
// own, and referred to by id, looks for.
struct IdSearchRule {
    enum class Value { AmountAndTarget, Empty };

    FileKind definingKind;  // the files that define the things
    PassTable passes;       // the contents that refer to a thing by id
    Value value;            // the value column of their rows
};

extern const IdSearchRule ItemUses;
extern const IdSearchRule SkillUses;
extern const IdSearchRule InfoUses;
extern const IdSearchRule BeastUses;
extern const IdSearchRule PackageUses;
extern const IdSearchRule AreaUses;
extern const IdSearchRule BattleUses;

// Lists every defining file (title) and then one "未定義" line per id used
// but not defined; under each, every content that uses the id.
void SearchIdUses(SearchContext& context, const IdSearchRule& rule);

// The row of a use the rule's search files: `hit`, found under `start` by
// the pass of `kindWord`.
HitRow IdUseRow(const EventVisit& visit, const IdSearchRule& rule, const Text& kindWord, const Content& start,
                const Content& hit, const TargetWordTable& targetWords);

// The use pass for one event: every use, keyed by the id as decimal text.
void CollectIdUses(const EventVisit& visit, const IdSearchRule& rule, const TargetWordTable& targetWords,
                   std::vector<KeyedRow>& found);

}  // namespace quorvel
