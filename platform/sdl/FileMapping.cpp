#include "platform/Platform.hpp"

#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The mappings in use. A file cut short after it was mapped makes a read past its new end raise
// SIGBUS; the handler puts a page of zeros there instead and marks the mapping changed, so the
// reader finishes on zeros and its caller refuses what it read. Written only by the main thread,
// outside any read of a mapping.
struct GuardedMapping {
    const std::uint8_t* data;
    std::size_t size;
    volatile std::sig_atomic_t changed;
};
constexpr int kGuardedMappings = 8;
GuardedMapping guarded[kGuardedMappings] = {};
struct sigaction previousBusAction {};

extern "C" void ReplaceLostPage(int signal, siginfo_t* info, void* context) {
    const std::uint8_t* address = static_cast<const std::uint8_t*>(info->si_addr);
    for (GuardedMapping& mapping : guarded) {
        if (mapping.data != nullptr && address >= mapping.data && address < mapping.data + mapping.size) {
            const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
            void* start = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address) & ~(page - 1));
            if (mmap(start, page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
                mapping.changed = 1;
                return;
            }
        }
    }
    // Not ours: the fault is what it would have been without the guard.
    if (previousBusAction.sa_flags & SA_SIGINFO) {
        previousBusAction.sa_sigaction(signal, info, context);
        return;
    }
    sigaction(SIGBUS, &previousBusAction, nullptr);
    raise(SIGBUS);
}

void GuardMapping(const std::uint8_t* data, std::size_t size) {
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_sigaction = ReplaceLostPage;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_SIGINFO;
        return sigaction(SIGBUS, &action, &previousBusAction) == 0;
    }();
    for (GuardedMapping& mapping : guarded) {
        if (installed && mapping.data == nullptr) {
            mapping.changed = 0;
            mapping.size = size;
            mapping.data = data;
            return;
        }
    }
}

GuardedMapping* GuardOf(const std::uint8_t* data) {
    for (GuardedMapping& mapping : guarded) {
        if (data != nullptr && mapping.data == data) {
            return &mapping;
        }
    }
    return nullptr;
}

} // namespace

bool MapFile(const char* path, const std::uint8_t*& data, std::size_t& size) {
    data = nullptr;
    size = 0;
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return false;
    }
    struct stat status;
    bool opened = fstat(fileno(file), &status) == 0;
    // The mapping only reserves addresses: a page is read from the file when a reader first looks
    // at it, so the readers' cost follows the bytes they walk, not the file's size.
    if (opened && status.st_size > 0) {
        void* view =
            mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fileno(file), 0);
        opened = view != MAP_FAILED;
        if (opened) {
            data = static_cast<const std::uint8_t*>(view);
            size = static_cast<std::size_t>(status.st_size);
            GuardMapping(data, size);
        }
    }
    // The mapping stays valid after the file is closed.
    std::fclose(file);
    return opened;
}

bool MappedFileChanged(const std::uint8_t* data) {
    const GuardedMapping* mapping = GuardOf(data);
    return mapping != nullptr && mapping->changed != 0;
}

void UnmapFile(const std::uint8_t* data, std::size_t size) {
    if (data != nullptr) {
        if (GuardedMapping* mapping = GuardOf(data)) {
            mapping->data = nullptr;
        }
        munmap(const_cast<std::uint8_t*>(data), size);
    }
}

} // namespace platform
