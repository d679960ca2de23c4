#pragma once

#include "search/FolderSource.h"
#include "search/SearchContext.h"
#include "tools/builder/Encoding.h"

#include "tests/support/RecordingSink.h"
#include "tests/support/TempFolder.h"
#include "tools/builder/WidBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::build {

// A scenario folder filled file by file, searched as the window searches it.
class ScenarioTest : public ::testing::Test {
protected:
    TempFolder folder{"scenario"};
    RecordingSink sink;
    Answer answer;
    const TargetWordTable targets = DefaultTargetWords();

    void add(const std::string& name, const File& file) { WriteFile(folder.file(name), Encode(file)); }
    void addBytes(const std::string& name, const std::string& bytes) { WriteFile(folder.file(name), bytes); }

    // A context over the folder as it now is.
    SearchContext& context()
    {
        source_.emplace(folder.path().string());
        context_.emplace(SearchContext{*source_, answer, sink, targets});
        return *context_;
    }

    std::vector<std::string> leftLines() const
    {
        std::vector<std::string> out;
        for (const KeptText& line : answer.leftLines())
            out.emplace_back(line.shown());
        return out;
    }

    // Every row of an entry, its six texts as shown, joined by "|".
    std::vector<std::string> rows(int entry) const
    {
        std::vector<std::string> out;
        for (const HitRow& row : answer.rowsOf(static_cast<std::size_t>(entry))) {
            std::string joined;
            for (const KeptText& text : row.texts)
                joined.append(joined.empty() ? "" : "|").append(text.shown());
            out.push_back(joined);
        }
        return out;
    }

    // Every line with its rows, "line: row; row", each row without its file
    // column when `withFiles` is false (the two formats name files apart).
    std::vector<std::string> everything(bool withFiles = true) const
    {
        std::vector<std::string> out;
        const std::vector<std::string> lines = leftLines();
        for (std::size_t line = 0; line < lines.size(); ++line) {
            std::string joined = lines[line] + ":";
            for (const std::string& row : rows(static_cast<int>(line)))
                joined += " " + (withFiles ? row : row.substr(row.find('|'))) + ";";
            out.push_back(joined);
        }
        return out;
    }

    // The rows of the left-list line that shows `name`.
    std::vector<std::string> rowsOf(const std::string& name) const
    {
        const std::vector<std::string> lines = leftLines();
        const auto at = std::find(lines.begin(), lines.end(), name);
        if (at == lines.end()) {
            ADD_FAILURE() << "no line " << name;
            return {};
        }
        return rows(static_cast<int>(at - lines.begin()));
    }

    static File dataFile(std::uint8_t kind, const std::string& title, std::vector<Event> events = {},
                         std::int32_t storedId = 40001)
    {
        File file;
        file.kind = kind;
        file.title = build::Sjis(title);
        file.storedId = storedId;
        file.events = std::move(events);
        return file;
    }

    static std::string sj(const std::string& utf8) { return build::Sjis(utf8); }

private:
    std::optional<FolderSource> source_;
    std::optional<SearchContext> context_;
};

}  // namespace quorvel::build
