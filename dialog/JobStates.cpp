#include "dialog/JobStates.h"

#include "res/resource.h"

namespace {

constexpr ControlChange Left = ControlChange::LeftAlone;
constexpr ControlChange On = ControlChange::On;
constexpr ControlChange Off = ControlChange::Off;
constexpr ControlAspect Enabled = ControlAspect::Enabled;
constexpr ControlAspect Shown = ControlAspect::Shown;

}  // namespace

// The status line takes the auto-paste box's place while a job runs; the converting picture, the progress bar
// and the notify button belong to a job. Aborting leaves them, and the link box and Download, to the job's end.
// clang-format off
const std::array<JobStateControl, 11> kJobStateControls = {{
    //                             opening idle  running aborting
    {IDC_GIF_CONVERTING, Shown,   {Left,   Off,  On,     Left}},
    {IDC_NOTIFY,         Shown,   {Left,   Off,  On,     Left}},
    {IDC_MAIN_PROGRESS,  Shown,   {Left,   Off,  On,     Left}},
    {IDC_ERROR_REPORT,   Shown,   {Left,   Left, Off,    Left}},
    {IDC_ABORT,          Enabled, {Off,    Off,  On,     Off}},
    {IDC_NEW_LINK,       Enabled, {Off,    Off,  On,     Off}},
    {IDC_URL,            Enabled, {Left,   On,   Off,    Left}},
    {IDC_STATUS,         Enabled, {Off,    Left, Left,   Left}},
    {IDC_STATUS,         Shown,   {Off,    Off,  On,     Off}},
    {IDC_AUTO_PASTE,     Shown,   {On,     On,   Off,    On}},
    {IDC_DOWNLOAD,       Enabled, {Left,   On,   Off,    Left}},
}};
// clang-format on
