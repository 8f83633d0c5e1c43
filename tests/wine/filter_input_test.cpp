// The playlist filter's four controls driven as the user drives them: the box and its label, the kind combo
// box, and the value box with its focus changes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/dialog_harness.h"
#include "support/fresh_account_test.h"

namespace {

constexpr wchar_t kBadDate[] = L"Bad date format... Please use this format: MM/DD/YYYY";

class FilterInputTest : public FreshAccountTest {};

TEST_F(FilterInputTest, BoxLabelAndFocusWalkTheStateTable) {
    DialogHarness ui(false);
    ui.SetText(IDC_FILTER_VALUE, L"left over");

    // Off, as at every start.
    EXPECT_FALSE(ui.Checked(IDC_FILTER));
    EXPECT_FALSE(ui.Enabled(IDC_FILTER_KIND));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_VALUE));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));

    // Off -> on, editing: no kind is selected on a fresh account, so the hint keeps its template text.
    ui.Click(IDC_FILTER);
    EXPECT_TRUE(ui.Checked(IDC_FILTER));
    EXPECT_TRUE(ui.Enabled(IDC_FILTER_KIND));
    EXPECT_TRUE(ui.Visible(IDC_FILTER_VALUE));
    EXPECT_TRUE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_EQ(ui.Text(IDC_FILTER_HINT), L"Value tip...");
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"");
    EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));

    // Editing -> idle: without a kind nothing is kept.
    ui.SetText(IDC_FILTER_VALUE, L"Anything 123");
    ui.Focus(IDC_URL);
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"");
    EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_TRUE(ui.Visible(IDC_FILTER_VALUE));

    // Idle -> editing: the hint comes back, the value stays.
    ui.SetText(IDC_FILTER_VALUE, L"kept");
    ui.Focus(IDC_FILTER_VALUE);
    EXPECT_TRUE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"kept");

    // On -> off by the label; the hidden box keeps its text.
    ui.Focus(IDC_URL);
    ui.SetText(IDC_FILTER_VALUE, L"kept");
    ui.Click(IDC_FILTER_LABEL);
    EXPECT_FALSE(ui.Checked(IDC_FILTER));
    EXPECT_FALSE(ui.Enabled(IDC_FILTER_KIND));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_VALUE));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"kept");

    // Off -> on by the label empties and focuses the box.
    ui.Click(IDC_FILTER_LABEL);
    EXPECT_TRUE(ui.Checked(IDC_FILTER));
    EXPECT_TRUE(ui.Visible(IDC_FILTER_VALUE));
    EXPECT_TRUE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"");
    EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));
}

TEST_F(FilterInputTest, EachKindShowsItsHintAndCleansItsValueWhenTheBoxLosesTheFocus) {
    struct Case {
        int kind;
        const wchar_t* hint;
        const wchar_t* typed;
        const wchar_t* cleaned;
    };
    const Case cases[] = {
        {0, L"e.g. \"1,2,5\" or \"7-9\" or \"1,2,5,7-9\"", L"1, 2, 5", L"1,2,5"},
        {1, L"e.g. \"mira holt\" or \"holt\"", L"Best Of 2016 (HD)", L"best of 2016 hd"},
        {2, L"e.g. \"nina vale\" or \"bad keyword\"", L"  Nina \"VALE\"", L"  nina vale"},
        {3, L"e.g. \"10m\" or \"50m\" or \"500m\"", L"50 MB", L"50m"},
        {4, L"e.g. \"10m\" or \"50m\" or \"500m\"", L"1.5K", L"15k"},
        {5, L"e.g. \"5000\" or \"5k\" or \"1m\"", L"5,000", L"5000"},
        {6, L"e.g. \"5000\" or \"5k\" or \"1m\"", L"1M views", L"1m"},
        {7, L"e.g. \"12/31/2015\" or \"01/01/2016\"", L"12/31/2015", L"12/31/2015"},
        {8, L"e.g. \"12/31/2015\" or \"01/01/2016\"", L"12-31-2015", L"12312015"},
        {9, L"e.g. \"12/31/2015\" or \"01/01/2016\"", L"1/1/2016", kBadDate},
        {10, L"e.g. \"14+\" or \"16+\" or \"18+\"", L"Age 18+", L"18+"},
    };
    DialogHarness ui(false);
    ui.Click(IDC_FILTER);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ui.SetText(IDC_FILTER_VALUE, L"from the kind before");
        ui.Select(IDC_FILTER_KIND, c.kind);
        EXPECT_EQ(ui.Text(IDC_FILTER_HINT), c.hint);
        EXPECT_TRUE(ui.Visible(IDC_FILTER_HINT));
        EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"");
        EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));

        ui.TypeAndLeave(IDC_FILTER_VALUE, c.typed);
        EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), c.cleaned);
        EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));
    }
}

TEST_F(FilterInputTest, DateKindsReportOnlyAWrongCountAndCleanTheirOwnMessageToItsSlashes) {
    DialogHarness ui(false);
    ui.Click(IDC_FILTER);
    ui.Select(IDC_FILTER_KIND, 7);

    for (const wchar_t* typed : {L"", L"abc", L"//"}) {
        ui.TypeAndLeave(IDC_FILTER_VALUE, typed);
        EXPECT_NE(ui.Text(IDC_FILTER_VALUE), kBadDate) << typed;
    }
    ui.TypeAndLeave(IDC_FILTER_VALUE, L"2015/12/31");
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"2015/12/31");

    ui.TypeAndLeave(IDC_FILTER_VALUE, L"1/1/2016");
    ASSERT_EQ(ui.Text(IDC_FILTER_VALUE), kBadDate);
    ui.Focus(IDC_FILTER_VALUE);
    ui.Focus(IDC_URL);
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"//");
}

TEST_F(FilterInputTest, ChoosingAnotherKindWhileEditingCleansForTheOldKindThenEmptiesTheBox) {
    DialogHarness ui(false);
    ui.Click(IDC_FILTER);
    ui.Select(IDC_FILTER_KIND, 10);
    ui.SetText(IDC_FILTER_VALUE, L"Age 18+");

    ui.Focus(IDC_FILTER_KIND);  // the user reaches for the combo box
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"18+");
    EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));

    ui.Select(IDC_FILTER_KIND, 1);
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"");
    EXPECT_EQ(ui.Text(IDC_FILTER_HINT), L"e.g. \"mira holt\" or \"holt\"");
    EXPECT_TRUE(ui.Visible(IDC_FILTER_HINT));
    EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));
}

TEST_F(FilterInputTest, AnArrowKeyInTheClosedComboBoxMovesTheFocusIntoTheValueBox) {
    DialogHarness ui(false);
    ui.Click(IDC_FILTER);
    ui.Select(IDC_FILTER_KIND, 3);
    ui.SetText(IDC_FILTER_VALUE, L"50m");
    ui.Focus(IDC_FILTER_KIND);

    ui.PressKey(VK_DOWN);
    EXPECT_EQ(ui.Selection(IDC_FILTER_KIND), 4);
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"");
    EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));
    EXPECT_EQ(ui.Text(IDC_FILTER_HINT), L"e.g. \"10m\" or \"50m\" or \"500m\"");
}

TEST_F(FilterInputTest, EnterInTheValueBoxNeitherCleansNorMovesTheFocus) {
    DialogHarness ui(false);  // Download is still disabled by the start-up show: Enter starts nothing
    ui.Click(IDC_FILTER);
    ui.Select(IDC_FILTER_KIND, 1);
    ui.SetText(IDC_FILTER_VALUE, L"Best Of (HD)");

    ui.PressKey(VK_RETURN);
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"Best Of (HD)");
    EXPECT_EQ(ui.FocusedControl(), ui.Control(IDC_FILTER_VALUE));
    EXPECT_TRUE(ui.Visible(IDC_FILTER_HINT));
}

TEST_F(FilterInputTest, AStoredKindWaitsInTheDisabledComboBoxUntilTheFilterIsTurnedOn) {
    WriteSetting(L"combo_filter", L"8");
    DialogHarness ui(false);
    EXPECT_EQ(ui.Selection(IDC_FILTER_KIND), 8);
    EXPECT_FALSE(ui.Enabled(IDC_FILTER_KIND));
    EXPECT_FALSE(ui.Checked(IDC_FILTER));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_VALUE));
    EXPECT_FALSE(ui.Visible(IDC_FILTER_HINT));

    ui.Click(IDC_FILTER_LABEL);
    EXPECT_EQ(ui.Text(IDC_FILTER_HINT), L"e.g. \"12/31/2015\" or \"01/01/2016\"");
    ui.TypeAndLeave(IDC_FILTER_VALUE, L"01/01/2016");
    EXPECT_EQ(ui.Text(IDC_FILTER_VALUE), L"01/01/2016");
}

}  // namespace
