/* start_without_streams COMMAND...: a console program that starts COMMAND as cmd.exe starts a
   windowed program it does not redirect: sharing its console, handing over no standard streams.
   Waits for it and ends with its exit code (120 when it cannot be started). */
#include <string.h>
#include <windows.h>

int main(void) {
    /* The command line after this program's own name. */
    char* line = GetCommandLineA();
    if (*line == '"') {
        line = strchr(line + 1, '"');
        line = line != NULL ? line + 1 : GetCommandLineA() + strlen(GetCommandLineA());
    } else {
        line += strcspn(line, " \t");
    }
    line += strspn(line, " \t");
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; /* all three null */
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        return 120;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 121;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}
