#pragma once
// Stands in for the shell's taskbar-list object: answers every call with S_OK and records what the taskbar
// button was told to show, and on which thread each call and each reference change came. Its lifetime is the
// test's: the last Release does not free it.

#include <windows.h>
#include <shobjidl.h>

#include <mutex>
#include <string>
#include <vector>

class RecordingTaskbarList final : public ITaskbarList3 {
public:
    struct Call {
        std::wstring what;  // "value 420/1000", "state indeterminate", "state paused", ...
        HWND window;
        DWORD threadId;
    };

    RecordingTaskbarList() = default;
    RecordingTaskbarList(const RecordingTaskbarList&) = delete;
    RecordingTaskbarList& operator=(const RecordingTaskbarList&) = delete;

    std::vector<Call> Calls() const;
    // The references the program holds now (it gets one with the object).
    ULONG References() const;
    // Each thread on which a reference was taken or given back.
    std::vector<DWORD> ReferenceThreads() const;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ITaskbarList
    HRESULT STDMETHODCALLTYPE HrInit() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
    // ITaskbarList2
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL) override { return S_OK; }
    // ITaskbarList3
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND window, ULONGLONG completed, ULONGLONG total) override;
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND window, TBPFLAG state) override;
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return S_OK; }

private:
    void Record(std::wstring what, HWND window);

    mutable std::mutex m_lock;
    ULONG m_references = 1;
    std::vector<Call> m_calls;
    std::vector<DWORD> m_referenceThreads;
};
