#include "support/debug_output.h"

#include <atomic>

namespace {

// The debugger output is raised as an exception for a debugger to pick up; without one it goes on unseen.
constexpr DWORD kNarrowDebugText = 0x40010006;  // DBG_PRINTEXCEPTION_C: length, text
constexpr DWORD kWideDebugText = 0x4001000A;    // DBG_PRINTEXCEPTION_WIDE_C: length, text, ...

std::atomic<DebugOutputRecorder*> g_recorder{nullptr};

}  // namespace

DebugOutputRecorder::DebugOutputRecorder() {
    g_recorder = this;
    m_handler = ::AddVectoredExceptionHandler(TRUE, &DebugOutputRecorder::OnException);
}

DebugOutputRecorder::~DebugOutputRecorder() {
    if (m_handler) ::RemoveVectoredExceptionHandler(m_handler);
    g_recorder = nullptr;
}

std::vector<std::wstring> DebugOutputRecorder::Lines() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_lines;
}

bool DebugOutputRecorder::HasLineWith(std::initializer_list<std::wstring> texts) const {
    for (const std::wstring& line : Lines()) {
        bool all = true;
        for (const std::wstring& text : texts) all = all && line.find(text) != std::wstring::npos;
        if (all) return true;
    }
    return false;
}

void DebugOutputRecorder::Record(std::wstring line) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_lines.push_back(std::move(line));
}

LONG CALLBACK DebugOutputRecorder::OnException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    DebugOutputRecorder* recorder = g_recorder;
    if (!recorder || record.NumberParameters < 2 || !record.ExceptionInformation[1]) return EXCEPTION_CONTINUE_SEARCH;
    if (record.ExceptionCode == kWideDebugText) {
        recorder->Record(reinterpret_cast<const wchar_t*>(record.ExceptionInformation[1]));
    } else if (record.ExceptionCode == kNarrowDebugText) {
        const auto* text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
        std::wstring line;
        for (; *text; ++text) line += static_cast<wchar_t>(static_cast<unsigned char>(*text));
        recorder->Record(std::move(line));
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
