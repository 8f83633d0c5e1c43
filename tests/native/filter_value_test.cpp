#include <gtest/gtest.h>

#include <string>

#include "dialog/FilterValue.h"

TEST(FilterValue, CleaningKeepsWhatTheKindAllows) {
    struct Case {
        FilterKind kind;
        std::wstring typed;
        std::wstring cleaned;
    };
    const Case cases[] = {
        {FilterKind::PlaylistItems, L"1, 2, 5", L"1,2,5"},
        {FilterKind::PlaylistItems, L"7-9", L"7-9"},
        {FilterKind::MatchTitle, L"Best Of 2016 (HD)", L"best of 2016 hd"},
        {FilterKind::MatchTitle, L"  caf\u00E9 \u0416-Z  ", L"  caf -z  "},
        {FilterKind::RejectTitle, L"1,2,5", L"125"},
        {FilterKind::RejectTitle, L"a\"b", L"ab"},
        {FilterKind::MaxFileSize, L"50 MB", L"50m"},
        {FilterKind::MinViews, L"1.5K", L"15k"},
        {FilterKind::MaxViews, L"5,000", L"5000"},
        {FilterKind::Date, L"12/31/2015", L"12/31/2015"},
        {FilterKind::DateAfter, L"12-31-2015", L"12312015"},
        {FilterKind::DateBefore, L"2015/12/31", L"2015/12/31"},
        {FilterKind::Date, L"1/1/2016", kBadDateMessage},
        {FilterKind::Date, L"", L""},
        {FilterKind::DateAfter, L"abc", L""},
        {FilterKind::DateBefore, L"//", L"//"},
        {FilterKind::Date, kBadDateMessage, L"//"},
        {FilterKind::AgeLimit, L"Age 18+", L"18+"},
        {FilterKind::None, L"anything 123", L""},
        {static_cast<FilterKind>(11), L"123", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(CleanFilterValue(c.kind, c.typed), c.cleaned) << static_cast<int>(c.kind);
}

TEST(FilterValue, NoHintWithoutAKind) {
    EXPECT_EQ(FilterHintText(FilterKind::None), nullptr);
    EXPECT_EQ(FilterHintText(static_cast<FilterKind>(11)), nullptr);
    for (int kind = 0; kind <= 10; ++kind) EXPECT_NE(FilterHintText(static_cast<FilterKind>(kind)), nullptr) << kind;
}
