#pragma once
// A download job driven through the real dialog: a stand-in folder (with the status animations, so the
// pictures a job starts can play), the dialog opened on top of it, and what a test needs to start a job with
// the Download button, follow what it shows and read its error report.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/dialog_harness.h"
#include "support/standin_folder.h"

// A link the Download handler accepts.
extern const wchar_t kJobLink[];

// One script command that writes the text as it is (line breaks and backslashes escaped for the script).
std::string OutCommand(const std::string& text);

// What the dialog showed of a job at one moment.
struct JobView {
    std::wstring title;
    std::wstring status;
    int bar = 0;
    bool marquee = false;
    bool errorReportShown = false;

    bool operator==(const JobView& other) const = default;
};

class JobSession {
public:
    explicit JobSession(StandinFolder::Downloader downloader = StandinFolder::Downloader::Present);
    ~JobSession();
    JobSession(const JobSession&) = delete;
    JobSession& operator=(const JobSession&) = delete;

    StandinFolder& Folder() { return m_folder; }
    DialogHarness& Ui() { return m_ui; }
    TestReelsiftDlg& Dialog() { return m_ui.Dialog(); }

    // Writes the script for the next stand-in, puts the link in the link box and clicks Download.
    StandinFolder::Script Start(const std::string& script);

    JobView View() const;
    // Polls until the condition holds on what the dialog shows; false when the time ran out.
    bool WaitForView(const std::function<bool(const JobView&)>& condition, DWORD timeoutMs) const;
    // Every distinct view the dialog showed until the job's worker ended, in order (sampled every few
    // milliseconds, so a view must last a moment to be seen). Empty when the worker did not end in time.
    std::vector<JobView> FollowToTheEnd(DWORD timeoutMs);

    // The job's worker thread has ended (or none was started).
    bool WorkerEnded();
    bool WaitUntilWorkerEnds(DWORD timeoutMs);

    // Clicks the error-report button, reads the message box it opens and closes it. Empty when no box came.
    std::wstring ReadErrorReport();

private:
    class StatusAnimations {
    public:
        explicit StatusAnimations(const std::wstring& folder);
        ~StatusAnimations();
        StatusAnimations(const StatusAnimations&) = delete;
        StatusAnimations& operator=(const StatusAnimations&) = delete;

    private:
        std::wstring m_folder;
        std::vector<std::wstring> m_files;
    };

    // Declared in this order: the dialog opens in the folder and closes before the folder goes.
    StandinFolder m_folder;
    StatusAnimations m_animations;
    DialogHarness m_ui;
};

// Text made from the downloader's bytes as the system's ANSI code page reads them.
std::wstring AnsiText(const std::string& bytes);

// True when a person would see a box or nothing in its place: a control character, or a byte sign-extended
// into U+FF80 to U+FFFF.
bool HasUnreadableCharacters(const std::wstring& text);
