/* A tiny Windows program for the scripts.
 *   probe                  ends with 42: the scripts learn that Wine runs this architecture here.
 *   probe --hold-desktop   uses the desktop until it is killed, after writing "desktop-held" into the
 *                          current folder once the desktop is up. */
#include <windows.h>

int main(int argc, char** argv) {
    if (argc > 1 && lstrcmpA(argv[1], "--hold-desktop") == 0) {
        GetDesktopWindow(); /* under Wine, returns once the desktop process has made the desktop */
        HANDLE ready = CreateFileA("desktop-held", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
        Sleep(INFINITE);
    }
    return 42;
}
