#include "base/Message.hpp"

#include "base/Text.hpp"

#include <cstdio>

namespace {
MessageSink currentSink = nullptr;
}

void ShowMessage(const char* caption, const char* text, MessageIcon icon) {
    if (currentSink != nullptr) {
        currentSink(caption, text, icon);
        return;
    }
    // No host installed a sink (a tool or a test that does not collect): the message is a line
    // of standard error, the same line the game writes for a box with JOSTRELA_MESSAGES=stderr.
    WriteMessageLine(caption, text);
}

void WriteMessageLine(const char* caption, const char* text) {
    // One line whatever the text holds: its control bytes are shown, never acted on.
    std::fprintf(stderr, "%s: %s\n", MessageTextToUtf8(EscapeControlBytes(caption).c_str()).c_str(),
                 MessageTextToUtf8(EscapeControlBytes(text).c_str()).c_str());
    std::fflush(stderr);
}

MessageSink SetMessageSink(MessageSink sink) {
    const MessageSink previous = currentSink;
    currentSink = sink;
    return previous;
}
