#pragma once
// A download job driven through the real dialog: a stand-in folder, the dialog opened on top of it, and what a
// test needs to start a job, follow what it shows, see it end and read its error report.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/dialog_harness.h"
#include "support/standin_folder.h"

// A link the Download handler accepts.
inline const std::wstring kJobLink = L"https://media.example.net/watch?v=Ab3dE5fG7h";

// Stand-in scripts: an item that reaches 100 percent, and one that stops short of it.
inline const std::string kItemCompletes = "out [download] 100% of 2.92MiB in 00:03\\n\n";
inline const std::string kItemStopsShort = "out [download]  42.0% of 2.92MiB at  1.00MiB/s ETA 00:02\\r\n";

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

struct JobSetup {
    StandinFolder::Downloader downloader = StandinFolder::Downloader::Present;
    // The status animations in the folder, so that the pictures a job starts can play.
    StandinFolder::Animations animations = StandinFolder::Animations::Copied;
    // Opened once the start-up show has ended and Download is on offer; else while it still runs.
    bool waitForStartup = true;
};

class JobSession {
public:
    explicit JobSession(JobSetup setup = {});
    JobSession(const JobSession&) = delete;
    JobSession& operator=(const JobSession&) = delete;

    StandinFolder& Folder() { return m_folder; }
    DialogHarness& Ui() { return m_ui; }
    TestReelsiftDlg& Dialog() { return m_ui.Dialog(); }

    // Writes the script for the next stand-in, puts the link into the link box and gives the dialog the Download
    // command; the handler has run when this returns. The button's own state is not looked at, so a job can start
    // while the start-up show runs or the dialog is hidden.
    StandinFolder::Script Start(const std::string& script, const std::wstring& link = kJobLink);

    JobView View() const;
    // Polls until the condition holds on what the dialog shows; false when the time ran out.
    bool WaitForView(const std::function<bool(const JobView&)>& condition, DWORD timeoutMs) const;
    // Every distinct view the dialog showed until the job's worker ended, in order (sampled every few
    // milliseconds, so a view must last a moment to be seen). Empty when the worker did not end in time.
    std::vector<JobView> FollowToTheEnd(DWORD timeoutMs);

    // The job's worker thread has ended (or none was started).
    bool WorkerEnded() const { return m_ui.JobWorkerEnded(); }
    bool WaitUntilWorkerEnds(DWORD timeoutMs) const { return m_ui.WaitUntilJobWorkerEnds(timeoutMs); }
    // The worker has put the dialog back to idle: its last step shows the auto-paste box again.
    bool JobEnded() const;
    bool WaitForJobEnd(DWORD timeoutMs = 15000) const;

    // Clicks the error-report button, reads the message box it opens and closes it. Empty when no box came.
    std::wstring ReadErrorReport();

private:
    // Declared in this order: the dialog opens in the folder and closes before the folder goes.
    StandinFolder m_folder;
    DialogHarness m_ui;
};

// Waits until the start-up self-update has run the stand-in, so that it does not play a later script.
bool WaitForSelfUpdate(const StandinFolder& folder);

// Text made from the downloader's bytes as the system's ANSI code page reads them.
std::wstring AnsiText(const std::string& bytes);

// True when a person would see a box or nothing in its place: a control character, or a byte sign-extended
// into U+FF80 to U+FFFF.
bool HasUnreadableCharacters(const std::wstring& text);
