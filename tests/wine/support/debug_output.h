#pragma once
// Catches what the process writes to the debugger output while it lives, as a debugger would see it.

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

class DebugOutputRecorder {
public:
    DebugOutputRecorder();
    ~DebugOutputRecorder();
    DebugOutputRecorder(const DebugOutputRecorder&) = delete;
    DebugOutputRecorder& operator=(const DebugOutputRecorder&) = delete;

    // The lines written so far, from any thread.
    std::vector<std::wstring> Lines() const;
    // True when a line written so far contains every one of the texts.
    bool HasLineWith(std::initializer_list<std::wstring> texts) const;

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers);
    void Record(std::wstring line);

    void* m_handler = nullptr;
    mutable std::mutex m_lock;
    std::vector<std::wstring> m_lines;
};
