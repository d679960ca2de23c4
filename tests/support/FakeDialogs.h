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
        if (saveAnswers.empty())
            return std::nullopt;
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }

    // The archive's files each time it asked for one, and its answers.
    std::vector<std::vector<std::string>> archiveListsShown;
    std::deque<std::optional<std::string>> archiveAnswers;

    std::optional<std::string> chooseFileInArchive(const std::string&, const std::vector<std::string>& files) override
    {
        archiveListsShown.push_back(files);
        if (archiveAnswers.empty())
            return std::nullopt;
        auto answer = archiveAnswers.front();
        archiveAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> chooseDataFile(const OpenDialogState& dialog) override
    {
        dialogsShown.push_back(dialog);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
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
