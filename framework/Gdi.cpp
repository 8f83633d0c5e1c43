#include "framework/Gdi.h"

#include "framework/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWndPaint(wnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWndPaint, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (m_hDC) ::EndPaint(m_hWndPaint, &m_ps);
}

BOOL CBrush::Attach(HBRUSH brush) {
    DeleteObject();
    m_hObject = brush;
    return brush != nullptr;
}

HBRUSH CBrush::Detach() {
    HBRUSH brush = m_hObject;
    m_hObject = nullptr;
    return brush;
}

BOOL CBrush::DeleteObject() {
    if (!m_hObject) return FALSE;
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}
