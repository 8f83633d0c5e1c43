#pragma once
// The controls that change with the job's state, as the dialog shows them, compared with what a named state of
// the program's own table makes of them.

#include <vector>

#include "dialog/JobStates.h"
#include "support/dialog_harness.h"

// One control of the table: enabled, and shown by its own style (so also while the dialog is hidden).
struct ControlLook {
    int id = 0;
    bool enabled = false;
    bool shown = false;

    bool operator==(const ControlLook&) const = default;
};

// Every control of the job-state table, each once, in the table's order.
std::vector<ControlLook> JobStateSnapshot(const DialogHarness& ui);

// Expects each control as the state sets it. What a state leaves alone is compared too where it is known: at the
// opening as the dialog template has it, while aborting as running set it.
void ExpectJobState(const DialogHarness& ui, JobState state);
