#pragma once

#include "results/Messages.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvel::build {

// Message boxes as text and caption, in the order they were raised.
using Messages = std::vector<std::pair<std::string, std::string>>;

// Keeps every message a command raises, in order.
class RecordingSink : public MessageSink {
public:
    Messages messages;

    void report(const Message& message) override { messages.emplace_back(message.text, message.caption); }
};

}  // namespace quorvel::build
