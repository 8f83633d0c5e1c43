#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "dialog/WindowPlacementText.h"

namespace {

std::tuple<int, int, int, int> Fields(const WindowPlacementRect& r) {
    return {r.width, r.height, r.left, r.top};
}

}  // namespace

TEST(WindowPlacementText, SplitsByTheStoredRules) {
    struct Case {
        std::wstring text;
        std::tuple<int, int, int, int> fields;  // width, height, left, top
    };
    const Case cases[] = {
        {L"966x604:120;80", {966, 604, 120, 80}},
        {L"800x600:-1920;-8", {800, 600, -1920, -8}},
        {L"800x600", {0, 0, 0, 800}},
        {L"axb:c;d", {0, 0, 0, 0}},
        {L"800x600:10", {800, 600, 0, 10}},
        {L"800:10;20", {0, 800, 10, 20}},
        {L" +800x 600px:10;20;30", {800, 600, 10, 20}},
        {L"", {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(ParseWindowPlacement(c.text)), c.fields) << std::string(c.text.begin(), c.text.end());
}

TEST(WindowPlacementText, FormatReadsBack) {
    const WindowPlacementRect rect{966, 604, -32000, 80};
    EXPECT_EQ(FormatWindowPlacement(rect), L"966x604:-32000;80");
    EXPECT_EQ(Fields(ParseWindowPlacement(FormatWindowPlacement(rect))), Fields(rect));
}

TEST(WindowPlacementText, LeadingIntegerSaturates) {
    struct Case {
        std::wstring text;
        int value;
    };
    const Case cases[] = {
        {L"2", 2},
        {L"-1", -1},
        {L"99", 99},
        {L"abc", 0},
        {L"\t\n 42abc", 42},
        {L"+-5", 0},
        {L"- 5", 0},
        {L"2147483647", 2147483647},
        {L"2147483648", 2147483647},
        {L"99999999999999999999999", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"-99999999999999999999999", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << std::string(c.text.begin(), c.text.end());
}

// The stored numbers may sit at the ends of the int range: the caption's edges stop there instead of wrapping.
TEST(WindowPlacementText, CaptionEdgesStopAtTheIntRange) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    auto edges = [](const WindowPlacementRect& placement) {
        const ScreenEdges e = CaptionEdges(placement, 26);
        return std::tuple<int, int, int, int>{e.left, e.top, e.right, e.bottom};
    };
    EXPECT_EQ(edges(ParseWindowPlacement(L"966x604:120;80")), std::make_tuple(120, 80, 1086, 106));
    EXPECT_EQ(edges(ParseWindowPlacement(L"966x604:2147483000;0")), std::make_tuple(2147483000, 0, kMax, 26));
    EXPECT_EQ(edges(ParseWindowPlacement(L"966x604:0;2147483647")), std::make_tuple(0, kMax, 966, kMax));
    EXPECT_EQ(edges(ParseWindowPlacement(L"-2147483648x604:-2147483648;0")), std::make_tuple(kMin, 0, kMin, 26));
}
