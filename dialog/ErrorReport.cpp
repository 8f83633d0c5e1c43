#include "dialog/ReelsiftDlg.h"

#include "dialog/ToolLog.h"
#include "download/OutputText.h"

void CReelsiftDlg::OnBnClickedErrorReport() {
    const CString log = g_strToolErrors.Copy();
    AfxMessageBox(LogForDisplay(log.str()).c_str(), MB_OK, 0);
}
