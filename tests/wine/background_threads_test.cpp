// The dialog's background threads: the start-up show, the clipboard watcher, and the link and ready animations.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <optional>
#include <vector>

#include "support/fresh_account_test.h"
#include "support/dialog_harness.h"
#include "support/e2e_desktop.h"
#include "support/job_session.h"

namespace {

const std::wstring kOtherLink = L"https://media.example.net/watch?v=Zz9yY8xX7w";

class BackgroundThreadsTest : public FreshAccountAndClipboardTest {};

// Counts the texts set into a window, whichever thread sets them. One at a time.
class SetTextCounter {
public:
    explicit SetTextCounter(HWND window) : m_window(window) {
        s_count = 0;
        s_previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting));
    }
    ~SetTextCounter() { ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_previous.load())); }
    SetTextCounter(const SetTextCounter&) = delete;
    SetTextCounter& operator=(const SetTextCounter&) = delete;
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT) ++s_count;
        return ::CallWindowProcW(s_previous, window, message, wParam, lParam);
    }
    static inline std::atomic<int> s_count{0};
    static inline std::atomic<WNDPROC> s_previous{nullptr};
    HWND m_window;
};

// ---- the start-up show -------------------------------------------------------------------------------------

struct StartupSample {
    ULONGLONG ms;  // since the dialog was asked for
    bool barVisible;
    bool marquee;
    int position;
    bool downloadEnabled;
};

// Watches the start-up bar and the Download button until the show is over.
std::vector<StartupSample> RecordStartupShow(const DialogHarness& ui, ULONGLONG start) {
    std::vector<StartupSample> samples;
    bool seenBar = false;
    while (::GetTickCount64() - start < 15000) {
        const StartupSample sample{::GetTickCount64() - start, ui.Visible(IDC_STARTUP_PROGRESS),
                                   ui.BarMarquee(IDC_STARTUP_PROGRESS), ui.BarPosition(IDC_STARTUP_PROGRESS),
                                   ui.Enabled(IDC_DOWNLOAD)};
        samples.push_back(sample);
        seenBar = seenBar || sample.barVisible;
        if (seenBar && !sample.barVisible) break;
        ::Sleep(2);
    }
    return samples;
}

TEST_F(BackgroundThreadsTest, StartupShowRunsItsSequenceAndOnlyThenEnablesDownload) {
    for (const bool withAnimations : {true, false}) {
        SCOPED_TRACE(withAnimations ? "with the gifs folder" : "without the gifs folder");
        StandinFolder folder(StandinFolder::Downloader::Missing,
                             withAnimations ? StandinFolder::Animations::Copied : StandinFolder::Animations::None);

        const ULONGLONG start = ::GetTickCount64();
        DialogHarness ui(false);
        ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Visible(IDC_STARTUP_PROGRESS); }, 10000));
        PBRANGE range{};
        ::SendMessageW(ui.Control(IDC_STARTUP_PROGRESS), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iLow, 0);
        EXPECT_EQ(range.iHigh, 100);

        const std::vector<StartupSample> samples = RecordStartupShow(ui, start);
        ASSERT_FALSE(samples.back().barVisible) << "the bar never went away";

        // Split the shown samples into filling, marquee and emptying.
        std::vector<StartupSample> filling, marquee, emptying;
        for (const StartupSample& sample : samples) {
            if (!sample.barVisible) continue;
            if (sample.marquee) {
                marquee.push_back(sample);
            } else {
                (marquee.empty() ? filling : emptying).push_back(sample);
            }
        }
        ASSERT_FALSE(filling.empty());
        ASSERT_FALSE(marquee.empty());
        ASSERT_FALSE(emptying.empty());
        for (size_t i = 1; i < filling.size(); ++i) ASSERT_GE(filling[i].position, filling[i - 1].position);
        EXPECT_EQ(filling.back().position, 100);
        const ULONGLONG marqueeMs = marquee.back().ms - marquee.front().ms;
        EXPECT_GE(marqueeMs, 1200u);
        EXPECT_LE(marqueeMs, 4000u);
        for (size_t i = 1; i < emptying.size(); ++i) ASSERT_LE(emptying[i].position, emptying[i - 1].position);
        EXPECT_EQ(emptying.back().position, 0);

        // Download stays unavailable for the whole show: until the bar has emptied and rested.
        for (const StartupSample& sample : samples) {
            if (sample.barVisible && (sample.position > 0 || sample.marquee)) {
                ASSERT_FALSE(sample.downloadEnabled) << sample.ms << " ms";
            }
        }
        ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 5000));
        const ULONGLONG enabledAt = ::GetTickCount64() - start;
        EXPECT_GE(enabledAt, 5380u);
        EXPECT_LE(enabledAt, 15000u);

        // The eyes and downloading animations play when their files are there, and nothing breaks without.
        EXPECT_EQ(ui.Dialog().m_gifEyes.IsPlaying() != FALSE, withAnimations);
        EXPECT_EQ(ui.Dialog().m_gifDownloading.IsPlaying() != FALSE, withAnimations);
    }
}

// ---- the clipboard watcher ---------------------------------------------------------------------------------

// One condition that keeps the watcher from pasting, and the change that lifts it.
struct WatcherCondition {
    const char* name;
    std::wstring box;        // the link box's text to begin with, kept while the condition holds
    std::wstring clipboard;  // the clipboard's text to begin with
    bool autoPaste;
    bool otherWindowInFront;
    enum class Lift { CheckAutoPaste, DialogToFront, LinkOnClipboard, CaseVariantOnClipboard } lift;
    std::wstring boxAfterLift;
};

std::wstring UpperCased(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(::towupper(c));
    return text;
}

TEST_F(BackgroundThreadsTest, ClipboardWatcherPastesOnlyWhenEveryConditionHolds) {
    const std::wstring caseVariant = L"https://media.example.net/watch?v=" + UpperCased(L"Ab3dE5fG7h");
    ASSERT_NE(caseVariant, kJobLink);
    const WatcherCondition conditions[] = {
        {"auto-paste off", L"", kJobLink, false, false, WatcherCondition::Lift::CheckAutoPaste, kJobLink},
        {"another window in front", L"", kJobLink, true, true, WatcherCondition::Lift::DialogToFront, kJobLink},
        {"clipboard text is not a link", L"", L"plain words on the clipboard", true, false,
         WatcherCondition::Lift::LinkOnClipboard, kJobLink},
        {"clipboard text equals the box", kJobLink, kJobLink, true, false,
         WatcherCondition::Lift::CaseVariantOnClipboard, caseVariant},
    };
    for (const WatcherCondition& condition : conditions) {
        SCOPED_TRACE(condition.name);
        ClearClipboard();  // the link the last case lifted its condition with would be pasted at once
        DialogHarness ui(false);
        ui.SetText(IDC_URL, condition.box);
        if (condition.autoPaste) ui.Click(IDC_AUTO_PASTE);
        ASSERT_EQ(ui.Checked(IDC_AUTO_PASTE), condition.autoPaste);
        std::optional<OtherWindow> other;
        if (condition.otherWindowInFront) {
            other.emplace();
            ASSERT_TRUE(BringToFront(other->Window()));
        } else {
            ASSERT_TRUE(BringToFront(ui.Window()));
        }
        PutOnClipboard(condition.clipboard);

        {
            SetTextCounter writes(ui.Control(IDC_URL));
            DialogHarness::Pause(2500);  // two passes of the watcher
            EXPECT_EQ(ui.Text(IDC_URL), condition.box);
            EXPECT_EQ(writes.Count(), 0) << "the box was rewritten";
        }

        switch (condition.lift) {
        case WatcherCondition::Lift::CheckAutoPaste:
            ui.Click(IDC_AUTO_PASTE);
            break;
        case WatcherCondition::Lift::DialogToFront:
            ASSERT_TRUE(BringToFront(ui.Window()));
            break;
        case WatcherCondition::Lift::LinkOnClipboard:
            PutOnClipboard(kJobLink);
            break;
        case WatcherCondition::Lift::CaseVariantOnClipboard:
            PutOnClipboard(caseVariant);
            break;
        }
        EXPECT_TRUE(DialogHarness::WaitFor([&] { return ui.Text(IDC_URL) == condition.boxAfterLift; }, 5000))
            << "box holds \"" << std::string(ui.Text(IDC_URL).begin(), ui.Text(IDC_URL).end()) << "\"";
    }
}

TEST_F(BackgroundThreadsTest, ClipboardWatcherSetsAHandEditedBoxBackWithinASecond) {
    DialogHarness ui(false);
    ui.Click(IDC_AUTO_PASTE);
    PutOnClipboard(kJobLink);
    ASSERT_TRUE(BringToFront(ui.Window()));
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Text(IDC_URL) == kJobLink; }, 5000));

    ui.SetText(IDC_URL, L"https://typed.example.org/by-hand");
    const ULONGLONG edited = ::GetTickCount64();
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Text(IDC_URL) == kJobLink; }, 5000));
    EXPECT_LE(::GetTickCount64() - edited, 1900u) << "within one pass of the watcher";
}

// ---- the status animations ---------------------------------------------------------------------------------

class StatusAnimationTest : public BackgroundThreadsTest {};

TEST_F(StatusAnimationTest, LinkAnimationPlaysOncePerValidChangeAndIsNotRestartedWhilePlaying) {
    JobSession job({.waitForStartup = false});
    DialogHarness& ui = job.Ui();
    CPictureEx& animation = ui.Dialog().m_gifUrl;
    ASSERT_FALSE(animation.IsPlaying());

    ui.SetText(IDC_URL, kJobLink);
    const ULONGLONG firstChange = ::GetTickCount64();
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return animation.IsPlaying() != FALSE; }, 10000));

    // Another valid link while it plays: had it started again, it would play until 7 s after this change.
    DialogHarness::Pause(2500);
    ui.SetText(IDC_URL, kOtherLink);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return animation.IsPlaying() == FALSE; }, 9000));
    const ULONGLONG playedMs = ::GetTickCount64() - firstChange;
    EXPECT_GE(playedMs, 6900u);
    EXPECT_LE(playedMs, 9400u);

    // Texts that are no link start nothing.
    for (const wchar_t* text : {L"", L"plain words", L"media.example.net/watch"}) {
        ui.SetText(IDC_URL, text);
        DialogHarness::Pause(700);
        EXPECT_FALSE(animation.IsPlaying()) << std::string(text, text + ::lstrlenW(text));
    }

    // A valid link after it stopped plays it again.
    ui.SetText(IDC_URL, kJobLink);
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return animation.IsPlaying() != FALSE; }, 10000));
}

TEST_F(StatusAnimationTest, ConvertingAnimationPlaysOnScreenInEveryJobAndIsLoadedOnlyForTheFirst) {
    JobSession job({.waitForStartup = false});
    DialogHarness& ui = job.Ui();
    ASSERT_TRUE(WaitForSelfUpdate(job.Folder()));
    CPictureEx& animation = ui.Dialog().m_gifConverting;
    HWND picture = ui.Control(IDC_GIF_CONVERTING);
    const std::wstring file = job.Folder().FilePath(L"gifs\\converting.gif");

    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "first job" : "second job, with the file gone");
        job.Start("sleep 5000\n" + kItemStopsShort);
        ASSERT_TRUE(DialogHarness::WaitFor([&] { return animation.IsPlaying() != FALSE; }, 10000));
        EXPECT_TRUE(ShowsAnimation(picture));
        ASSERT_TRUE(job.WaitForJobEnd());
        EXPECT_FALSE(animation.IsPlaying());
        EXPECT_FALSE(ui.Shown(IDC_GIF_CONVERTING));
        // The next job plays the animation already loaded: it must not need the file again.
        if (first) {
            ASSERT_TRUE(::DeleteFileW(file.c_str()));
        }
    }
}

TEST_F(StatusAnimationTest, ReadyAnimationFollowsOnlyAJobWithACompleteItemAndIsNotRestarted) {
    JobSession job({.waitForStartup = false});
    ASSERT_TRUE(WaitForSelfUpdate(job.Folder()));
    CPictureEx& animation = job.Dialog().m_gifReady;

    job.Start(kItemStopsShort);
    ASSERT_TRUE(job.WaitForJobEnd());
    DialogHarness::Pause(1500);
    EXPECT_FALSE(animation.IsPlaying()) << "played after a job without a complete item";

    job.Start(kItemCompletes);
    ASSERT_TRUE(job.WaitForJobEnd());
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return animation.IsPlaying() != FALSE; }, 10000));
    const ULONGLONG firstEnd = ::GetTickCount64();

    // A second complete job while it plays: a restart would keep it playing until 12 s after that job.
    job.Start("sleep 1500\n" + kItemCompletes);
    ASSERT_TRUE(job.WaitForJobEnd());
    EXPECT_GE(::GetTickCount64() - firstEnd, 2000u);
    EXPECT_TRUE(animation.IsPlaying());
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return animation.IsPlaying() == FALSE; }, 14000));
    EXPECT_LE(::GetTickCount64() - firstEnd, 13800u);
}

}  // namespace
