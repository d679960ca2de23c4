#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// A problem a command reports: a modal message box with an OK button in the
// window, a line of the answer in the headless program. Texts are UTF-8.
struct Message {
    std::string text;
    std::string caption;
    // The data file the message says could not be read, when it says that.
    std::optional<std::string> unreadableFile = std::nullopt;
};

using MessageList = std::vector<Message>;

// Where commands report problems.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void report(const Message& message) = 0;
};

}  // namespace quorvel
