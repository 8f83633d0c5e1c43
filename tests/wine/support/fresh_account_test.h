#pragma once
// Tests that start and end as on a fresh account: without the program's settings key.

#include <gtest/gtest.h>

#include "support/dialog_harness.h"
#include "support/e2e_desktop.h"

class FreshAccountTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteSettingsKey(); }
    void TearDown() override { DeleteSettingsKey(); }
};

// Also with an empty clipboard at both ends: a link left there would be pasted into the next test's dialog.
class FreshAccountAndClipboardTest : public FreshAccountTest {
protected:
    void SetUp() override {
        FreshAccountTest::SetUp();
        ClearClipboard();
    }
    void TearDown() override {
        ClearClipboard();
        FreshAccountTest::TearDown();
    }
};
