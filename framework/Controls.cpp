#include "framework/Controls.h"

#include <string>

void CComboBox::GetLBText(int index, CString& text) const {
    text.Empty();
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0) return;
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0) return;
    buffer.resize(static_cast<size_t>(copied));
    text = CString(std::move(buffer));
}
