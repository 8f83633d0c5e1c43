#include "support/job_session.h"

#include <commctrl.h>

#include <stdexcept>

const wchar_t kJobLink[] = L"https://media.example.net/watch?v=Ab3dE5fG7h";

std::string OutCommand(const std::string& text) {
    std::string command = "out ";
    for (char c : text) {
        if (c == '\\')
            command += "\\\\";
        else if (c == '\r')
            command += "\\r";
        else if (c == '\n')
            command += "\\n";
        else
            command += c;
    }
    return command + "\n";
}

JobSession::StatusAnimations::StatusAnimations(const std::wstring& folder) : m_folder(folder + L"\\gifs") {
    if (!CreateDirectoryW(m_folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create the animations folder");
    const std::wstring source = WindowsPathOf(std::string(REELSIFT_SOURCE_DIR) + "/gifs");
    for (const wchar_t* name : {L"converting.gif", L"ready.gif", L"url.gif", L"eyes.gif", L"downloading.gif"}) {
        const std::wstring target = m_folder + L"\\" + name;
        if (!CopyFileW((source + L"\\" + name).c_str(), target.c_str(), FALSE))
            throw std::runtime_error("cannot copy the status animations");
        m_files.push_back(target);
    }
}

JobSession::StatusAnimations::~StatusAnimations() {
    for (const std::wstring& file : m_files) DeleteFileW(file.c_str());
    RemoveDirectoryW(m_folder.c_str());
}

JobSession::JobSession(StandinFolder::Downloader downloader)
    : m_folder(downloader), m_animations(m_folder.Path()), m_ui(true) {}

JobSession::~JobSession() = default;

StandinFolder::Script JobSession::Start(const std::string& script) {
    StandinFolder::Script written = m_folder.WriteScript(script);
    m_ui.SetText(IDC_URL, kJobLink);
    m_ui.Click(IDC_DOWNLOAD);
    return written;
}

JobView JobSession::View() const {
    JobView view;
    view.title = m_ui.Title();
    view.status = m_ui.Text(IDC_STATUS);
    HWND bar = m_ui.Control(IDC_MAIN_PROGRESS);
    view.bar = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
    view.marquee = (::GetWindowLongW(bar, GWL_STYLE) & PBS_MARQUEE) != 0;
    view.errorReportShown = m_ui.Visible(IDC_ERROR_REPORT);
    return view;
}

bool JobSession::WaitForView(const std::function<bool(const JobView&)>& condition, DWORD timeoutMs) const {
    return DialogHarness::WaitFor([&] { return condition(View()); }, timeoutMs);
}

std::vector<JobView> JobSession::FollowToTheEnd(DWORD timeoutMs) {
    std::vector<JobView> views;
    const bool ended = DialogHarness::WaitFor(
        [&] {
            // Tested before the view is taken, so the last view recorded is the idle one.
            const bool done = WorkerEnded();
            JobView view = View();
            if (views.empty() || !(views.back() == view)) views.push_back(std::move(view));
            return done;
        },
        timeoutMs);
    if (!ended) views.clear();
    return views;
}

bool JobSession::WorkerEnded() {
    return m_ui.JobWorkerEnded();
}

bool JobSession::WaitUntilWorkerEnds(DWORD timeoutMs) {
    return m_ui.WaitUntilJobWorkerEnds(timeoutMs);
}

namespace {

BOOL CALLBACK TakeLongestStaticText(HWND child, LPARAM found) {
    wchar_t className[16] = L"";
    ::GetClassNameW(child, className, 16);
    if (::lstrcmpiW(className, L"Static") != 0) return TRUE;
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    auto* longest = reinterpret_cast<std::wstring*>(found);
    if (text.size() > longest->size()) *longest = text;
    return TRUE;
}

}  // namespace

std::wstring JobSession::ReadErrorReport() {
    m_ui.ClickLater(IDC_ERROR_REPORT);
    HWND box = m_ui.WaitForPopup(5000);
    if (!box) return {};
    std::wstring text;
    ::EnumChildWindows(box, &TakeLongestStaticText, reinterpret_cast<LPARAM>(&text));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    DialogHarness::WaitFor([box] { return !::IsWindow(box); }, 5000);
    return text;
}

std::wstring AnsiText(const std::string& bytes) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size > 0 ? static_cast<size_t>(size) : 0, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

bool HasUnreadableCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c >= 0xFF80) return true;
    }
    return false;
}
