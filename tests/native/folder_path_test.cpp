#include <gtest/gtest.h>

#include <string>

#include "dialog/FolderPath.h"

TEST(FolderPath, TypedFolderIsNormalized) {
    struct Case {
        std::wstring typed;
        std::wstring normalized;
    };
    const Case cases[] = {
        {L"d:", L"d:\\"},
        {L"  C:\\Music\\\\  ", L"C:\\Music"},
        {L"C:\\\\\\Music\\\\\\\\Rock", L"C:\\Music\\Rock"},
        {L"D:\\Music\\", L"D:\\Music"},
        {L"C:\\", L"C:\\"},
        {L"C:\\\\\\", L"C:\\"},
        {L"\\\\server\\share\\", L"\\server\\share"},
        {L"\t E:\\Videos \\ ", L"E:\\Videos"},
        {L"", L""},
        {L"   ", L""},
        {L"\\", L""},
        {L"a::", L"a::\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeTypedFolder(c.typed), c.normalized) << std::string(c.typed.begin(), c.typed.end());
}

TEST(FolderPath, WarnsOnlyForTheRootsOfCAndD) {
    for (const wchar_t* root : {L"C:\\", L"c:\\", L"D:\\", L"d:\\"}) EXPECT_TRUE(IsDriveRootWarningFolder(root));
    for (const wchar_t* other : {L"E:\\", L"C:", L"C:\\Music", L"C:/", L" C:\\", L"", L"\\\\C:\\"})
        EXPECT_FALSE(IsDriveRootWarningFolder(other));
}
