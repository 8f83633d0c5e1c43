#include "download/AnsiText.h"
#include "download/ToolProcess.h"
#include "support/standin_folder.h"
#include "support/tool_output.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(AnsiCodePageTable, KeepsAsciiAndNeverSignExtendsAByte) {
    const ByteToCharTable table = AnsiCodePageTable();
    for (unsigned byte = 0; byte < 0x80; ++byte) EXPECT_EQ(static_cast<unsigned>(table[byte]), byte);
    for (unsigned byte = 0x80; byte < 0x100; ++byte)
        EXPECT_NE(static_cast<unsigned>(table[byte]), 0xFF00u | byte) << "byte " << byte;
}

TEST(AnsiCodePageTable, ReadsWesternTextTheWayTheDownloaderWroteIt) {
    if (GetACP() != 1252) GTEST_SKIP() << "the recorded title was written in code page 1252";
    const ByteToCharTable table = AnsiCodePageTable();
    EXPECT_EQ(table[0x80], L'\u20AC');
    EXPECT_EQ(table[0x97], L'\u2014');
    EXPECT_EQ(table[0xE9], L'\u00E9');

    StandinFolder folder;
    folder.WriteScript("replay " + DownloaderFixtureFolder("non-ascii-title-cp1252") + " 20\n");
    ToolProcess tool;
    ASSERT_TRUE(tool.Start(L"youtube-dl.exe"));
    std::wstring text;
    for (const std::string& chunk : ReadToolToEnd(tool)) text += DecodeOutputBytes(chunk.data(), chunk.size(), table);
    EXPECT_NE(text.find(L"[download] Destination: C:\\Users\\user\\Documents\\YouTube Files\\"
                        L"  \u2014 caf\u00e9 \u00dcn\u00efc\u00f6d\u00e9.mp4\n"),
              std::wstring::npos);
}
