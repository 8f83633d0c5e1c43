#include "support/taskbar_recorder.h"

namespace {

std::wstring StateName(TBPFLAG state) {
    switch (state) {
    case TBPF_NOPROGRESS:
        return L"none";
    case TBPF_INDETERMINATE:
        return L"indeterminate";
    case TBPF_NORMAL:
        return L"normal";
    case TBPF_ERROR:
        return L"error";
    case TBPF_PAUSED:
        return L"paused";
    }
    return L"unknown " + std::to_wstring(static_cast<int>(state));
}

}  // namespace

std::vector<RecordingTaskbarList::Call> RecordingTaskbarList::Calls() const {
    std::lock_guard lock(m_lock);
    return m_calls;
}

ULONG RecordingTaskbarList::References() const {
    std::lock_guard lock(m_lock);
    return m_references;
}

std::vector<DWORD> RecordingTaskbarList::ReferenceThreads() const {
    std::lock_guard lock(m_lock);
    return m_referenceThreads;
}

HRESULT STDMETHODCALLTYPE RecordingTaskbarList::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ITaskbarList || iid == IID_ITaskbarList2 || iid == IID_ITaskbarList3) {
        *object = static_cast<ITaskbarList3*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE RecordingTaskbarList::AddRef() {
    std::lock_guard lock(m_lock);
    m_referenceThreads.push_back(::GetCurrentThreadId());
    return ++m_references;
}

ULONG STDMETHODCALLTYPE RecordingTaskbarList::Release() {
    std::lock_guard lock(m_lock);
    m_referenceThreads.push_back(::GetCurrentThreadId());
    return m_references > 0 ? --m_references : 0;
}

HRESULT STDMETHODCALLTYPE RecordingTaskbarList::SetProgressValue(HWND window, ULONGLONG completed, ULONGLONG total) {
    Record(L"value " + std::to_wstring(completed) + L"/" + std::to_wstring(total), window);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingTaskbarList::SetProgressState(HWND window, TBPFLAG state) {
    Record(L"state " + StateName(state), window);
    return S_OK;
}

void RecordingTaskbarList::Record(std::wstring what, HWND window) {
    std::lock_guard lock(m_lock);
    m_calls.push_back({std::move(what), window, ::GetCurrentThreadId()});
}
