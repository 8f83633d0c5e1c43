// The output folder box, the drive-root warning, the folder browser and opening the folder in the shell.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/dialog_harness.h"
#include "support/e2e_desktop.h"
#include "support/fresh_account_test.h"
#include "support/standin_folder.h"

namespace {

// A folder of this test's own, with a subfolder and a file in it.
class ScratchFolder : public TempFolder {
public:
    ScratchFolder() : TempFolder(L"reelsift output ") {
        ::CreateDirectoryW(Sub().c_str(), nullptr);
        WriteFileBytes(File(), "");
    }
    std::wstring Sub() const { return FilePath(L"Music"); }
    std::wstring File() const { return FilePath(L"notes.txt"); }
};

class OutputFolderTest : public FreshAccountTest {
protected:
    static std::wstring Folder(DialogHarness& ui) { return ui.Dialog().GetOutputFolder().str(); }
};

TEST_F(OutputFolderTest, ATypedFolderIsTidiedAndTakenWhenItExistsAndPutBackWhenNot) {
    const ScratchFolder scratch;
    struct Case {
        std::wstring typed;
        std::wstring taken;
        bool warning;
    };
    const Case cases[] = {
        {L"  " + scratch.Path() + L"\\\\Music\\\\\\  ", scratch.Sub(), false},
        {scratch.Path() + L"\\no such folder", scratch.Sub(), false},
        {L"", scratch.Sub(), false},
        {L"c:", L"c:\\", true},
        // Put back: the warning keeps the state of the folder that stays.
        {L"\\\\no-such-server\\share", L"c:\\", true},
        {scratch.File(), scratch.File(), false},
        {L"C:\\\\", L"C:\\", true},
        {L"z:\\", L"z:\\", false},
        {scratch.Path() + L"\\", scratch.Path(), false},
    };
    DialogHarness ui(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.TypeAndLeave(IDC_OUTPUT_FOLDER, c.typed);
        EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), c.taken);
        EXPECT_EQ(Folder(ui), c.taken);
        EXPECT_EQ(ui.Visible(IDC_DRIVE_ROOT_WARNING), c.warning);
    }
}

TEST_F(OutputFolderTest, LeavingTheBoxUntouchedKeepsADefaultFolderThatDoesNotExistYet) {
    if (::GetFileAttributesW(DefaultOutputFolder().c_str()) != INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "the default folder exists in this prefix";
    }
    DialogHarness ui(false);
    ui.Focus(IDC_OUTPUT_FOLDER);
    ui.Focus(IDC_URL);
    EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), DefaultOutputFolder());
    EXPECT_EQ(Folder(ui), DefaultOutputFolder());
}

TEST_F(OutputFolderTest, TheWarningShowsForTheRootsOfDrivesCAndDOnly) {
    // Stored folders are taken without a look at the disk, so the roots of D: count even where there is no D:.
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"C:\\", true},  {L"c:\\", true},       {L"D:\\", true},   {L"d:\\", true},
        {L"E:\\", false}, {L"Z:\\", false},      {L"C:", false},    {L"C:\\\\", false},
        {L"C:/", false},  {L"C:\\users", false}, {L" C:\\", false},
    };
    for (const auto& [stored, warning] : cases) {
        SCOPED_TRACE(stored);
        WriteSetting(L"LastFolderPath", stored);
        DialogHarness ui(false);
        EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), stored);
        EXPECT_EQ(ui.Visible(IDC_DRIVE_ROOT_WARNING), warning);
    }
}

TEST_F(OutputFolderTest, OpeningStopsAPendingAutomaticOpening) {
    DialogHarness ui(false);
    StandinFolder standin;
    // A program in the box: each opening leaves one record of its command line.
    ui.SetText(IDC_OUTPUT_FOLDER, standin.FilePath(L"youtube-dl.exe"));
    // The program's start-up update may still come to find this folder's stand-in: it is no opening.
    auto openings = [&] {
        const std::vector<std::wstring> lines = standin.RecordedCommandLines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                                 [](const std::wstring& line) { return !line.ends_with(L" -U"); }));
    };

    // The automatic opening alone opens once: its timer stops at the first tick.
    ui.RunOnDialogThread([&] { ::SetTimer(ui.Window(), TIMER_AUTO_OPEN, 200, nullptr); });
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return openings() == 1; }, 5000));
    DialogHarness::Pause(1000);
    EXPECT_EQ(openings(), 1u);

    // The button opens at once and the pending timer never fires.
    ui.RunOnDialogThread([&] { ::SetTimer(ui.Window(), TIMER_AUTO_OPEN, 500, nullptr); });
    ui.Click(IDC_OPEN_FOLDER);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return openings() == 2; }, 5000));
    DialogHarness::Pause(1500);
    EXPECT_EQ(openings(), 2u);
}

TEST_F(OutputFolderTest, OpeningARealFolderReturnsToTheDialog) {
    const ScratchFolder scratch;
    DialogHarness ui(false);
    ui.SetText(IDC_OUTPUT_FOLDER, scratch.Path());
    const std::vector<DWORD> before = ChildProcessIds(::GetCurrentProcessId());

    const ULONGLONG start = ::GetTickCount64();
    ui.Click(IDC_OPEN_FOLDER);
    EXPECT_LT(::GetTickCount64() - start, 5000u);
    EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), scratch.Path());

    // The shell's folder window is not ours to keep.
    DialogHarness::Pause(500);
    for (DWORD id : ChildProcessIds(::GetCurrentProcessId())) {
        if (std::find(before.begin(), before.end(), id) != before.end()) continue;
        Process folderWindow = Process::Open(id);
        EndProcessTree(folderWindow);
    }
}

BOOL CALLBACK FindText(HWND child, LPARAM data) {
    auto* wanted = reinterpret_cast<std::pair<const wchar_t*, bool>*>(data);
    wchar_t text[128] = L"";
    ::GetWindowTextW(child, text, 128);
    if (::lstrcmpW(text, wanted->first) != 0) return TRUE;
    wanted->second = true;
    return FALSE;
}

TEST_F(OutputFolderTest, CancellingTheFolderBrowserChangesNothing) {
    WriteSetting(L"LastFolderPath", L"C:\\");
    DialogHarness ui(false);
    ui.ClickLater(IDC_CHANGE_FOLDER);
    const HWND browser = ui.WaitForPopup(10000);
    ASSERT_NE(browser, nullptr);
    std::pair<const wchar_t*, bool> title{L"Select the Output Folder...", false};
    ::EnumChildWindows(browser, &FindText, reinterpret_cast<LPARAM>(&title));
    EXPECT_TRUE(title.second);

    ::PostMessageW(::GetDlgItem(browser, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !::IsWindow(browser); }, 5000));
    ::SendMessageW(ui.Window(), WM_NULL, 0, 0);  // the handler has returned

    EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), L"C:\\");
    EXPECT_EQ(Folder(ui), L"C:\\");
    EXPECT_TRUE(ui.Visible(IDC_DRIVE_ROOT_WARNING));
}

}  // namespace
