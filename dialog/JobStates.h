#pragma once
// The controls that change with the state of a download job, and what each state does to them.

#include <array>
#include <cstddef>

// Opening is the idle state as the dialog first sets it up: some controls are left as the template made them.
enum class JobState { Opening, Idle, Running, Aborting };

enum class ControlAspect { Enabled, Shown };

// What a state does to one aspect of a control: switches it on or off, or leaves it as it was.
enum class ControlChange { LeftAlone, On, Off };

struct JobStateControl {
    int controlId;
    ControlAspect aspect;
    std::array<ControlChange, 4> changes;  // in JobState order

    ControlChange In(JobState state) const { return changes[static_cast<std::size_t>(state)]; }
};

// In the order a state is applied. Download comes back last: a job started with it can no longer meet the end of
// the job before. The auto-paste box comes back just before it, the sign another program sees the job's end by.
extern const std::array<JobStateControl, 11> kJobStateControls;
