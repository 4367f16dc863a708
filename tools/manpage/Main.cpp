#include "shell/Options.hpp"
#include "shell/Version.hpp"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// jostrela-manpage [FILE]: writes jostrela.6, the manual page, to FILE or standard output. Its synopsis,
// description, controls, options, files and exit codes are the text of --help, so the two never
// disagree; only the name line and the notes on the installed command are the page's own.

namespace {

// Text as roff shows it literally: backslashes and hyphens escaped, no line taken for a request.
std::string Roff(const std::string& text) {
    std::string out = !text.empty() && (text[0] == '.' || text[0] == '\'') ? "\\&" : "";
    for (char c : text) {
        out += c == '\\' ? std::string("\\e") : c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return out;
}

std::vector<std::string> Lines(const char* text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The column where the descriptions of a section's entries start: where the text after a term and
// two or more spaces begins, the same on every line of a section that has such a gap.
std::size_t DescriptionColumn(const std::vector<std::string>& lines, std::size_t first, std::size_t end) {
    for (std::size_t i = first; i < end; ++i) {
        const std::size_t gap = lines[i].find("  ", 2);
        if (lines[i].compare(0, 2, "  ") == 0 && lines[i][2] != ' ' && gap != std::string::npos) {
            return lines[i].find_first_not_of(' ', gap);
        }
    }
    return std::string::npos;
}

// One section of the help: "  TERM   description" lines, continued by lines indented to the
// description's column, become tagged paragraphs.
void PrintEntries(const std::vector<std::string>& lines, std::size_t first, std::size_t end) {
    const std::size_t column = DescriptionColumn(lines, first, end);
    for (std::size_t i = first; i < end; ++i) {
        const std::string& line = lines[i];
        if (line.compare(0, 2, "  ") == 0 && line[2] != ' ' && column != std::string::npos &&
            line.size() > column) {
            std::string term = line.substr(2, column - 2);
            term.erase(term.find_last_not_of(' ') + 1);
            const std::size_t text = line.find_first_not_of(' ', column);
            std::printf(".TP\n.B %s\n%s\n", Roff(term).c_str(), Roff(line.substr(text)).c_str());
        } else {
            const std::size_t text = line.find_first_not_of(' ');
            std::printf("%s\n", text == std::string::npos ? ".PP" : Roff(line.substr(text)).c_str());
        }
    }
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && std::freopen(argv[1], "w", stdout) == nullptr)) {
        std::fprintf(stderr, "usage: jostrela-manpage [FILE]\n");
        return argc > 2 ? 2 : 1;
    }
    std::printf(".TH JOSTRELA 6 \"\" \"jostrela %s\" \"Games\"\n", Roff(kGameVersion).c_str());
    // Option names are never split at a hyphen.
    std::printf(".nh\n.SH NAME\njostrela \\- walk a penguin through a church in 3D\n");
    const std::string usage = kUsage;
    const std::string prefix = "usage: jostrela ";
    std::printf(".SH SYNOPSIS\n.B jostrela\n%s\n", Roff(usage.substr(prefix.size())).c_str());
    // The help's first paragraph describes the game; each "Heading:" line starts a section.
    const std::vector<std::string> lines = Lines(kHelp);
    std::printf(".SH DESCRIPTION\n");
    std::size_t i = 0;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        std::printf("%s\n", Roff(lines[i]).c_str());
    }
    while (i < lines.size()) {
        if (lines[i].empty() || lines[i].back() != ':') {
            ++i;
            continue;
        }
        std::printf(".SH %s\n", Roff(Upper(lines[i].substr(0, lines[i].size() - 1))).c_str());
        std::size_t end = i + 1;
        while (end < lines.size() && !lines[end].empty()) {
            ++end;
        }
        PrintEntries(lines, i + 1, end);
        i = end;
    }
    std::printf(".SH NOTES\n"
                "The installed \\fBjostrela\\fR command makes the player's own folder, "
                "\\fI$XDG_DATA_HOME/jostrela\\fR (\\fI~/.local/share/jostrela\\fR by default), the first "
                "time it runs: a copy of \\fBscr.txt\\fR to edit, and links to the installed "
                "\\fBMODELOS\\fR and \\fBTexturas\\fR in \\fI/usr/share/games/jostrela\\fR. "
                "It starts the game in that folder; file names given to options are taken from the "
                "folder it was run in.\n");
    return std::fclose(stdout) == 0 ? 0 : 1;
}
