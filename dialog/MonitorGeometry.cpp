#include "dialog/MonitorGeometry.h"

namespace {

struct CaptionSearch {
    RECT caption;
    bool visible;
};

BOOL CALLBACK FindWorkAreaUnderCaption(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT overlap{};
    if (::GetMonitorInfoW(monitor, &info) && ::IntersectRect(&overlap, &search->caption, &info.rcWork)) {
        search->visible = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool CaptionOnSomeWorkArea(const WindowPlacementRect& placement) {
    const ScreenEdges caption =
        CaptionEdges(placement, ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFIXEDFRAME));
    CaptionSearch search{{caption.left, caption.top, caption.right, caption.bottom}, false};
    ::EnumDisplayMonitors(nullptr, nullptr, &FindWorkAreaUnderCaption, reinterpret_cast<LPARAM>(&search));
    return search.visible;
}

RECT RestoredWindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    if (!::IsIconic(window) && !::IsZoomed(window)) return rect;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement)) return rect;
    rect = placement.rcNormalPosition;
    // The normal position is in work-area coordinates; move it to screen coordinates.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
        ::OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}
