#pragma once
// The collected downloader output of the current job. The job's worker appends while the user-interface thread
// may read it for the error report, so every access is under one lock and readers get a copy.

#include <mutex>
#include <string>

#include "framework/String.h"

class ToolLog {
public:
    void Clear();
    // Appends the text and a line feed; amortised linear in the size of the log.
    void Append(const std::wstring& text);
    CString Copy() const;

private:
    mutable std::mutex m_lock;
    std::wstring m_text;
};

// The log of the current job. Never destroyed: worker threads may still append while the process ends.
extern ToolLog& g_strToolErrors;
