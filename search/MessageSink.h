#pragma once

#include <string>

namespace quorvel {

// Where commands report problems: a modal message box with an OK button in
// the window, a list of messages in the headless program. Texts are UTF-8.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

}  // namespace quorvel
