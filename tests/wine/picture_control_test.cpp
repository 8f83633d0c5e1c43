#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "picture/FrameImage.h"
#include "picture/GifWalker.h"
#include "picture/PictureEx.h"
#include "support/picture_probe.h"
#include "tests/support/desktop_windows.h"
#include "tests/support/win32_helpers.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);  // disposal.gif's last frame: neither menu nor face colour

class PictureControlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(picture.SubclassWindow(window.Static())); }

    COLORREF Pixel(int x, int y) { return PictureExProbe::SurfacePixel(picture, x, y); }
    COLORREF Shown(int x, int y) { return ShownPixel(window.Static(), x, y); }

    // Plays disposal.gif until its last frame, which stays for 655 s, is on the surface.
    void PlayDisposalGifToItsLastFrame() {
        ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"disposal.gif").c_str()));
        picture.Draw();
        ASSERT_TRUE(PumpUntil([&] { return Pixel(39, 29) == kYellow; }, 5000));
        ASSERT_TRUE(PumpUntil([&] { return picture.IsPlaying() != FALSE; }, 1000));
    }

    PictureWindow window;
    CPictureEx picture;
};

struct DecodedFrame {
    Microsoft::WRL::ComPtr<IPicture> picture;
    SIZE size;
    POINT offset;
};

// Every frame of a GIF file decoded as the control decodes it, each from a one-frame GIF of its own.
std::vector<DecodedFrame> DecodeFrames(const std::wstring& path, SIZE& screenSize) {
    std::vector<DecodedFrame> frames;
    const std::string bytes = ReadFileBytes(path);
    const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    const auto size = static_cast<std::uint32_t>(data.size());
    const std::optional<GifScreen> screen = ReadGifScreen(data.data(), size);
    if (!screen) return frames;
    screenSize = SIZE{screen->width, screen->height};
    GifWalker walker(data.data(), size, 0, screen->globalColorTableLength);
    walker.Rewind();
    GifFrameInfo info;
    OwnedGlobal block;
    const GifFrameAllocator allocate = [&block](std::uint32_t length) {
        block.Reset(::GlobalAlloc(GMEM_FIXED, length));
        return static_cast<std::uint8_t*>(block.Get());
    };
    while (walker.ExtractFrame(info, allocate)) {
        Microsoft::WRL::ComPtr<IStream> stream;
        if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, &stream))) continue;
        block.Release();  // the stream frees it
        DecodedFrame frame{nullptr, SIZE{info.width, info.height}, POINT{info.left, info.top}};
        if (SUCCEEDED(::OleLoadPicture(stream.Get(), static_cast<LONG>(info.length), FALSE, IID_IPicture,
                                       reinterpret_cast<void**>(frame.picture.GetAddressOf()))))
            frames.push_back(frame);
    }
    return frames;
}

// A surface like the control's, filled with a pattern in which neighbouring pixels differ.
class PatternSurface {
public:
    explicit PatternSurface(SIZE size)
        : m_surface(BitmapDc::CreateCompatible(GetWindowDc(nullptr).Get(), size.cx, size.cy)), m_size(size) {
        std::vector<std::uint32_t> pattern(Count());
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                pattern[static_cast<size_t>(y) * size.cx + x] = static_cast<std::uint32_t>(x * 0x0701 + y * 0x050300);
        const BITMAPINFO info = DibInfo(size.cx, size.cy, 32, DibRows::TopDown);
        ::SetDIBits(dc(), Bitmap(), 0, size.cy, pattern.data(), &info, DIB_RGB_COLORS);
    }
    HDC dc() const { return m_surface.GetSafeHdc(); }
    std::vector<std::uint32_t> Pixels() const {
        std::vector<std::uint32_t> pixels(Count());
        BITMAPINFO info = DibInfo(m_size.cx, m_size.cy, 32, DibRows::TopDown);
        ::GdiFlush();
        ::GetDIBits(dc(), Bitmap(), 0, m_size.cy, pixels.data(), &info, DIB_RGB_COLORS);
        for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
        return pixels;
    }

private:
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(::GetCurrentObject(dc(), OBJ_BITMAP)); }
    size_t Count() const { return static_cast<size_t>(m_size.cx) * static_cast<size_t>(m_size.cy); }

    BitmapDc m_surface;
    SIZE m_size;
};

TEST(FrameImage, DrawsExactlyWhatRenderingItsPictureDraws) {
    const std::wstring paths[] = {ProgramGif(L"converting.gif"),      ProgramGif(L"url.gif"),
                                  ProgramGif(L"ready.gif"),           ProgramGif(L"eyes.gif"),
                                  ProgramGif(L"downloading.gif"),     PictureTestFile(L"disposal.gif"),
                                  PictureTestFile(L"held_frames.gif")};  // this one has a transparent frame
    for (const std::wstring& path : paths) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        SIZE screen{};
        const std::vector<DecodedFrame> frames = DecodeFrames(path, screen);
        ASSERT_GT(frames.size(), 1u);
        for (size_t i = 0; i < frames.size(); ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            const DecodedFrame& frame = frames[i];
            const std::optional<FrameImage> image = FrameImage::Render(*frame.picture.Get(), frame.size);
            ASSERT_TRUE(image.has_value());
            PatternSurface rendered(screen), drawn(screen);
            ASSERT_TRUE(SUCCEEDED(RenderPicture(*frame.picture.Get(), rendered.dc(), frame.offset, frame.size)));
            ASSERT_TRUE(image->Draw(drawn.dc(), frame.offset));
            EXPECT_TRUE(rendered.Pixels() == drawn.Pixels());
        }
    }
}

TEST_F(PictureControlTest, LoadsEachKindOfPictureAndTakesItsSize) {
    struct Case {
        std::wstring path;
        bool animated;
        SIZE size;
        POINT probe;
        COLORREF colour;
    };
    const Case cases[] = {
        {ProgramGif(L"eyes.gif"), true, GifScreenSize(ProgramGif(L"eyes.gif")), {}, 0},
        {PictureTestFile(L"one_frame.gif"), false, {50, 40}, {10, 10}, kBlue},
        {PictureTestFile(L"still.bmp"), false, {30, 20}, {15, 10}, kRed},
        {PictureTestFile(L"still.jpg"), false, {24, 16}, {12, 8}, RGB(0x20, 0x40, 0xC0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        ASSERT_TRUE(picture.LoadFromFile(c.path.c_str()));
        EXPECT_EQ(picture.IsAnimatedGif() != FALSE, c.animated);
        const SIZE size = window.StaticSize();
        EXPECT_EQ(size.cx, c.size.cx);
        EXPECT_EQ(size.cy, c.size.cy);
        EXPECT_EQ(picture.Draw() != FALSE, !c.animated);
        if (c.animated) {
            EXPECT_TRUE(PumpUntil([&] { return picture.IsPlaying() != FALSE; }, 2000));
            continue;
        }
        const COLORREF pixel = Pixel(c.probe.x, c.probe.y);
        // JPEG is lossy: near is enough.
        EXPECT_NEAR(GetRValue(pixel), GetRValue(c.colour), 6);
        EXPECT_NEAR(GetGValue(pixel), GetGValue(c.colour), 6);
        EXPECT_NEAR(GetBValue(pixel), GetBValue(c.colour), 6);
    }
}

TEST_F(PictureControlTest, TheFirstFrameRepaintsTheWholeControl) {
    ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"blue.gif").c_str()));
    ASSERT_TRUE(picture.Draw());
    ASSERT_TRUE(PumpUntil([&] { return Shown(30, 20) == kBlue; }, 5000));

    // A picture of the same size whose first frame covers only its top left corner: the rest of the control
    // must show the new surface, not the blue that was there.
    ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"small_first_frame.gif").c_str()));
    picture.Draw();
    ASSERT_TRUE(PumpUntil([&] { return Shown(5, 5) == kRed; }, 5000));
    EXPECT_EQ(Shown(30, 20), ::GetSysColor(COLOR_MENU));
    EXPECT_EQ(Shown(30, 20), Pixel(30, 20));
}

TEST_F(PictureControlTest, DisposesToBackgroundAndToPreviousInTheFramesOwnRectangles) {
    PlayDisposalGifToItsLastFrame();
    const COLORREF back = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Pixel(10, 10), back);  // the blue frame's rectangle, cleared
    EXPECT_EQ(Pixel(4, 4), kRed);    // just outside it
    EXPECT_EQ(Pixel(15, 15), kRed);
    EXPECT_EQ(Pixel(25, 15), kRed);  // under the green frame, restored
    EXPECT_EQ(Pixel(0, 0), kRed);
}

TEST_F(PictureControlTest, WrapClearsThePictureBeforeTheFirstFrameAgain) {
    ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"wrap.gif").c_str()));
    picture.Draw();
    // Both squares stay until the wrap; only the fill removes the second one.
    ASSERT_TRUE(PumpUntil([&] { return Pixel(25, 5) == kBlue && Pixel(5, 5) == kRed; }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return Pixel(25, 5) != kBlue; }, 3000));
    EXPECT_EQ(Pixel(25, 5), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Pixel(35, 25), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(PictureControlTest, ZeroDelayShowsTheFrameForATenthOfASecond) {
    ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"delays.gif").c_str()));
    picture.Draw();
    // Red (delay 5), then blue (delay 0), then green: blue must stay about 100 ms, not go at once.
    ASSERT_TRUE(PumpUntil([&] { return Pixel(20, 15) == kRed; }, 3000));
    // Timed from the last sight of red, so that a late first sight of blue cannot shorten what is measured.
    ULONGLONG lastRed = ::GetTickCount64();
    ASSERT_TRUE(PumpUntil(
        [&] {
            const COLORREF pixel = Pixel(20, 15);
            if (pixel == kRed) lastRed = ::GetTickCount64();
            return pixel == kBlue;
        },
        3000));
    ASSERT_TRUE(PumpUntil([&] { return Pixel(20, 15) != kBlue; }, 3000));
    EXPECT_GE(::GetTickCount64() - lastRed, 85u);
}

TEST_F(PictureControlTest, StopDuringALongDelayReturnsAtOnceAndDrawResumesThere) {
    PlayDisposalGifToItsLastFrame();
    const ULONGLONG before = ::GetTickCount64();
    picture.Stop();
    EXPECT_LT(::GetTickCount64() - before, 4000u) << "the frame's long delay did not hold the stop";
    EXPECT_FALSE(picture.IsPlaying());
    EXPECT_EQ(PictureExProbe::Thread(picture), nullptr);
    EXPECT_EQ(PictureExProbe::Frame(picture), 3);
    EXPECT_EQ(Pixel(39, 29), kYellow);  // the last composed picture stays

    picture.Draw();
    ASSERT_TRUE(PumpUntil([&] { return picture.IsPlaying() != FALSE; }, 2000));
    // From frame 0 the full red frame would cover the cleared rectangle for 100 ms.
    bool restarted = false;
    PumpUntil(
        [&] {
            restarted = restarted || Pixel(10, 10) == kRed;
            return false;
        },
        400);
    EXPECT_FALSE(restarted);
    EXPECT_EQ(PictureExProbe::Frame(picture), 3);
}

TEST_F(PictureControlTest, ResumingDisposesOfTheStoppedFrameFirstAndAFrameWithoutControlExtensionWaitsForStop) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"held_frames.gif").c_str()));
    picture.Draw();

    // Stopped on the green frame, which restores the previous picture: resuming gives its saved area back
    // before the frame is shown again over what it restored.
    ASSERT_TRUE(PumpUntil([&] { return Pixel(25, 15) == kGreen; }, 5000));
    picture.Stop();
    const HDC saved = PictureExProbe::SavedArea(picture);
    ASSERT_NE(saved, nullptr);
    picture.Draw();
    ASSERT_TRUE(PumpUntil(
        [&] {
            const HDC now = PictureExProbe::SavedArea(picture);
            return now && now != saved;
        },
        5000));
    EXPECT_EQ(::GetObjectType(saved), 0u) << "the saved area was not freed";
    EXPECT_EQ(Pixel(25, 15), kGreen);

    // Stopped on the half transparent frame, which clears its rectangle: resuming clears it before the frame
    // is shown again, so its transparent half shows the background instead of the red under it.
    ASSERT_TRUE(PumpUntil([&] { return Pixel(7, 10) == kBlue; }, 10000));
    EXPECT_EQ(Pixel(25, 15), kRed);  // the green frame gave back what was under it
    EXPECT_EQ(PictureExProbe::SavedArea(picture), nullptr);
    EXPECT_EQ(Pixel(12, 10), kRed);
    picture.Stop();
    picture.Draw();
    ASSERT_TRUE(PumpUntil([&] { return Pixel(12, 10) == face; }, 5000));
    EXPECT_EQ(Pixel(7, 10), kBlue);

    // The last frame has no graphic control extension: it stays until the animation is stopped.
    ASSERT_TRUE(PumpUntil([&] { return Pixel(39, 29) == kYellow; }, 10000));
    EXPECT_EQ(Pixel(7, 10), face);
    PumpMessagesFor(1500);
    EXPECT_EQ(PictureExProbe::Frame(picture), 3);
    EXPECT_EQ(Pixel(25, 15), kRed) << "the animation wrapped";
    EXPECT_TRUE(picture.IsPlaying());
    const ULONGLONG before = ::GetTickCount64();
    picture.Stop();
    EXPECT_LT(::GetTickCount64() - before, 4000u);
    EXPECT_FALSE(picture.IsPlaying());
}

TEST_F(PictureControlTest, MissingFileLeavesThePlayingAnimationAlone) {
    PlayDisposalGifToItsLastFrame();
    const HANDLE thread = PictureExProbe::Thread(picture);
    EXPECT_FALSE(picture.LoadFromFile(PictureTestFile(L"no such picture.gif").c_str()));
    EXPECT_TRUE(picture.IsPlaying());
    EXPECT_TRUE(picture.IsAnimatedGif());
    EXPECT_EQ(PictureExProbe::Thread(picture), thread);
    EXPECT_EQ(Pixel(39, 29), kYellow);
}

TEST_F(PictureControlTest, GifWithoutACompleteFrameFailsAndLeavesTheControlEmpty) {
    PlayDisposalGifToItsLastFrame();
    // Header, screen descriptor, table and the first extension, then the first image cut short.
    const BYTE truncated[] = {'G', 'I', 'F', '8', '9', 'a',  40,   0, 30, 0, 0x80, 0, 0, 0,
                              0,   0,   255, 255, 255, 0x21, 0xF9, 4, 4,  2, 0,    0, 0, 0x2C,
                              0,   0,   0,   0,   40,  0,    30,   0, 0,  2, 10,   1, 2};
    {  // freed before the control is looked at again, as a caller may free it
        const OwnedGlobal block = GlobalCopyOf(truncated, sizeof truncated);
        ASSERT_NE(block.Get(), nullptr);
        EXPECT_FALSE(picture.LoadFromMemory(block.Get(), sizeof truncated));
    }

    EXPECT_FALSE(picture.IsPlaying());
    EXPECT_FALSE(picture.IsAnimatedGif());
    EXPECT_EQ(Pixel(0, 0), CLR_INVALID);
    EXPECT_FALSE(picture.Draw());
    EXPECT_EQ(window.StaticSize().cx, 40);  // the control keeps its size
}

// A GIF that declares a screen and frames of the given sizes in a few bytes each: no decoder gets to its
// pixels before the sizes decide.
std::vector<BYTE> DeclaredGif(SIZE screen, SIZE frame, int frameCount) {
    auto u16 = [](std::vector<BYTE>& out, LONG value) {
        out.push_back(static_cast<BYTE>(value & 0xFF));
        out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
    };
    std::vector<BYTE> gif = {'G', 'I', 'F', '8', '9', 'a'};
    u16(gif, screen.cx);
    u16(gif, screen.cy);
    gif.insert(gif.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255});  // two colours
    for (int i = 0; i < frameCount; ++i) {
        gif.insert(gif.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x2C, 0, 0, 0, 0});
        u16(gif, frame.cx);
        u16(gif, frame.cy);
        gif.insert(gif.end(), {0, 2, 2, 0x44, 0x01, 0});
    }
    gif.push_back(0x3B);
    return gif;
}

// The most the process has ever committed.
SIZE_T PeakCommit() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage;
}

TEST_F(PictureControlTest, PicturesBeyondTheMemoryBudgetAreRefusedBeforeAnythingIsAllocatedAndTheControlGoesOn) {
    struct Hostile {
        const char* what;
        std::vector<BYTE> gif;
    };
    const Hostile hostile[] = {
        {"a 20000 x 20000 screen", DeclaredGif(SIZE{20000, 20000}, SIZE{1, 1}, 2)},
        {"two 6000 x 6000 frames", DeclaredGif(SIZE{100, 100}, SIZE{6000, 6000}, 2)},
        {"4000 frames of 256 x 256", DeclaredGif(SIZE{256, 256}, SIZE{256, 256}, 4000)},
    };
    constexpr SIZE_T kLittle = 16u << 20;
    for (const Hostile& h : hostile) {
        SCOPED_TRACE(h.what);
        PlayDisposalGifToItsLastFrame();
        const SIZE_T peakBefore = PeakCommit();
        {
            const OwnedGlobal block = GlobalCopyOf(h.gif.data(), h.gif.size());
            ASSERT_NE(block.Get(), nullptr);
            EXPECT_FALSE(picture.LoadFromMemory(block.Get(), static_cast<DWORD>(h.gif.size())));
        }
        EXPECT_LT(PeakCommit(), peakBefore + kLittle);
        // Nothing of the refused picture is kept, nor anything of the one before.
        EXPECT_FALSE(picture.IsPlaying());
        EXPECT_FALSE(picture.IsAnimatedGif());
        EXPECT_EQ(Pixel(0, 0), CLR_INVALID);
        EXPECT_FALSE(picture.Draw());
    }
    ASSERT_TRUE(picture.LoadFromFile(ProgramGif(L"converting.gif").c_str()));
    EXPECT_TRUE(picture.IsAnimatedGif());
    picture.Draw();
    EXPECT_TRUE(PumpUntil([&] { return picture.IsPlaying() != FALSE; }, 2000));
}

TEST_F(PictureControlTest, DrawWhilePlayingStartsNoSecondThread) {
    PlayDisposalGifToItsLastFrame();
    const HANDLE thread = PictureExProbe::Thread(picture);
    ASSERT_NE(thread, nullptr);
    picture.Draw();
    EXPECT_EQ(PictureExProbe::Thread(picture), thread);
    EXPECT_EQ(::WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(PictureControlTest, AStopWithNothingPlayingLeavesNothingBehind) {
    picture.Stop();  // before anything was loaded, as a job that ends before its animation loaded does
    ASSERT_TRUE(picture.LoadFromFile(PictureTestFile(L"disposal.gif").c_str()));
    picture.Stop();
    EXPECT_FALSE(picture.IsPlaying());
    EXPECT_EQ(PictureExProbe::Thread(picture), nullptr);

    picture.Draw();  // the next start plays as ever
    EXPECT_TRUE(PumpUntil([&] { return picture.IsPlaying() != FALSE; }, 2000));
}

struct Worker {
    CPictureEx* picture;
    const std::wstring* paths;  // three of them
};

DWORD WINAPI LoadDrawAndStopRepeatedly(void* argument) {
    const Worker* worker = static_cast<Worker*>(argument);
    for (int round = 0; round < 6; ++round) {
        if (worker->picture->LoadFromFile(worker->paths[round % 3].c_str())) worker->picture->Draw();
        if (round % 2) worker->picture->Stop();
    }
    return 0;
}

TEST_F(PictureControlTest, LoadsAndDrawsFromSeveralThreadsWhileTheWindowPaints) {
    const std::wstring paths[] = {PictureTestFile(L"disposal.gif"), ProgramGif(L"eyes.gif"),
                                  PictureTestFile(L"still.bmp")};
    Worker worker{&picture, paths};
    OwnedHandle threads[3];
    HANDLE running[3];
    for (int i = 0; i < 3; ++i) {
        threads[i].Reset(::CreateThread(nullptr, 0, &LoadDrawAndStopRepeatedly, &worker, 0, nullptr));
        running[i] = threads[i].Get();
        ASSERT_NE(running[i], nullptr);
    }
    // The loads resize the control from their threads: this thread must keep serving them.
    EXPECT_TRUE(PumpUntil([&] { return ::WaitForMultipleObjects(3, running, TRUE, 0) == WAIT_OBJECT_0; }, 30000));

    picture.Unload();
    EXPECT_FALSE(picture.IsPlaying());
    EXPECT_EQ(PictureExProbe::Thread(picture), nullptr);
    ASSERT_TRUE(picture.LoadFromFile(ProgramGif(L"eyes.gif").c_str()));
    EXPECT_EQ(window.StaticSize().cx, GifScreenSize(ProgramGif(L"eyes.gif")).cx);
}

TEST_F(PictureControlTest, DestroyingTheWindowStopsTheAnimation) {
    PlayDisposalGifToItsLastFrame();
    ::DestroyWindow(window.Static());
    EXPECT_FALSE(picture.IsPlaying());
    EXPECT_EQ(PictureExProbe::Thread(picture), nullptr);
}

}  // namespace
