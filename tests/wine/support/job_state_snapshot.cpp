#include "support/job_state_snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "support/template_layout.h"

namespace {

const char* Name(JobState state) {
    switch (state) {
    case JobState::Opening:
        return "opening";
    case JobState::Idle:
        return "idle";
    case JobState::Running:
        return "running";
    case JobState::Aborting:
        return "aborting";
    }
    return "?";
}

ControlLook LookOf(HWND control, int id) {
    return ControlLook{id, ::IsWindowEnabled(control) != FALSE,
                       (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0};
}

bool AspectOf(const ControlLook& look, ControlAspect aspect) {
    return aspect == ControlAspect::Enabled ? look.enabled : look.shown;
}

// What the state makes of the control's aspect; nothing when it leaves it to an earlier moment unknown here.
std::optional<bool> Expected(const JobStateControl& control, JobState state, const TemplateDialog* opened) {
    ControlChange change = control.In(state);
    if (change == ControlChange::LeftAlone && state == JobState::Aborting) change = control.In(JobState::Running);
    if (change != ControlChange::LeftAlone) return change == ControlChange::On;
    if (state != JobState::Opening) return std::nullopt;
    const HWND inTemplate = ::GetDlgItem(opened->Window(), control.controlId);
    return AspectOf(LookOf(inTemplate, control.controlId), control.aspect);
}

}  // namespace

std::vector<ControlLook> JobStateSnapshot(const DialogHarness& ui) {
    std::vector<ControlLook> looks;
    for (const JobStateControl& control : kJobStateControls) {
        const bool seen = std::any_of(looks.begin(), looks.end(),
                                      [&](const ControlLook& look) { return look.id == control.controlId; });
        if (!seen) looks.push_back(LookOf(ui.Control(control.controlId), control.controlId));
    }
    return looks;
}

void ExpectJobState(const DialogHarness& ui, JobState state) {
    std::optional<TemplateDialog> opened;
    if (state == JobState::Opening) opened.emplace();
    const std::vector<ControlLook> snapshot = JobStateSnapshot(ui);
    for (const JobStateControl& control : kJobStateControls) {
        const std::optional<bool> expected = Expected(control, state, opened ? &*opened : nullptr);
        if (!expected) continue;
        const auto look = std::find_if(snapshot.begin(), snapshot.end(),
                                       [&](const ControlLook& l) { return l.id == control.controlId; });
        EXPECT_EQ(AspectOf(*look, control.aspect), *expected)
            << Name(state) << ": control " << control.controlId
            << (control.aspect == ControlAspect::Enabled ? " enabled" : " shown");
    }
}
