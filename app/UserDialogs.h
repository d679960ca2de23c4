#pragma once

#include "results/Messages.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace quorvel {

// What the open dialog starts from: its initial folder, its file name field
// and its filter (pairs of a description and a pattern list, "|" between).
struct OpenDialogState {
    std::string initialFolder;
    std::string fileName;
    std::string filter = "シナリオ|Summary.wsm;Summary.xml;*.wid;*.xml;*.wsn;*.zip;*.cab;*.lzh|widファイル|*.wid|"
                         "すべてのファイル|*";
};

// The filter of the link search's dialog: it reads one data file.
inline const std::string DataFilesFilter = "データファイル|*.wid;*.xml";

// A "description|patterns|..." filter in the platform dialog's form:
// "description (pattern pattern)" per pair, ";;" between pairs.
std::string QtNameFilter(const std::string& filter);

// The two forms an answer is saved in.
enum class AnswerFormat { Csv, Json };

// Where the user chose to save an answer, and in which form.
struct SaveChoice {
    std::string path;
    AnswerFormat format = AnswerFormat::Csv;
};

// The window's dialogs and message boxes; tests replace them with answers of their own.
class UserDialogs : public MessageSink {
public:
    // Shows a modal message box with an OK button.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
    // A command's message, as a message box.
    void report(const Message& message) override { showMessage(message.text, message.caption); }

    // Shows the open dialog for data files; nothing when the user cancels.
    virtual std::optional<std::string> chooseDataFile(const OpenDialogState& dialog) = 0;
    // Asks for one of the data files an archive lists (`files`, as the file
    // column shows them); nothing when the user cancels.
    virtual std::optional<std::string> chooseFileInArchive(const std::string& archive,
                                                           const std::vector<std::string>& files)
        = 0;
    // Shows the save dialog for an answer, starting in `folder`; nothing when the user cancels.
    virtual std::optional<SaveChoice> chooseAnswerFile(const std::string& folder) = 0;
    // Asks for a folder whose scenarios the text search is to search,
    // starting in `folder`; nothing when the user cancels.
    virtual std::optional<std::string> chooseFolderToSearch(const std::string& folder) = 0;
};

// The real dialogs, modal over `parent`.
class WidgetDialogs : public UserDialogs {
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : parent_(parent) { }
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> chooseDataFile(const OpenDialogState& dialog) override;
    std::optional<std::string> chooseFileInArchive(const std::string& archive,
                                                   const std::vector<std::string>& files) override;
    std::optional<SaveChoice> chooseAnswerFile(const std::string& folder) override;
    std::optional<std::string> chooseFolderToSearch(const std::string& folder) override;
    void showMessage(const std::string& text, const std::string& caption) override;

private:
    QWidget* parent_;
};

}  // namespace quorvel
