#pragma once

#include "app/UserDialogs.h"
#include "tests/support/RecordingSink.h"

#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace quorvel::build {

// Answers the open dialog from a queue and records every message box.
class FakeDialogs : public UserDialogs {
public:
    std::deque<std::optional<std::string>> answers;
    std::vector<OpenDialogState> dialogsShown;
    Messages messages;
    std::function<void()> whileMessageShows;  // looks at the window while a message box is up
    std::deque<std::optional<SaveChoice>> saveAnswers;
    std::vector<std::string> saveFolders;  // where each save dialog started

    std::optional<SaveChoice> chooseAnswerFile(const std::string& folder) override
    {
        saveFolders.push_back(folder);
        return next(saveAnswers);
    }

    // The archive's files each time it asked for one, and its answers.
    std::vector<std::vector<std::string>> archiveListsShown;
    std::deque<std::optional<std::string>> archiveAnswers;

    std::optional<std::string> chooseFileInArchive(const std::string&, const std::vector<std::string>& files) override
    {
        archiveListsShown.push_back(files);
        return next(archiveAnswers);
    }

    // The folders the text search was asked to search, and where each dialog started.
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<std::string> folderDialogsStarts;

    std::optional<std::string> chooseFolderToSearch(const std::string& folder) override
    {
        folderDialogsStarts.push_back(folder);
        return next(folderAnswers);
    }

    std::optional<std::string> chooseDataFile(const OpenDialogState& dialog) override
    {
        dialogsShown.push_back(dialog);
        return next(answers);
    }

    // The next answer of a queue; none (the user cancels) when it is empty.
    template <typename Answer>
    static std::optional<Answer> next(std::deque<std::optional<Answer>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<Answer> answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }

    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.emplace_back(text, caption);
        if (whileMessageShows)
            whileMessageShows();
    }
};

}  // namespace quorvel::build
