#pragma once

#include "scenario/DataFile.h"

#include <span>
#include <vector>

namespace quorvel {

// The beasts embedded in the summon effects of a file, at any depth, in the
// order their events are walked after every other event of the file: first
// those of the file's own card effects (`ofOwnEffects`: an Item, Skill or
// Beast file's), then, event group by group in walk order, those of the
// group's card effects and of the effect contents of its events (start by
// start, in pre-order). Each beast is followed at once by the beasts
// embedded in it, by the same rule, before the next beast of its level.
// Trees of any depth are walked without recursion.
std::vector<Card> SummonedBeastsInWalkOrder(const DataFile& file, std::span<const Card> ofOwnEffects);

}  // namespace quorvel
