#include "framework/WinApp.h"

namespace {

CWinApp* g_application = nullptr;

std::wstring ExecutableBaseName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(0xE146, &CWinApp::OnHelp)  // ID_HELP
END_MESSAGE_MAP()

CWinApp::CWinApp(const wchar_t* appName) : m_appName(appName ? appName : ExecutableBaseName()) {
    m_pszAppName = m_appName.c_str();
    g_application = this;
}

CWinApp::~CWinApp() {
    if (g_application == this) g_application = nullptr;
}

CWinApp* AfxGetApp() {
    return g_application;
}

CWnd* AfxGetMainWnd() {
    return g_application ? g_application->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandleW(nullptr);
}

int AfxMessageBox(const wchar_t* text, UINT type, UINT /*helpId*/) {
    if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
    const std::wstring caption = g_application ? g_application->m_pszAppName : ExecutableBaseName();
    CWnd* owner = AfxGetMainWnd();
    return ::MessageBoxW(owner ? owner->m_hWnd : nullptr, text, caption.c_str(), type);
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    CWinApp* application = AfxGetApp();
    if (!application) return -1;
    if (application->InitApplication()) application->InitInstance();
    return application->ExitInstance();
}
