#include "support/job_session.h"

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

JobSession::JobSession(JobSetup setup) : m_folder(setup.downloader, setup.animations), m_ui(setup.waitForStartup) {}

StandinFolder::Script JobSession::Start(const std::string& script, const std::wstring& link) {
    StandinFolder::Script written = m_folder.WriteScript(script);
    m_ui.SetText(IDC_URL, link);
    m_ui.Command(IDC_DOWNLOAD);
    return written;
}

JobView JobSession::View() const {
    JobView view;
    view.title = m_ui.Title();
    view.status = m_ui.Text(IDC_STATUS);
    view.bar = m_ui.BarPosition(IDC_MAIN_PROGRESS);
    view.marquee = m_ui.BarMarquee(IDC_MAIN_PROGRESS);
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

bool JobSession::JobEnded() const {
    return !m_ui.Enabled(IDC_ABORT) && !m_ui.Shown(IDC_MAIN_PROGRESS) && m_ui.Shown(IDC_AUTO_PASTE);
}

bool JobSession::WaitForJobEnd(DWORD timeoutMs) const {
    return DialogHarness::WaitFor([&] { return JobEnded(); }, timeoutMs);
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

bool WaitForSelfUpdate(const StandinFolder& folder) {
    return DialogHarness::WaitFor([&] { return !folder.RecordedCommandLines().empty(); }, 10000);
}

std::wstring AnsiText(const std::string& bytes) {
    return Wide(bytes, CP_ACP);
}

bool HasUnreadableCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c >= 0xFF80) return true;
    }
    return false;
}
