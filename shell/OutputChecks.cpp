#include "shell/OutputChecks.hpp"

#include "base/OptionFailure.hpp"
#include "platform/Platform.hpp"

#include <dirent.h>

namespace {

#ifdef _WIN32
constexpr const char* kFolderSeparators = "/\\";
#else
constexpr const char* kFolderSeparators = "/";
#endif

// An output as the file system knows it: the file itself when it exists, else the folder it would
// be made in and its name there.
struct OutputName {
    const char* option;
    const std::string* path;
    bool exists;
    platform::FileIdentity identity;
    std::string leaf; // the name within the folder, for a file still to be made
};

bool SameIdentity(const platform::FileIdentity& a, const platform::FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
}

OutputName NameOutput(const char* option, const std::string& path) {
    OutputName name{option, &path, false, {}, {}};
    name.exists = platform::IdentifyFile(path.c_str(), name.identity);
    if (!name.exists) {
        const std::size_t slash = path.find_last_of(kFolderSeparators);
        const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        name.leaf = slash == std::string::npos ? path : path.substr(slash + 1);
        if (!platform::IdentifyFile(folder.c_str(), name.identity)) {
            name.leaf.clear(); // in no folder there is: it cannot be opened, and clashes with nothing
        }
    }
    return name;
}

bool SameFile(const OutputName& a, const OutputName& b) {
    if (a.exists != b.exists || !SameIdentity(a.identity, b.identity)) {
        return false;
    }
    return a.exists ? a.identity.regular : !a.leaf.empty() && a.leaf == b.leaf;
}

// The input among inputs that output is, or null.
const std::string* InputNamed(const OutputName& output, const GameInputs& inputs,
                              const std::vector<std::string>& folderFiles) {
    if (!output.exists) {
        return nullptr;
    }
    const std::vector<std::string>* lists[] = {&inputs.files, &folderFiles};
    for (const std::vector<std::string>* list : lists) {
        for (const std::string& input : *list) {
            platform::FileIdentity identity{};
            if (platform::IdentifyFile(input.c_str(), identity) && SameIdentity(identity, output.identity)) {
                return &input;
            }
        }
    }
    return nullptr;
}

std::vector<std::string> FilesInFolders(const std::vector<std::string>& folders) {
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        if (DIR* directory = opendir(folder.c_str())) {
            while (const dirent* entry = readdir(directory)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") {
                    files.push_back(folder + "/" + name);
                }
            }
            closedir(directory);
        }
    }
    return files;
}

} // namespace

bool OutputsAreSafe(const Options& options, const GameInputs& inputs) {
    std::vector<OutputName> outputs;
    const std::pair<const char*, const std::string*> asked[] = {{"--screenshot", &options.screenshot},
                                                                {"--stats", &options.stats},
                                                                {"--dump-state", &options.dumpState},
                                                                {"--trace", &options.trace},
                                                                {"--record", &options.record}};
    for (const auto& [option, path] : asked) {
        if (!path->empty()) {
            outputs.push_back(NameOutput(option, *path));
        }
    }
    std::vector<std::string> folderFiles;
    if (!outputs.empty()) {
        folderFiles = FilesInFolders(inputs.folders);
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const OutputName& output = outputs[i];
        if (const std::string* input = InputNamed(output, inputs, folderFiles)) {
            ReportOptionFailure(std::string(output.option) + " " + *output.path + ": is " + *input +
                                ", which the game reads; it is left as it is");
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(outputs[j], output)) {
                ReportOptionFailure(std::string(outputs[j].option) + " " + *outputs[j].path + " and " +
                                    output.option + " " + *output.path + " name the same file");
                return false;
            }
        }
    }
    return true;
}
