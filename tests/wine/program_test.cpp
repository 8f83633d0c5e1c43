// The real program, started as a process: start-up without its companions, the message-box caption, the
// self-update, and closing; and the two programs a user copies to Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"
#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"
#include "support/program_run.h"
#include "support/standin_folder.h"

namespace {

class ProgramTest : public FreshAccountTest {};

TEST_F(ProgramTest, StartsWithoutAnimationsOrDownloaderAndClosesWithExitCodeZero) {
    StandinFolder folder(StandinFolder::Downloader::Missing);  // no youtube-dl.exe, no gifs folder
    ProgramRun run(folder);
    const DialogWindow& ui = run.Ui();
    ASSERT_NE(ui.Window(), nullptr);

    // The start-up show ends and enables Download although nothing could be loaded or updated.
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return !ui.Enabled(IDC_DOWNLOAD); }, 3000));
    EXPECT_TRUE(DialogHarness::WaitFor([&] { return ui.Enabled(IDC_DOWNLOAD); }, 15000));

    ui.Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
    // Closing saved the settings, creating the key on this fresh account.
    EXPECT_EQ(ReadSetting(L"check_auto_paste"), L"false");
    EXPECT_NE(ReadSetting(L"LastWindowPos"), L"<missing>");
}

TEST_F(ProgramTest, MessageBoxCaptionIsTheExecutablesName) {
    StandinFolder folder(StandinFolder::Downloader::Missing);
    ProgramRun run(folder, L"Renamed Tool.exe");
    const DialogWindow& ui = run.Ui();
    ASSERT_NE(ui.Window(), nullptr);

    // An empty link: the Download handler only complains.
    ::PostMessageW(ui.Window(), WM_COMMAND, MAKEWPARAM(IDC_DOWNLOAD, BN_CLICKED),
                   reinterpret_cast<LPARAM>(ui.Control(IDC_DOWNLOAD)));
    const DialogWindow box(ui.WaitForPopup(10000));
    ASSERT_NE(box.Window(), nullptr);
    EXPECT_EQ(box.Title(), L"Renamed Tool");
    EXPECT_EQ(box.Text(0xFFFF), L"Please paste the correct link...");

    ::PostMessageW(box.Window(), WM_COMMAND, IDOK, 0);
    ui.Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
}

TEST_F(ProgramTest, UpdatesTheDownloaderOnceAtStart) {
    StandinFolder folder;
    ProgramRun run(folder);
    ASSERT_NE(run.Ui().Window(), nullptr);
    ASSERT_TRUE(DialogHarness::WaitFor([&] { return !folder.RecordedCommandLines().empty(); }, 10000));
    ::Sleep(500);  // a second start would have come by now
    const auto lines = folder.RecordedCommandLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"youtube-dl.exe -U");
    run.Ui().Close();
    EXPECT_EQ(run.WaitForExit(10000), 0u);
}

struct ShippedProgram {
    const char* folder;
    WORD machine;              // what the PE header must say
    const char* architecture;  // what the manifest must say
};

// The processor architecture the manifest's own identity names, or "<none>".
std::string ManifestArchitecture(HMODULE program) {
    HRSRC found = ::FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    if (!found) return "<none>";
    const auto* text = static_cast<const char*>(::LockResource(::LoadResource(program, found)));
    const std::string manifest(text, ::SizeofResource(program, found));
    const size_t identity = manifest.find("name=\"Reelsift\"");
    const std::string key = "processorArchitecture=\"";
    const size_t value = manifest.find(key, identity);
    if (identity == std::string::npos || value == std::string::npos) return "<none>";
    const size_t start = value + key.size();
    return manifest.substr(start, manifest.find('"', start) - start);
}

// Windows refuses to start a program whose manifest names another architecture; Wine does not check.
TEST(ShippedPrograms, EachManifestNamesTheArchitectureOfItsProgram) {
    for (const ShippedProgram& shipped : {ShippedProgram{"dist", IMAGE_FILE_MACHINE_I386, "x86"},
                                          ShippedProgram{"dist-x64", IMAGE_FILE_MACHINE_AMD64, "amd64"}}) {
        SCOPED_TRACE(shipped.folder);
        const std::wstring path = SourceTreePath(std::string(shipped.folder) + "/Reelsift.exe");
        HMODULE program = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr) << "not built: run scripts/build";
        // A data-file module's handle is the address of the file's bytes with the low bits set.
        const auto* file = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(program) & ~ULONG_PTR{3});
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file);
        const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(file + dos->e_lfanew);
        EXPECT_EQ(headers->FileHeader.Machine, shipped.machine);
        EXPECT_EQ(ManifestArchitecture(program), shipped.architecture);
        ::FreeLibrary(program);
    }
}

}  // namespace
