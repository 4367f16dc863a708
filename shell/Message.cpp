#include "shell/Message.hpp"

#include "platform/Platform.hpp"

namespace {
MessageSink currentSink = nullptr;
}

void ShowMessage(const char* caption, const char* text, MessageIcon icon) {
    if (currentSink != nullptr) {
        currentSink(caption, text, icon);
        return;
    }
    platform::ShowMessageBox(caption, text, static_cast<platform::BoxIcon>(icon));
}

MessageSink SetMessageSink(MessageSink sink) {
    const MessageSink previous = currentSink;
    currentSink = sink;
    return previous;
}
