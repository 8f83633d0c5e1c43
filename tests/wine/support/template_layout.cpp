#include "support/template_layout.h"

#include <cstring>
#include <vector>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK IgnoringProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

}  // namespace

TemplateDialog::TemplateDialog() {
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_REELSIFT_DIALOG), MAKEINTRESOURCEW(5));
    const auto* data = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found))) : nullptr;
    if (!data) return;
    std::vector<BYTE> copy(data, data + ::SizeofResource(nullptr, found));
    // DLGTEMPLATEEX: version, signature, help id and extended style come before the style.
    constexpr size_t kStyleOffset = 12;
    DWORD style = 0;
    std::memcpy(&style, copy.data() + kStyleOffset, sizeof(style));
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(copy.data() + kStyleOffset, &style, sizeof(style));
    m_window.Reset(::CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), nullptr,
                                                &IgnoringProcedure, 0));
}

RECT TemplateDialog::Map(RECT units) const {
    ::MapDialogRect(m_window.Get(), &units);
    return units;
}

SIZE TemplateDialog::WindowSize() const {
    RECT rect{};
    ::GetWindowRect(m_window.Get(), &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}
