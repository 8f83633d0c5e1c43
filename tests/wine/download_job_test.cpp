// A download job through the real dialog: what each piece of the downloader's output shows, the three job
// states, Abort, and the error report, with the stand-in downloader playing scripted and recorded output.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dialog/ToolLog.h"
#include "support/fresh_account_test.h"
#include "support/job_session.h"
#include "support/job_state_snapshot.h"

namespace {

// The folder the recorded runs wrote into; the dialog is pointed at it so the status line hides it.
const wchar_t kRecordedFolder[] = L"C:\\Users\\user\\Documents\\YouTube Files";
const char kRecordedFolderBytes[] = "C:\\Users\\user\\Documents\\YouTube Files";
// A title in code page 1252 as the downloader writes it: an em dash and accented letters.
const char kWesternTitleBytes[] =
    "\x97 caf\xe9 \xdc"
    "n\xef"
    "c\xf6"
    "d\xe9";

class DownloadJobTest : public FreshAccountTest {};

void UseRecordedFolder(JobSession& job) {
    job.Ui().RunOnDialogThread([&] { job.Dialog().SetOutputFolder(CString(kRecordedFolder)); });
}

const JobView* FindView(const std::vector<JobView>& views, const std::function<bool(const JobView&)>& match) {
    const auto found = std::find_if(views.begin(), views.end(), match);
    return found == views.end() ? nullptr : &*found;
}

bool HasStatus(const JobView& view, const std::wstring& status) {
    return view.status == status;
}

void ExpectReadableStatusLines(const std::vector<JobView>& views) {
    for (const JobView& view : views) {
        EXPECT_FALSE(HasUnreadableCharacters(view.status)) << "status line: " << testing::PrintToString(view.status);
        EXPECT_FALSE(HasUnreadableCharacters(view.title)) << "title: " << testing::PrintToString(view.title);
    }
}

// Replays a recorded run of the real downloader (at four times its speed) and follows it to its end; every view
// on the way must read right.
std::vector<JobView> FollowRecordedRun(JobSession& job, const std::string& fixture) {
    job.Start("replay " + DownloaderFixtureFolder(fixture) + " 4\n");
    const std::vector<JobView> views = job.FollowToTheEnd(15000);
    ExpectReadableStatusLines(views);
    return views;
}

void ExpectIdle(JobSession& job, JobState idle = JobState::Idle) {
    SCOPED_TRACE("idle");
    DialogHarness& ui = job.Ui();
    ExpectJobState(ui, idle);
    EXPECT_EQ(ui.Text(IDC_STATUS), L"");
    EXPECT_FALSE(job.Dialog().m_gifConverting.IsPlaying());
    EXPECT_EQ(ui.Title(), L"Reelsift");
    EXPECT_FALSE(job.Dialog().m_tool.IsRunning());
}

void ExpectRunning(JobSession& job) {
    SCOPED_TRACE("running");
    ExpectJobState(job.Ui(), JobState::Running);
    EXPECT_TRUE(job.Dialog().m_tool.IsRunning());
}

// Aborting changes only what the click is for; the rest stays as running set it until the worker ends.
void ExpectAborting(JobSession& job, const std::wstring& lastTitle) {
    SCOPED_TRACE("aborting");
    ExpectJobState(job.Ui(), JobState::Aborting);
    EXPECT_EQ(job.Ui().Title(), lastTitle);
}

// What the job-state controls showed at the moment the job's end enabled Download again: seen on the dialog's
// thread while the worker waits for it, so no later step of the worker can have happened yet.
class DownloadOfferedAgain {
public:
    explicit DownloadOfferedAgain(DialogHarness& ui) : m_ui(ui) {
        m_ui.RunOnDialogThread([this] { ::SetWindowSubclass(m_ui.Control(IDC_DOWNLOAD), &Watch, 0, Self()); });
    }
    ~DownloadOfferedAgain() {
        m_ui.RunOnDialogThread([this] { ::RemoveWindowSubclass(m_ui.Control(IDC_DOWNLOAD), &Watch, 0); });
    }
    DownloadOfferedAgain(const DownloadOfferedAgain&) = delete;
    DownloadOfferedAgain& operator=(const DownloadOfferedAgain&) = delete;

    std::vector<ControlLook> lookThen;

private:
    DWORD_PTR Self() { return reinterpret_cast<DWORD_PTR>(this); }
    static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
        auto* watcher = reinterpret_cast<DownloadOfferedAgain*>(self);
        if (message == WM_ENABLE && wParam && watcher->lookThen.empty()) {
            watcher->lookThen = JobStateSnapshot(watcher->m_ui);
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    }

    DialogHarness& m_ui;
};

}  // namespace

TEST_F(DownloadJobTest, EachKindOfOutputShowsInTitleBarStatusLineAndReport) {
    JobSession job;
    UseRecordedFolder(job);
    const std::string folder = kRecordedFolderBytes;
    const std::string pause = "sleep 1000\n";  // each piece of output its own read, and long enough to be seen
    job.Start(OutCommand("[download] Destination: " + folder + "\\Clip.mp4\n") + pause +
              OutCommand("\r[download]  42.7% of 2.92MiB at  1.00MiB/s ETA 00:02") + pause +
              OutCommand("\r[download]   0.0% of 2.92MiB at Unknown speed ETA Unknown ETA") + pause +
              OutCommand("[youtube] Ab3dE5fG7h: Downloading webpage\n\r[download]  50.0% of 2.92MiB") + pause +
              OutCommand("[ffmpeg] Destination: " + folder + "\\Clip.mp3\n") + pause +
              OutCommand("Deleting original file " + folder + "\\Clip.mp4 (pass -k to keep)\n") + pause +
              OutCommand("(pass -k to keep)") + pause +
              OutCommand("\r[download]  10.0% of 2.92MiB\nERROR: unable to write data\n") + pause);
    const std::vector<JobView> views = job.FollowToTheEnd(30000);
    ASSERT_FALSE(views.empty()) << "the job did not end";
    ExpectReadableStatusLines(views);

    const JobView* view = FindView(views, [](const JobView& v) {
        return v.title == L"Working..." && v.status == L"[download] destination: output_folder\\clip.mp4";
    });
    EXPECT_NE(view, nullptr) << "the folder is hidden in the status line";

    // The status line is set before the title, so a view taken between the two mixes neighbouring chunks: each
    // chunk is looked for as a whole.
    view = FindView(views, [](const JobView& v) {
        return v.title == L"Download 42.7%" && v.bar == 420 &&
               v.status == L"[download]  42.7% of 2.92mib at  1.00mib/s eta 00:02";
    });
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->marquee);

    for (const JobView& v : views) {
        if (v.title == L"Download 0.0%" || v.title.starts_with(L"Download [youtube]")) {
            EXPECT_EQ(v.bar, 420) << "a figure of 0 or one that is no number leaves the bar: " << v.title.c_str();
        }
    }
    EXPECT_NE(FindView(views, [](const JobView& v) { return v.title == L"Download 0.0%"; }), nullptr);
    view = FindView(views, [](const JobView& v) { return v.title.starts_with(L"Download [youtube]"); });
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->title.ends_with(L"50.0%")) << view->title.c_str();
    EXPECT_NE(FindView(views, [](const JobView& v) { return HasStatus(v, L"[download]  50.0% of 2.92mib"); }), nullptr)
        << "the status line begins at the last bracket";

    EXPECT_NE(FindView(views,
                       [](const JobView& v) {
                           return v.title == L"Converting..." && v.marquee &&
                                  HasStatus(v, L"[convert] destination: output_folder\\clip.mp3");
                       }),
              nullptr);
    EXPECT_NE(FindView(views,
                       [](const JobView& v) {
                           return v.title == L"Working..." &&
                                  HasStatus(v, L"deleting original file output_folder\\clip.mp4");
                       }),
              nullptr);
    view = FindView(views, [](const JobView& v) { return v.title == L"Working..." && v.status.empty(); });
    ASSERT_NE(view, nullptr) << "\"(pass -k to keep)\" alone empties the status line";
    EXPECT_FALSE(view->errorReportShown);

    view = FindView(views, [](const JobView& v) { return v.title == L"Download 10.0%" && v.bar == 100; });
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->errorReportShown) << "\"error:\" shows the button even with progress";
    EXPECT_TRUE(views.back().errorReportShown) << "the button stays after the job";
    ExpectIdle(job);

    const std::vector<std::wstring> received = job.Folder().RecordedCommandLines();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back(), job.Dialog().m_strCommandLine.str());

    // The report keeps the real folder, each piece of output followed by a line feed, progress updates that a
    // carriage return overwrote reduced to the last one.
    const std::wstring realFolder = L"c:\\users\\user\\documents\\youtube files";
    EXPECT_EQ(job.ReadErrorReport(), L"[download] destination: " + realFolder +
                                         L"\\clip.mp4\n\n"
                                         L"[download]  42.7% of 2.92mib at  1.00mib/s eta 00:02\n"
                                         L"[download]   0.0% of 2.92mib at unknown speed eta unknown eta\n"
                                         L"[youtube] ab3de5fg7h: downloading webpage\n"
                                         L"[download]  50.0% of 2.92mib\n"
                                         L"[convert] destination: " +
                                         realFolder +
                                         L"\\clip.mp3\n\n"
                                         L"deleting original file " +
                                         realFolder +
                                         L"\\clip.mp4 \n\n"
                                         L"\n"
                                         L"[download]  10.0% of 2.92mib\n"
                                         L"error: unable to write data\n\n");
    EXPECT_FALSE(job.Dialog().m_gifReady.IsPlaying()) << "no item was completed";
}

TEST_F(DownloadJobTest, RecordedRunsOfTheRealDownloaderShowTheirOutcome) {
    JobSession job;
    UseRecordedFolder(job);

    {
        SCOPED_TRACE("http-404");
        const std::vector<JobView> views = FollowRecordedRun(job, "http-404");
        ASSERT_FALSE(views.empty()) << "the job did not end";
        EXPECT_TRUE(views.back().errorReportShown);
        const std::wstring report = job.ReadErrorReport();
        EXPECT_NE(report.find(L"error: unable to download webpage: http error 404: file not found"), std::wstring::npos)
            << report.c_str();
        EXPECT_NE(report.find(L"be sure to call download with the --verbose flag"), std::wstring::npos);
        EXPECT_FALSE(job.Dialog().m_gifReady.IsPlaying()) << "no item was completed";
        ExpectIdle(job);
    }
    {
        SCOPED_TRACE("extract-audio-mp3");
        const std::vector<JobView> views = FollowRecordedRun(job, "extract-audio-mp3");
        ASSERT_FALSE(views.empty()) << "the job did not end";
        EXPECT_NE(FindView(views, [](const JobView& v) { return v.bar == 1000; }), nullptr);
        EXPECT_FALSE(views.back().errorReportShown) << "the previous job's button is hidden";
        EXPECT_TRUE(DialogHarness::WaitFor([&] { return job.Dialog().m_gifReady.IsPlaying(); }, 15000))
            << "an item completed: the ready animation plays";
        ExpectIdle(job);
        const std::wstring log = g_strToolErrors.Copy().str();
        EXPECT_EQ(log.find(L"ffmpeg"), std::wstring::npos);
        EXPECT_NE(log.find(L"[convert] destination: c:\\users\\user\\documents\\youtube files\\"
                           L"reelsift test clip.mp3"),
                  std::wstring::npos);
    }
    {
        SCOPED_TRACE("non-ascii-title-cp1252");
        const std::vector<JobView> views = FollowRecordedRun(job, "non-ascii-title-cp1252");
        ASSERT_FALSE(views.empty()) << "the job did not end";
        EXPECT_FALSE(views.back().errorReportShown);
        const std::wstring log = g_strToolErrors.Copy().str();
        EXPECT_NE(log.find(L"finished downloading playlist:   " + AnsiText(kWesternTitleBytes)), std::wstring::npos);
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](wchar_t c) { return c >= 0xFF80; }), 0);
    }
    {
        SCOPED_TRACE("accented title in the status line");
        job.Start(OutCommand(std::string("[download] Destination: ") + kRecordedFolderBytes + "\\  " +
                             kWesternTitleBytes + ".mp4\n") +
                  "sleep 60000\n");
        const std::wstring expected =
            L"[download] destination: output_folder\\  " + AnsiText(kWesternTitleBytes) + L".mp4";
        EXPECT_TRUE(job.WaitForView([&](const JobView& v) { return v.status == expected; }, 15000))
            << testing::PrintToString(job.View().status);
        job.Ui().Click(IDC_ABORT);
        EXPECT_TRUE(job.WaitUntilWorkerEnds(10000));
    }
}

TEST_F(DownloadJobTest, AMissingDownloaderEndsTheJobSilently) {
    JobSession job({.downloader = StandinFolder::Downloader::Missing});
    job.Start("");
    const std::vector<JobView> views = job.FollowToTheEnd(15000);
    ASSERT_FALSE(views.empty()) << "the job did not end";
    ExpectIdle(job);
    EXPECT_FALSE(job.Ui().Visible(IDC_ERROR_REPORT));
    EXPECT_TRUE(g_strToolErrors.Copy().IsEmpty());
    EXPECT_EQ(job.Ui().WaitForPopup(200), nullptr) << "no message";
}

TEST_F(DownloadJobTest, IdleRunningAndAbortingShowTheirControlsAndAbortAfterACompletedItemStillCompletes) {
    JobSession job;
    ExpectIdle(job, JobState::Opening);
    EXPECT_FALSE(job.Ui().Visible(IDC_ERROR_REPORT));

    DownloadOfferedAgain downloadOffered(job.Ui());
    job.Start(OutCommand("\r[download]  42.7% of 2.92MiB at  1.00MiB/s ETA 00:02") + "sleep 300\n" +
              OutCommand("\r[download] 100% of 2.92MiB in 00:03\n") + "sleep 60000\n");
    ASSERT_TRUE(job.WaitForView(
        [](const JobView& v) {
            return v.title == L"Download 42.7%" && v.bar == 420 &&
                   v.status == L"[download]  42.7% of 2.92mib at  1.00mib/s eta 00:02";
        },
        15000));
    ExpectRunning(job);

    // Clicked and looked at in one step on the dialog thread: the worker cannot leave the aborting state meanwhile,
    // as its next step after the read waits for that thread.
    ASSERT_TRUE(job.WaitForView([](const JobView& v) { return v.bar == 1000; }, 15000));
    job.Ui().RunOnDialogThread([&] {
        job.Ui().Click(IDC_ABORT);
        ExpectAborting(job, L"Download 100%");
        EXPECT_FALSE(job.Dialog().m_bRunning);
    });

    ASSERT_TRUE(job.WaitUntilWorkerEnds(10000));
    ExpectIdle(job);
    EXPECT_EQ(downloadOffered.lookThen, JobStateSnapshot(job.Ui()))
        << "once Download is on offer again, a new job cannot meet the old job's last changes";
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return job.Dialog().m_gifReady.IsPlaying(); }, 15000))
        << "an aborted job whose item had completed still runs the completion actions";
}

TEST_F(DownloadJobTest, AbortDuringASilentStretchEndsTheJobsTreeButNoOtherConverter) {
    JobSession job;
    Process unrelated = job.Folder().StartUnrelatedFfmpeg();
    const StandinFolder::Script script =
        job.Start("spawn ffmpeg.exe 60000\n" + OutCommand("[download] Destination: Clip.mp4\n") + "sleep 60000\n");
    ASSERT_TRUE(
        job.WaitForView([](const JobView& v) { return v.status == L"[download] destination: clip.mp4"; }, 15000));
    const std::vector<DWORD> spawned = StandinFolder::SpawnedProcessIds(script);
    ASSERT_EQ(spawned.size(), 1u);
    Process ownConverter = Process::Open(spawned[0]);
    ASSERT_TRUE(ownConverter.IsOpen());
    ASSERT_FALSE(ownConverter.EndsWithin(0));

    const ULONGLONG clicked = ::GetTickCount64();
    job.Ui().Click(IDC_ABORT);
    ASSERT_TRUE(job.WaitUntilWorkerEnds(10000));
    EXPECT_LT(::GetTickCount64() - clicked, 5000u) << "back to idle at once, not after the silent stretch";
    ExpectIdle(job);

    EXPECT_TRUE(ownConverter.EndsWithin(2000));
    EXPECT_FALSE(unrelated.EndsWithin(200)) << "another program's converter lives on";
    EXPECT_FALSE(job.Dialog().m_gifReady.IsPlaying()) << "no item was completed";
}

// The first job ends converting, with its bar full and still in the marquee style, which ignores positions.
TEST_F(DownloadJobTest, ASecondJobStartsWithAnEmptyLogAnEmptyBarAndTheErrorButtonHidden) {
    JobSession job;
    job.Start(OutCommand("[download] 100% of 1.00MiB\n") + "sleep 100\n" + OutCommand("ERROR: first job failed\n") +
              "sleep 100\n" + OutCommand("[ffmpeg] Converting\n"));
    ASSERT_TRUE(job.WaitUntilWorkerEnds(10000));
    ASSERT_TRUE(job.Ui().Visible(IDC_ERROR_REPORT));
    ASSERT_TRUE(job.Ui().BarMarquee(IDC_MAIN_PROGRESS));

    job.Start(OutCommand("[download] second job") + "sleep 60000\n");
    EXPECT_EQ(job.Ui().BarPosition(IDC_MAIN_PROGRESS), 0);
    EXPECT_FALSE(job.Ui().BarMarquee(IDC_MAIN_PROGRESS));
    ASSERT_TRUE(job.WaitForView([](const JobView& v) { return v.status == L"[download] second job"; }, 15000));
    EXPECT_FALSE(job.Ui().Visible(IDC_ERROR_REPORT));
    EXPECT_EQ(g_strToolErrors.Copy().str(), L"[download] second job\n");

    job.Ui().Click(IDC_ABORT);
    ASSERT_TRUE(job.WaitUntilWorkerEnds(10000));
    EXPECT_FALSE(job.Ui().Visible(IDC_ERROR_REPORT));
}
