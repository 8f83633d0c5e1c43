#pragma once
// The application object and the program's entry into it.

#include "framework/Wnd.h"

#include <string>

class CWinApp : public CCmdTarget {
public:
    // With no name, the application is named after its executable file, without the extension.
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    // Does the application's work: the program runs its dialog here. No message loop follows, whatever it answers.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    // The program keeps its settings under a key of its own and uses no profile functions of the framework,
    // so there is nothing to store for the company's name.
    void SetRegistryKey(const wchar_t* /*company*/) {}
    void OnHelp() {}

    const wchar_t* m_pszAppName = nullptr;
    CWnd* m_pMainWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();

// Shows a message box captioned with the application's name. With no icon flag, it shows the exclamation icon.
int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);

// The program hosts no embedded controls of other components; kept as the start-up step it is.
void AfxEnableControlContainer();

// Runs the application object: InitApplication, InitInstance, then ExitInstance, whose answer is the exit code.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
