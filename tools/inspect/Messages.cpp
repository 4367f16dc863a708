#include "base/Json.hpp"
#include "base/Message.hpp"
#include "tools/inspect/Inspect.hpp"

#include <vector>

namespace {

struct Collected {
    std::string caption;
    std::string text;
};

// Written by the message sink while a subcommand runs; read when its JSON is written.
std::vector<Collected> collected;

void Collect(const char* caption, const char* text, MessageIcon) {
    collected.push_back({caption, text});
}

} // namespace

void CollectMessages() {
    SetMessageSink(Collect);
}

void AppendMessages(std::string& out) {
    out += "\"messages\": [";
    for (std::size_t i = 0; i < collected.size(); ++i) {
        out += i > 0 ? ", {\"caption\": " : "{\"caption\": ";
        AppendJsonString(out, collected[i].caption.c_str());
        out += ", \"text\": ";
        AppendJsonString(out, collected[i].text.c_str());
        out += '}';
    }
    out += ']';
}
