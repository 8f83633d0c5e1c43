// The settings under HKCU\SOFTWARE\Reelsift, through the real registry: what a start reads and applies, what
// a close writes, and what happens to values that are missing or malformed.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/SavedControls.h"
#include "framework/RegKey.h"
#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"
#include "support/template_layout.h"
#include "tests/support/win32_helpers.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\Reelsift";

// The saved controls of one kind, as the program's table lists them.
std::vector<SavedControl> Saved(SavedState state) {
    std::vector<SavedControl> controls;
    for (const SavedControl& saved : kSavedControls) {
        if (saved.state == state) controls.push_back(saved);
    }
    return controls;
}

std::vector<SavedControl> Boxes() {
    return Saved(SavedState::Check);
}

bool KeyExists() {
    CRegKey key;
    return key.Open(HKEY_CURRENT_USER, kKey, KEY_READ) == ERROR_SUCCESS;
}

// At the window's own size (966 x 604 at 100 % on Windows, a little less with Wine's frame), whatever was stored.
void ExpectPlacement(const DialogHarness& ui, int left, int top) {
    const SIZE own = TemplateDialog().WindowSize();
    const RECT rect = ui.Area();
    EXPECT_EQ(rect.right - rect.left, own.cx);
    EXPECT_EQ(rect.bottom - rect.top, own.cy);
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
}

class SettingsTest : public FreshAccountTest {
protected:
    static void Save(DialogHarness& ui) {
        ui.RunOnDialogThread([&] { ui.Dialog().SaveSettings(); });
    }
    static void PlaceWindow(DialogHarness& ui, int left, int top, int width, int height) {
        ::SetWindowPos(ui.Window(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

TEST_F(SettingsTest, AFirstStartReadsWithoutCreatingTheKeyAndClosingCreatesItForTheNextStart) {
    {
        DialogHarness ui(false);
        EXPECT_FALSE(KeyExists());
        ExpectDefaultPlacement(ui.Window());
        const RECT opened = ui.Area();
        Save(ui);
        ASSERT_TRUE(KeyExists());
        EXPECT_EQ(ReadSetting(L"LastWindowPos"), std::to_wstring(opened.right - opened.left) + L"x" +
                                                     std::to_wstring(opened.bottom - opened.top) + L":" +
                                                     std::to_wstring(opened.left) + L";" + std::to_wstring(opened.top));
        for (const SavedControl& box : Boxes()) EXPECT_EQ(ReadSetting(box.valueName), L"false") << box.valueName;
        for (const SavedControl& combo : Saved(SavedState::Selection)) {
            EXPECT_EQ(ReadSetting(combo.valueName), L"-1") << combo.valueName;
        }
        if (::GetFileAttributesW(DefaultOutputFolder().c_str()) == INVALID_FILE_ATTRIBUTES) {
            EXPECT_EQ(ReadSetting(L"LastFolderPath"), L"<missing>");
        }
    }
    // The next start looks the same.
    DialogHarness ui(false);
    ExpectDefaultPlacement(ui.Window());
    for (const SavedControl& box : Boxes()) EXPECT_FALSE(ui.Checked(box.controlId)) << box.valueName;
    for (const SavedControl& combo : Saved(SavedState::Selection)) {
        EXPECT_EQ(ui.Selection(combo.controlId), CB_ERR) << combo.valueName;
    }
    EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), DefaultOutputFolder());
}

TEST_F(SettingsTest, AllFifteenValuesSurviveACloseAndAStart) {
    const TempFolder folder(L"reelsift settings ");
    const TempFolder other(L"reelsift typed only ");
    const int checked[] = {IDC_AUTO_PASTE, IDC_FULL_VIDEO, IDC_METADATA, IDC_THUMBNAIL, IDC_PLAYLIST_FOLDERS};
    {
        DialogHarness ui(false);
        for (int id : checked) ui.SetCheck(id, true);
        ::SendMessageW(ui.Control(IDC_AUDIO_FORMAT), CB_SETCURSEL, 2, 0);
        ::SendMessageW(ui.Control(IDC_VIDEO_FORMAT), CB_SETCURSEL, 5, 0);
        ::SendMessageW(ui.Control(IDC_FILTER_KIND), CB_SETCURSEL, 7, 0);
        ui.Focus(IDC_OUTPUT_FOLDER);
        ui.SetText(IDC_OUTPUT_FOLDER, folder.Path());
        ui.Focus(IDC_URL);
        ui.SetText(IDC_OUTPUT_FOLDER, other.Path());  // typed, not yet taken: not saved
        PlaceWindow(ui, 30, 40, 1000, 650);
        Save(ui);
    }
    EXPECT_EQ(ReadSetting(L"LastWindowPos"), L"1000x650:30;40");
    EXPECT_EQ(ReadSetting(L"LastFolderPath"), folder.Path());
    EXPECT_EQ(ReadSetting(L"combo_audioformat"), L"2");
    EXPECT_EQ(ReadSetting(L"combo_videoformat"), L"5");
    EXPECT_EQ(ReadSetting(L"combo_filter"), L"7");

    DialogHarness ui(false);
    ExpectPlacement(ui, 30, 40);
    EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), folder.Path());
    EXPECT_EQ(ui.Dialog().GetOutputFolder().str(), folder.Path());
    for (const SavedControl& box : Boxes()) {
        EXPECT_EQ(ui.Checked(box.controlId),
                  std::find(std::begin(checked), std::end(checked), box.controlId) != std::end(checked))
            << box.valueName;
    }
    EXPECT_EQ(ui.Selection(IDC_AUDIO_FORMAT), 2);
    EXPECT_EQ(ui.Selection(IDC_VIDEO_FORMAT), 5);
    EXPECT_EQ(ui.Selection(IDC_FILTER_KIND), 7);
    EXPECT_FALSE(ui.Enabled(IDC_AUDIO_FORMAT));
    EXPECT_TRUE(ui.Enabled(IDC_VIDEO_FORMAT));
    EXPECT_FALSE(ui.Checked(IDC_FILTER));
    EXPECT_FALSE(ui.Enabled(IDC_FILTER_KIND));
}

TEST_F(SettingsTest, EachCheckBoxIsKeptUnderItsOwnName) {
    {
        DialogHarness ui(false);
        for (const SavedControl& only : Boxes()) {
            for (const SavedControl& box : Boxes()) ui.SetCheck(box.controlId, box.controlId == only.controlId);
            Save(ui);
            for (const SavedControl& box : Boxes()) {
                EXPECT_EQ(ReadSetting(box.valueName), box.controlId == only.controlId ? L"true" : L"false")
                    << only.valueName;
            }
        }
    }
    for (const SavedControl& only : Boxes()) {
        for (const SavedControl& box : Boxes()) {
            WriteSetting(box.valueName, box.controlId == only.controlId ? L"true" : L"false");
        }
        DialogHarness ui(false);
        for (const SavedControl& box : Boxes()) {
            EXPECT_EQ(ui.Checked(box.controlId), box.controlId == only.controlId) << only.valueName;
        }
    }
}

TEST_F(SettingsTest, OnlyExactlyTrueChecksAndComboTextsReadAsTheirLeadingNumber) {
    WriteSetting(L"check_auto_paste", L"True");
    WriteSetting(L"check_download_only_audio", L"TRUE");
    WriteSetting(L"check_write_metadata", L"1");
    WriteSetting(L"check_download_reverse", L"yes");
    WriteSetting(L"check_auto_create_folders", L"true ");
    WriteSetting(L"check_auto_open", L"true");
    WriteSetting(L"combo_filter", L"99");
    WriteSetting(L"combo_audioformat", L"abc");
    WriteSetting(L"combo_videoformat", L" 2x");
    DialogHarness ui(false);
    for (int id : {IDC_AUTO_PASTE, IDC_AUDIO_ONLY, IDC_METADATA, IDC_PLAYLIST_REVERSE, IDC_PLAYLIST_FOLDERS}) {
        EXPECT_FALSE(ui.Checked(id)) << id;
    }
    EXPECT_TRUE(ui.Checked(IDC_AUTO_OPEN));
    EXPECT_EQ(ui.Selection(IDC_FILTER_KIND), CB_ERR);
    EXPECT_EQ(ui.Selection(IDC_AUDIO_FORMAT), 0);
    EXPECT_EQ(ui.Selection(IDC_VIDEO_FORMAT), 2);
}

TEST_F(SettingsTest, AStoredCombinationIsShownAsStoredWithoutAnyRuleRunning) {
    WriteSetting(L"check_download_only_audio", L"true");
    WriteSetting(L"check_download_full_video", L"true");
    WriteSetting(L"check_embed_subtitles", L"true");
    WriteSetting(L"check_embed_thumb", L"true");
    WriteSetting(L"combo_audioformat", L"0");
    WriteSetting(L"combo_videoformat", L"0");
    DialogHarness ui(false);
    DialogHarness::Pause(700);  // longer than any delayed uncheck
    EXPECT_TRUE(ui.Checked(IDC_AUDIO_ONLY));
    EXPECT_TRUE(ui.Checked(IDC_FULL_VIDEO));
    EXPECT_TRUE(ui.Checked(IDC_SUBTITLES));
    EXPECT_TRUE(ui.Checked(IDC_THUMBNAIL));
    EXPECT_TRUE(ui.Enabled(IDC_AUDIO_FORMAT));
    EXPECT_TRUE(ui.Enabled(IDC_VIDEO_FORMAT));
    EXPECT_FALSE(ui.Visible(IDC_MODE_PICTURE));
}

TEST_F(SettingsTest, AMalformedValueReadsAsEmpty) {
    const TempFolder folder(L"reelsift stored ");
    enum class Size { Whole, LastByteCut, NoTerminator, Zero };
    struct Form {
        const char* what;
        DWORD type;
        size_t padTo;  // characters, blanks added after the text
        Size size;
        bool applied;
    };
    const Form forms[] = {
        {"well formed", REG_SZ, 0, Size::Whole, true},
        {"expandable, taken as stored", REG_EXPAND_SZ, 0, Size::Whole, true},
        {"259 characters", REG_SZ, 259, Size::Whole, true},
        {"binary", REG_BINARY, 0, Size::Whole, false},
        {"multi-string", REG_MULTI_SZ, 0, Size::Whole, false},
        {"300 characters", REG_SZ, 300, Size::Whole, false},
        {"260 characters", REG_SZ, 260, Size::Whole, false},
        {"odd size", REG_SZ, 0, Size::LastByteCut, false},
        {"no terminator", REG_SZ, 0, Size::NoTerminator, false},
        {"empty", REG_SZ, 0, Size::Zero, false},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.what);
        DeleteSettingsKey();
        auto write = [&](const wchar_t* name, std::wstring text) {
            if (text.size() < form.padTo) text.append(form.padTo - text.size(), L' ');
            // The registry counts a terminator that follows the data, so an unterminated text is followed by
            // something else.
            std::wstring data = text + (form.size == Size::NoTerminator ? L'X' : L'\0');
            size_t bytes = data.size() * sizeof(wchar_t);
            if (form.size == Size::LastByteCut) bytes -= 1;
            if (form.size == Size::NoTerminator) bytes -= sizeof(wchar_t);
            if (form.size == Size::Zero) bytes = 0;
            WriteRawSetting(name, form.type, data.c_str(), static_cast<DWORD>(bytes));
            return text;
        };
        const std::wstring storedFolder = write(L"LastFolderPath", folder.Path());
        write(L"LastWindowPos", L"1000x700:10;20");
        write(L"combo_audioformat", L"2");
        if (form.padTo == 0) write(L"check_auto_paste", L"true");

        DialogHarness ui(false);
        if (form.applied) {
            ExpectPlacement(ui, 10, 20);
            EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), storedFolder);
            EXPECT_EQ(ui.Selection(IDC_AUDIO_FORMAT), 2);
            EXPECT_EQ(ui.Checked(IDC_AUTO_PASTE), form.padTo == 0);
        } else {
            ExpectDefaultPlacement(ui.Window());
            EXPECT_EQ(ui.Text(IDC_OUTPUT_FOLDER), DefaultOutputFolder());
            EXPECT_EQ(ui.Selection(IDC_AUDIO_FORMAT), CB_ERR);
            EXPECT_FALSE(ui.Checked(IDC_AUTO_PASTE));
        }
    }
}

// The window has no sizing border, so it always takes its own size; a stored size larger or smaller than that,
// as a run at another display scale stores, changes nothing. The stored position is applied where the caption
// lands on a screen.
TEST_F(SettingsTest, AStoredPositionIsAppliedAtTheWindowsOwnSizeUnlessItLeavesEveryScreen) {
    struct Case {
        const wchar_t* stored;
        bool applied;
        int left, top;
    };
    const Case cases[] = {
        {L"1000x700:10;20", true, 10, 20},
        {L"1499x832:-300;100", true, -300, 100},
        {L"1000x700:100;-5", true, 100, -5},
        {L"800x700:10;20", true, 10, 20},
        {L"200x150:10;20", true, 10, 20},
        {L"800x600", true, 0, 800},
        {L"axb:c;d", false, 0, 0},  // 0, 0 is where the dialog opens: not moved, so centred
        {L"1000x700:5000;5000", false, 0, 0},
        {L"1000x700:-32000;-32000", false, 0, 0},
        {L"1000x700:10;2000", false, 0, 0},
        {L"966x604:2147483000;0", false, 0, 0},
        {L"966x604:0;2147483647", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteSetting(L"LastWindowPos", c.stored);
        DialogHarness ui(false);
        if (c.applied) {
            ExpectPlacement(ui, c.left, c.top);
        } else {
            ExpectDefaultPlacement(ui.Window());
        }
    }
}

TEST_F(SettingsTest, AMinimisedOrMaximisedWindowKeepsItsRestoredRectangle) {
    const SIZE own = TemplateDialog().WindowSize();
    const std::wstring restored = std::to_wstring(own.cx) + L"x" + std::to_wstring(own.cy) + L":10;20";
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        SCOPED_TRACE(show);
        WriteSetting(L"LastWindowPos", L"1000x700:10;20");
        DialogHarness ui(false);
        WriteSetting(L"LastWindowPos", L"");
        // Shown and saved in one step: on a busy machine a late event of the first showing can restore the window
        // before a separate save would run.
        bool shownAsAsked = false;
        ui.RunOnDialogThread([&] {
            ::ShowWindow(ui.Window(), show);
            shownAsAsked = show == SW_MINIMIZE ? ::IsIconic(ui.Window()) : ::IsZoomed(ui.Window());
            ui.Dialog().SaveSettings();
        });
        ASSERT_TRUE(shownAsAsked);
        EXPECT_EQ(ReadSetting(L"LastWindowPos"), restored);
    }
}

TEST_F(SettingsTest, AFolderThatNoLongerExistsIsNotWrittenOver) {
    TempFolder folder(L"reelsift vanishing ");
    WriteSetting(L"LastFolderPath", folder.Path());
    DialogHarness ui(false);
    ASSERT_EQ(ui.Dialog().GetOutputFolder().str(), folder.Path());
    folder.Remove();
    WriteSetting(L"LastFolderPath", L"C:\\kept from before");
    Save(ui);
    EXPECT_EQ(ReadSetting(L"LastFolderPath"), L"C:\\kept from before");
    EXPECT_EQ(ReadSetting(L"check_auto_paste"), L"false");  // the rest was written
}

TEST_F(SettingsTest, OfTwoInstancesTheOneThatClosesLastDecides) {
    for (bool firstClosesLast : {false, true}) {
        SCOPED_TRACE(firstClosesLast);
        DeleteSettingsKey();
        {
            DialogHarness first(false);
            DialogHarness second(false);
            first.SetCheck(IDC_AUDIO_ONLY, true);
            ::SendMessageW(first.Control(IDC_AUDIO_FORMAT), CB_SETCURSEL, 1, 0);
            second.SetCheck(IDC_FULL_VIDEO, true);
            ::SendMessageW(second.Control(IDC_VIDEO_FORMAT), CB_SETCURSEL, 4, 0);
            if (firstClosesLast) {
                Save(second);
                Save(first);
            } else {
                Save(first);
                Save(second);
            }
        }
        DialogHarness next(false);
        EXPECT_EQ(next.Checked(IDC_AUDIO_ONLY), firstClosesLast);
        EXPECT_EQ(next.Checked(IDC_FULL_VIDEO), !firstClosesLast);
        EXPECT_EQ(next.Selection(IDC_AUDIO_FORMAT), firstClosesLast ? 1 : CB_ERR);
        EXPECT_EQ(next.Selection(IDC_VIDEO_FORMAT), firstClosesLast ? CB_ERR : 4);
    }
}

}  // namespace
