#pragma once

#include "search/MessageSink.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvel::build {

// Keeps every message a command raises, in order.
class RecordingSink : public MessageSink {
public:
    std::vector<std::pair<std::string, std::string>> messages;  // text, caption

    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.emplace_back(text, caption);
    }
};

}  // namespace quorvel::build
