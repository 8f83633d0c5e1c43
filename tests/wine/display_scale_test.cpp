// The real program at each display scale: the painted captions, read off the screen, under their click areas,
// the pictures exactly at the size the template gives their controls, and the window at its own size whatever
// size was stored.
// A prefix shows one scale at a time: scripts/test sets each in turn and runs its case; the others skip.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "res/ArtworkMetrics.h"
#include "res/resource.h"
#include "support/dialog_harness.h"
#include "support/e2e_desktop.h"
#include "support/fresh_account_test.h"
#include "support/program_run.h"
#include "support/screen_capture.h"
#include "support/standin_folder.h"
#include "support/template_layout.h"

namespace {

struct DisplayScale {
    int dpi;
    int percent;
    // Base units of template 102 with its font replaced by FreeSans, as Windows gives them.
    int baseX, baseY;
};

// Names the case in the test list.
void PrintTo(const DisplayScale& scale, std::ostream* out) {
    *out << scale.percent << " %";
}

const DisplayScale kScales[] = {
    {96, 100, 7, 15},
    {120, 125, 9, 17},
    {144, 150, 11, 21},
    {192, 200, 14, 29},
};

const int kClickAreas[] = {IDC_AUTO_PASTE_LABEL,       IDC_AUDIO_ONLY_LABEL,       IDC_AUDIO_ONLY_LABEL2,
                           IDC_FULL_VIDEO_LABEL,       IDC_FULL_VIDEO_LABEL2,      IDC_ALL_FORMATS_LABEL,
                           IDC_METADATA_LABEL,         IDC_SUBTITLES_LABEL,        IDC_THUMBNAIL_LABEL,
                           IDC_PLAYLIST_REVERSE_LABEL, IDC_PLAYLIST_FOLDERS_LABEL, IDC_FILTER_LABEL,
                           IDC_AUTO_OPEN_LABEL};
const char kOutputFolderCaption[] = "output-folder";

// The ink boxes the artwork generator painted the captions in, in picture pixels, by click area id (and
// "output-folder").
std::map<std::string, RECT> PaintedCaptions() {
    std::map<std::string, RECT> boxes;
    std::istringstream lines(ReadFileBytes(SourceTreePath("tests/data/artwork/caption_ink.txt")));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string key;
        int x = 0, y = 0, width = 0, height = 0;
        if (fields >> key >> x >> y >> width >> height) boxes[key] = RECT{x, y, x + width, y + height};
    }
    return boxes;
}

int ScreenDpi() {
    return ::GetDeviceCaps(GetWindowDc(nullptr).Get(), LOGPIXELSY);
}

RECT ClientRectOf(HWND control, HWND dialog) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ScreenClientArea(HWND dialog) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

bool SameColour(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

bool Near(const RECT& a, const RECT& b, int tolerance) {
    return std::abs(a.left - b.left) <= tolerance && std::abs(a.top - b.top) <= tolerance &&
           std::abs(a.right - b.right) <= tolerance && std::abs(a.bottom - b.bottom) <= tolerance;
}

RECT Grown(RECT r, int dx, int dy) {
    ::InflateRect(&r, dx, dy);
    return r;
}

// White caption ink, also where it is blended half into the dark artwork; the dimmer hint texts are not.
bool IsCaptionInk(uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return std::min({r, g, b}) >= 128;
}

// The caption pixels the capture of the client area shows in a region, leaving out other controls.
struct InkFound {
    RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int inside = 0;   // pixels inside the click area
    int outside = 0;  // pixels more than a pixel beyond it
    bool Any() const { return box.left <= box.right; }
};

InkFound FindInk(const ScreenCapture& capture, const RECT& region, const RECT& area, const std::vector<RECT>& others) {
    InkFound found;
    const RECT loose = Grown(area, 1, 1);
    for (int y = std::max<LONG>(region.top, 0); y < std::min<LONG>(region.bottom, capture.Height()); ++y) {
        for (int x = std::max<LONG>(region.left, 0); x < std::min<LONG>(region.right, capture.Width()); ++x) {
            const POINT point{x, y};
            if (!IsCaptionInk(capture.At(x, y))) continue;
            if (std::any_of(others.begin(), others.end(), [&](const RECT& r) { return ::PtInRect(&r, point); })) {
                continue;
            }
            found.box = RECT{std::min<LONG>(found.box.left, x), std::min<LONG>(found.box.top, y),
                             std::max<LONG>(found.box.right, x + 1), std::max<LONG>(found.box.bottom, y + 1)};
            if (::PtInRect(&area, point)) ++found.inside;
            if (!::PtInRect(&loose, point)) ++found.outside;
        }
    }
    return found;
}

class DisplayScaleTest : public FreshAccountAndClipboardTest, public ::testing::WithParamInterface<DisplayScale> {};

TEST_P(DisplayScaleTest, CaptionsStayUnderTheirClickAreasAndTheArtworkFillsAWindowOfItsOwnSize) {
    const DisplayScale scale = GetParam();
    if (ScreenDpi() != scale.dpi) {
        GTEST_SKIP() << "this prefix shows " << ScreenDpi() << " DPI; scripts/test runs this case at " << scale.dpi;
    }
    const std::map<std::string, RECT> painted = PaintedCaptions();
    ASSERT_EQ(painted.size(), std::size(kClickAreas) + 1) << "tests/data/artwork/caption_ink.txt";

    // The template in this prefix: Windows' base units at this scale.
    SIZE ownSize{};
    RECT backgroundPlace{}, modePicturePlace{};
    {
        TemplateDialog layout;
        ASSERT_NE(layout.Window(), nullptr);
        const RECT baseUnits = layout.Map(RECT{0, 0, 4, 8});
        EXPECT_EQ(baseUnits.right, scale.baseX);
        EXPECT_EQ(baseUnits.bottom, scale.baseY);
        ownSize = layout.WindowSize();
        backgroundPlace = MapDialogPlace(layout.Window(), {PLACE_BACKGROUND});
        modePicturePlace = MapDialogPlace(layout.Window(), {PLACE_MODE_PICTURE});
    }

    // Nothing stored: the window's own size, centred.
    {
        DialogHarness ui(false);
        ExpectDefaultPlacement(ui.Window());
    }

    // The size a run at 150 % stored: larger or smaller than the dialog here, the window keeps its own size.
    WriteSetting(L"LastWindowPos", L"1499x832:10;20");
    StandinFolder folder(StandinFolder::Downloader::Missing);  // no animations over the artwork
    ProgramRun run(folder);
    const DialogWindow& ui = run.Ui();
    HWND dialog = ui.Window();
    ASSERT_NE(dialog, nullptr);
    // Read once the start-up show is over: it begins a moment after the dialog shows.
    DialogHarness::WaitFor([&] { return ui.Visible(IDC_STARTUP_PROGRESS); }, 10000);
    ASSERT_TRUE(
        DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD) && !ui.Visible(IDC_STARTUP_PROGRESS); }, 30000));
    const RECT window = ui.Area();
    EXPECT_EQ(window.left, 10);
    EXPECT_EQ(window.top, 20);
    EXPECT_EQ(window.right - window.left, ownSize.cx);
    EXPECT_EQ(window.bottom - window.top, ownSize.cy);

    // The background covers the template's rectangle exactly; its picture scales with the base units.
    const RECT background = ClientRectOf(::GetDlgItem(dialog, IDC_BACKGROUND), dialog);
    EXPECT_TRUE(::EqualRect(&background, &backgroundPlace))
        << Describe(background) << " for " << Describe(backgroundPlace);
    const double pictureX = static_cast<double>(scale.baseX) / kArtworkBaseUnitX;
    const double pictureY = static_cast<double>(scale.baseY) / kArtworkBaseUnitY;
    auto onScreen = [&](const RECT& inPicture) {
        return RECT{static_cast<LONG>(inPicture.left * pictureX), static_cast<LONG>(inPicture.top * pictureY),
                    static_cast<LONG>(inPicture.right * pictureX + 0.999),
                    static_cast<LONG>(inPicture.bottom * pictureY + 0.999)};
    };
    // Each edge of the ink read off the screen lies within a pixel or two of where the generator painted it:
    // the threshold trims faint edges, and the filter spreads them by about a pixel per scale step.
    const int edgeTolerance = 2 + scale.percent / 100;

    auto otherControls = [&](HWND except) {
        std::vector<RECT> others;
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (child != except && ::GetDlgCtrlID(child) != IDC_BACKGROUND && ::IsWindowVisible(child)) {
                others.push_back(ClientRectOf(child, dialog));
            }
        }
        return others;
    };

    BringToFront(dialog);
    auto captureClientArea = [&] {
        DialogHarness::Pause(200);  // painted, and on the screen
        return ScreenCapture(ScreenClientArea(dialog));
    };

    // Every caption, off the screen: ink inside its click area, none spilling out, where it was painted.
    struct Reading {
        int id;
        RECT area, expected;
        InkFound ink;
    };
    auto readCaptions = [&](const ScreenCapture& capture) {
        std::vector<Reading> readings;
        for (int id : kClickAreas) {
            HWND control = ::GetDlgItem(dialog, id);
            const RECT area = ClientRectOf(control, dialog);
            const RECT region = Grown(area, scale.baseX, scale.baseY / 2);
            readings.push_back({id, area, onScreen(painted.at(std::to_string(id))),
                                FindInk(capture, region, area, otherControls(control))});
        }
        return readings;
    };
    auto good = [&](const Reading& r) {
        return r.ink.inside > 0 && r.ink.outside == 0 && Near(r.ink.box, r.expected, edgeTolerance);
    };
    std::vector<Reading> readings;
    DialogHarness::WaitFor(
        [&] {
            readings = readCaptions(captureClientArea());
            return std::all_of(readings.begin(), readings.end(), good);
        },
        10000);
    for (const Reading& r : readings) {
        EXPECT_TRUE(good(r)) << "click area " << r.id << " at " << Describe(r.area) << ": " << r.ink.inside
                             << " caption pixels inside, " << r.ink.outside << " outside, ink " << Describe(r.ink.box)
                             << ", painted at " << Describe(r.expected);
    }
    SaveScreenshot("screenshot-" + std::to_string(scale.percent), window);

    // The artwork reaches the client area's right edge: its last column shows what the one before it does.
    {
        const ScreenCapture capture = captureClientArea();
        const int middle = capture.Height() / 2;
        const uint32_t last = capture.At(capture.Width() - 1, middle);
        EXPECT_TRUE(SameColour(last, capture.At(capture.Width() - 2, middle), 24) && !IsCaptionInk(last))
            << std::hex << "last client column 0x" << last << " beside 0x" << capture.At(capture.Width() - 2, middle);
    }

    // The mode picture over the template's place, its "Output folder:" exactly over the background's.
    const RECT label = onScreen(painted.at(kOutputFolderCaption));
    const RECT labelRegion = Grown(label, scale.baseX, scale.baseY / 2);
    const InkFound underneath = FindInk(captureClientArea(), labelRegion, label, otherControls(nullptr));
    EXPECT_TRUE(underneath.Any() && Near(underneath.box, label, edgeTolerance))
        << "background's label " << Describe(underneath.box) << ", painted at " << Describe(label);

    ui.Click(IDC_FULL_VIDEO_LABEL);
    HWND modePicture = ui.Control(IDC_MODE_PICTURE);
    ASSERT_TRUE(::IsWindowVisible(modePicture));
    const RECT modePlace = ClientRectOf(modePicture, dialog);
    EXPECT_TRUE(::EqualRect(&modePlace, &modePicturePlace))
        << Describe(modePlace) << " for " << Describe(modePicturePlace);
    std::vector<RECT> besidesMode = otherControls(modePicture);
    InkFound over;
    DialogHarness::WaitFor(
        [&] {
            over = FindInk(captureClientArea(), labelRegion, label, besidesMode);
            return over.Any() && Near(over.box, underneath.box, 1);
        },
        10000);
    EXPECT_TRUE(over.Any() && Near(over.box, underneath.box, 1))
        << "mode picture's label " << Describe(over.box) << ", background's " << Describe(underneath.box);

    ui.Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
}

INSTANTIATE_TEST_SUITE_P(EachScale, DisplayScaleTest, ::testing::ValuesIn(kScales),
                         [](const ::testing::TestParamInfo<DisplayScale>& info) {
                             return "At" + std::to_string(info.param.dpi) + "Dpi";
                         });

}  // namespace
