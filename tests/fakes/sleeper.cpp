// Stands in for the converter: does nothing for argv[1] milliseconds, or until it is killed.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    Sleep(argc > 1 ? static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)) : INFINITE);
    return 0;
}
