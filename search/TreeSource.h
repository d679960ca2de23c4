#pragma once

#include "search/ScenarioSource.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The files of a folder and of every folder below it, on disk or in an
// archive: each by its path from that folder ("/" between folders) and its
// bytes. Hidden files and folders (their names begin with a dot) are left out.
class FileTree {
public:
    virtual ~FileTree() = default;

    // Every file, in no particular order.
    virtual const std::vector<std::string>& paths() const = 0;
    // A file's bytes; nothing when it cannot be read. Safe on several threads at once.
    virtual std::optional<FileBytes> read(const std::string& path) const = 0;
    // Makes these files ready to be read (an archive reads them in one pass;
    // a file read since the last refresh is left to be read alone if asked for again).
    virtual void prepare(const std::vector<std::string>& paths) const = 0;
    // Reads the listing again; what was made ready is let go.
    virtual void refresh() = 0;

    // Where the tree is, for the window's caption and its watching.
    virtual std::string location() const = 0;
    // The name of the tree when it cannot be read at all; nothing otherwise.
    virtual std::optional<std::string> unreadable() const { return std::nullopt; }
    // What to watch for changes.
    virtual std::vector<std::string> watchedPaths() const = 0;
};

// A folder on disk as a file tree.
std::unique_ptr<FileTree> FolderTree(const std::string& folder);

// A scenario in a file tree, of either format. A scenario whose folder
// holds Summary.wsm is classic: its summary and the classic data files at
// the top. Otherwise it is of the XML format, with Summary.xml: its data
// files are every ".xml" file, at any depth, whose own folder names a kind
// (Area, Battle, Package, CastCard, ItemCard, SkillCard, BeastCard,
// InfoCard; letter case ignored), and the classic data files at the top.
// Files are listed by their paths, in ascending order with ASCII letters
// folded. Names of summaries and folders are compared ignoring case.
class TreeSource : public ScenarioSource {
public:
    explicit TreeSource(std::unique_ptr<FileTree> tree);

    std::vector<std::string> dataFiles(FileKinds kinds) const override;
    std::vector<std::pair<std::string, FileKind>> listedKinds(FileKinds kinds) const override;
    std::optional<DataFile> openDataFile(const std::string& path) const override;
    std::optional<DataFile> openDataFileWithWrittenTexts(const std::string& path) const override;
    std::vector<std::string> scenarioFiles() const override;
    std::string summaryName() const override;
    bool hasSummary() const override;
    std::optional<Summary> readSummary(SummarySections sections) const override;
    void refresh() override;
    std::string location() const override { return tree_->location(); }
    bool holdsScenario() const override;
    std::optional<std::string> unreadable() const override { return tree_->unreadable(); }
    std::vector<std::string> watchedPaths() const override { return tree_->watchedPaths(); }

private:
    std::optional<DataFile> open(const std::string& path, DataFileTexts texts) const;

    struct Listed {
        std::string path;
        FileKind kind;
    };
    void list();
    std::vector<std::string> summaries(const std::string& name) const;

    std::unique_ptr<FileTree> tree_;
    bool classic_ = false;
    std::vector<Listed> dataFiles_;  // in list order
};

}  // namespace quorvel
