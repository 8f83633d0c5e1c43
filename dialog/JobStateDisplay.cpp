#include "dialog/ReelsiftDlg.h"

void CReelsiftDlg::ApplyJobState(JobState state) {
    for (const JobStateControl& control : kJobStateControls) {
        const ControlChange change = control.In(state);
        if (change == ControlChange::LeftAlone) continue;
        const bool on = change == ControlChange::On;
        // The job's worker applies the idle state; a window ended before its job (as under test) has no controls.
        CWnd* window = GetDlgItem(control.controlId);
        if (!window) continue;
        if (control.aspect == ControlAspect::Shown) {
            window->ShowWindow(on ? SW_SHOW : SW_HIDE);
        } else if (control.controlId == IDC_DOWNLOAD) {
            EnableDownloadButton(on);
        } else {
            window->EnableWindow(on);
        }
    }
}
