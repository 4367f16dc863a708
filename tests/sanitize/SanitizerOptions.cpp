// Linked into every executable of the sanitizer build only: the options each sanitizer starts
// with, so a plain run of a test or of the game reports exactly as the CI script does. Options
// given in ASAN_OPTIONS, LSAN_OPTIONS or UBSAN_OPTIONS are applied after these and win.

#ifndef JOSTRELA_LSAN_SUPPRESSIONS
#error "JOSTRELA_LSAN_SUPPRESSIONS must name the leak suppressions file"
#endif

// Static initialisers read the run folder, so the order they run in is checked as well. A report
// ends the process with code 86, which no path of the game uses.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1:"
           "strict_string_checks=1:halt_on_error=1:exitcode=86:intercept_tls_get_addr=0";
}

// Leak reports of the system libraries listed in the suppressions file are dropped; the game's
// own allocations are always reported.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" JOSTRELA_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1:exitcode=86";
}
