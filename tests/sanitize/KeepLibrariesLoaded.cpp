// Linked into every executable of the sanitizer build only.
//
// SDL and the GL vendor library unload the GL driver (and LLVM under it) before the process ends.
// The driver's own allocations then show up in leak reports with nameless frames that no
// suppression can match. Keeping every library loaded until exit lets their globals still reach
// what they hold, and names the library in any report that remains.

// Returns success and unloads nothing. Stands in for the C library's dlclose for this executable.
extern "C" int dlclose(void* handle) {
    static_cast<void>(handle);
    return 0;
}
