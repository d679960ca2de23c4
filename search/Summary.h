#pragma once

#include "scenario/DataFile.h"
#include "scenario/FileSystem.h"
#include "scenario/StateVariables.h"
#include "scenario/Text.h"
#include "scenario/ValueNames.h"

#include <memory>
#include <vector>

namespace quorvel {

// The names of one section in declaration order, each with its value names
// (two for a flag, as many as the format gives for a step, none for a
// variant).
struct Declarations {
    std::vector<Text> names;
    std::vector<ValueNames> valueNames;
};

// What a scenario's summary declares, read from whatever format it is
// stored in: the sections that were asked for. The names are views of
// what the summary keeps.
struct Summary {
    Declarations flags;
    Declarations steps;
    Declarations variants;       // only the XML format has them
    std::int64_t startArea = 0;  // the id of the area the scenario starts in
    // The XML format's scenario name, author and description; the classic
    // summary keeps them where Quorvel does not read.
    Text name;
    Text author;
    Text description;
    FileBytes bytes;                           // the bytes the names of a classic summary are views of
    std::unique_ptr<ReaderKeeps> readerKeeps;  // what the names of another format's summary are views of

    Declarations& of(SummarySection section)
    {
        return section == SummarySection::Flags ? flags : section == SummarySection::Steps ? steps : variants;
    }
    const Declarations& of(SummarySection section) const { return const_cast<Summary*>(this)->of(section); }
};

}  // namespace quorvel
