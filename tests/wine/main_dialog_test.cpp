// The main dialog as it opens, and how it treats Esc, Enter and control colours.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "download/Formats.h"
#include "framework/Handles.h"
#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"
#include "support/job_state_snapshot.h"

namespace {

class MainDialogTest : public FreshAccountTest {};

std::wstring ComboItems(HWND combo) {
    std::wstring items;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items += text;
        items += L"|";
    }
    return items;
}

// The items the format table gives a combo box, listed as ComboItems lists them.
template <class Formats>
std::wstring TableItems(const Formats& formats) {
    std::wstring items;
    for (const auto& format : formats) {
        items += format.itemText;
        items += L"|";
    }
    return items;
}

TEST_F(MainDialogTest, OpensInTheDocumentedStateOnAFreshAccount) {
    DialogHarness ui;

    EXPECT_EQ(ui.Title(), L"Reelsift");
    EXPECT_EQ(ui.Text(IDC_URL), L"");
    EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_URL));

    ExpectJobState(ui, JobState::Opening);
    EXPECT_TRUE(ui.Visible(IDC_ABORT));
    EXPECT_TRUE(ui.Visible(IDC_NEW_LINK));
    EXPECT_FALSE(ui.Visible(IDC_STARTUP_PROGRESS));

    for (int box : {IDC_AUTO_PASTE, IDC_AUDIO_ONLY, IDC_FULL_VIDEO, IDC_ALL_FORMATS, IDC_METADATA, IDC_SUBTITLES,
                    IDC_THUMBNAIL, IDC_PLAYLIST_REVERSE, IDC_PLAYLIST_FOLDERS, IDC_FILTER, IDC_AUTO_OPEN}) {
        EXPECT_FALSE(ui.Checked(box)) << box;
    }
    for (int combo : {IDC_AUDIO_FORMAT, IDC_VIDEO_FORMAT, IDC_FILTER_KIND}) {
        EXPECT_FALSE(ui.Enabled(combo)) << combo;
        EXPECT_EQ(ui.Selection(combo), CB_ERR) << combo;
    }
    EXPECT_FALSE(ui.Visible(IDC_FILTER_VALUE));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_FALSE(ui.Visible(IDC_MODE_PICTURE));
    EXPECT_FALSE(ui.Visible(IDC_DRIVE_ROOT_WARNING));

    EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), DefaultOutputFolder());
    EXPECT_EQ(ui.Dialog().GetOutputFolder(), CString(DefaultOutputFolder()));

    ExpectDefaultPlacement(ui.Window());
}

TEST_F(MainDialogTest, FillsTheComboBoxesInOrderAndSetsTheProgressRange) {
    DialogHarness ui(false);
    EXPECT_EQ(ComboItems(ui.Control(IDC_AUDIO_FORMAT)), TableItems(kAudioFormats));
    EXPECT_EQ(ComboItems(ui.Control(IDC_VIDEO_FORMAT)), TableItems(kVideoFormats));
    EXPECT_EQ(ComboItems(ui.Control(IDC_FILTER_KIND)),
              L"Download only playlist INDECES within your selection|Download only matching TITLE|"
              L"Skip download for matching TITLE|Skip download any videos larger than SIZE|"
              L"Skip download any videos smaller than SIZE|Skip download any videos with less than count VIEWS|"
              L"Skip download any videos with more than count VIEWS|Download only videos uploaded in this DATE|"
              L"Download only videos uploaded on or after this DATE|"
              L"Download only videos uploaded on or before this DATE|"
              L"Download only videos suitable for the given AGE|");
    PBRANGE range{};
    ::SendMessageW(ui.Control(IDC_MAIN_PROGRESS), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 1000);
}

TEST_F(MainDialogTest, EveryButtonCarriesItsIcon) {
    DialogHarness ui(false);
    for (int button :
         {IDC_DOWNLOAD, IDC_ABORT, IDC_NEW_LINK, IDC_OPEN_FOLDER, IDC_CHANGE_FOLDER, IDC_ERROR_REPORT, IDC_NOTIFY}) {
        EXPECT_NE(::SendMessageW(ui.Control(button), BM_GETIMAGE, IMAGE_ICON, 0), 0) << button;
    }
    EXPECT_NE(::SendMessageW(ui.Window(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageW(ui.Window(), WM_QUERYDRAGICON, 0, 0), 0);
}

TEST_F(MainDialogTest, EscLeavesTheDialogOpenAndUnchanged) {
    DialogHarness ui;
    ui.SetText(IDC_URL, L"typed text");
    ui.PressKey(VK_ESCAPE);
    ::SendMessageW(ui.Window(), WM_COMMAND, IDCANCEL, 0);
    ::SendMessageW(ui.Window(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(ui.Window()));
    EXPECT_TRUE(::IsWindowVisible(ui.Window()));
    EXPECT_EQ(ui.Text(IDC_URL), L"typed text");
    EXPECT_TRUE(ui.Enabled(IDC_DOWNLOAD));
}

TEST_F(MainDialogTest, EnterClicksDownloadOnlyWhileItIsEnabled) {
    DialogHarness ui(false);
    ui.SetText(IDC_URL, L"https://media.example.net/watch?v=Ab3dE5fG7h");
    ASSERT_FALSE(ui.Enabled(IDC_DOWNLOAD));  // the start-up show runs
    ui.PressKey(VK_RETURN);
    EXPECT_TRUE(ui.Enabled(IDC_URL));
    EXPECT_FALSE(ui.Dialog().m_bRunning);

    EXPECT_TRUE(ui.Dialog().m_strCommandLine.IsEmpty());

    ASSERT_TRUE(DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 15000));
    ui.PressKey(VK_RETURN);
    // A job started (with no downloader here it ends at once): the line was built from the typed link.
    EXPECT_TRUE(ui.Dialog().m_bRunning);
    EXPECT_NE(ui.Dialog().m_strCommandLine.str().find(L"\"https://media.example.net/watch?v=Ab3dE5fG7h\""),
              std::wstring::npos);
    EXPECT_TRUE(::IsWindowVisible(ui.Window()));
    // Its end still works the dialog's controls: it must be over before the test ends the dialog.
    EXPECT_TRUE(ui.WaitUntilJobWorkerEnds(10000));
}

TEST_F(MainDialogTest, ControlColourIsOneWhiteBrushExceptForTheHollowClickAreas) {
    DialogHarness ui(false);
    const WindowDc dc = GetWindowDc(ui.Window());
    auto ask = [&](UINT message, HWND control) {
        return ::SendMessageW(ui.Window(), message, reinterpret_cast<WPARAM>(dc.Get()),
                              reinterpret_cast<LPARAM>(control));
    };
    const LRESULT white = ask(WM_CTLCOLOREDIT, ui.Control(IDC_URL));
    LOGBRUSH info{};
    ASSERT_NE(::GetObjectW(reinterpret_cast<HBRUSH>(white), sizeof(info), &info), 0);
    EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(info.lbColor, RGB(255, 255, 255));

    EXPECT_EQ(ask(WM_CTLCOLOREDIT, ui.Control(IDC_STATUS)), white);
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, ui.Control(IDC_FILTER_HINT)), white);
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, ui.Control(IDC_DRIVE_ROOT_WARNING)), white);
    EXPECT_EQ(ask(WM_CTLCOLORLISTBOX, ui.Control(IDC_FILTER_KIND)), white);
    EXPECT_EQ(ask(WM_CTLCOLORBTN, ui.Control(IDC_DOWNLOAD)), white);
    EXPECT_EQ(ask(WM_CTLCOLORDLG, ui.Window()), white);
    EXPECT_EQ(ask(WM_CTLCOLORMSGBOX, ui.Window()), white);
    EXPECT_EQ(ask(WM_CTLCOLORSCROLLBAR, ui.Window()), white);

    // Over the painted captions a filled background would hide them.
    for (int label :
         {IDC_AUTO_PASTE_LABEL, IDC_AUDIO_ONLY_LABEL, IDC_AUDIO_ONLY_LABEL2, IDC_FILTER_LABEL, IDC_AUTO_OPEN_LABEL}) {
        EXPECT_EQ(ask(WM_CTLCOLORSTATIC, ui.Control(label)), reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)))
            << label;
    }
}

}  // namespace
