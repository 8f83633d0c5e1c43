#include "dialog/ReelsiftDlg.h"

void CReelsiftDlg::ApplyJobState(JobState state) {
    for (const JobStateControl& control : kJobStateControls) {
        const ControlChange change = control.In(state);
        if (change == ControlChange::LeftAlone) continue;
        const bool on = change == ControlChange::On;
        if (control.aspect == ControlAspect::Shown) {
            GetDlgItem(control.controlId)->ShowWindow(on ? SW_SHOW : SW_HIDE);
        } else if (control.controlId == IDC_DOWNLOAD) {
            EnableDownloadButton(on);
        } else {
            GetDlgItem(control.controlId)->EnableWindow(on);
        }
    }
}
