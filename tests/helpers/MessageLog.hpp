#pragma once

// Collects the messages the game would show, for one test at a time.

#include "base/Message.hpp"

#include <string>
#include <utility>
#include <vector>

namespace testing_tools {

struct ShownMessage {
    std::string caption;
    std::string text;
};

inline std::vector<ShownMessage>& ShownMessages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

// Installs a collecting sink for its lifetime, starting from an empty list.
class MessageLog {
  public:
    MessageLog() {
        ShownMessages().clear();
        previous = SetMessageSink([](const char* caption, const char* text, MessageIcon) {
            ShownMessages().push_back({caption, text});
        });
    }
    ~MessageLog() { SetMessageSink(previous); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<ShownMessage>& Messages() const { return ShownMessages(); }

  private:
    MessageSink previous;
};

} // namespace testing_tools
