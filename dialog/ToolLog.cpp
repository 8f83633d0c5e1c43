#include "dialog/ToolLog.h"

ToolLog& g_strToolErrors = *new ToolLog;

void ToolLog::Clear() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_text.clear();
}

void ToolLog::Append(const std::wstring& text) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_text.append(text);
    m_text.push_back(L'\n');
}

CString ToolLog::Copy() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return CString(m_text);
}
