#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

#include "download/CommandLineBuilder.h"
#include "download/LinkCheck.h"

void CReelsiftDlg::OnBnClickedDownload() {
    CString link;
    m_editUrl.GetWindowText(link);
    if (link.IsEmpty() || !IsValidLink(link.str())) {
        AfxMessageBox(L"Please paste the correct link...", MB_OK);
        return;
    }

    // The bar starts from nothing, whatever the last job left in it, before it shows. A bar still in the marquee
    // style of a job that ended converting ignores positions: the style goes first.
    m_progressMain.ModifyStyle(PBS_MARQUEE, 0);
    m_progressMain.SetPos(0);
    ApplyJobState(JobState::Running);

    DownloadOptions options;
    options.link = link.str();
    options.outputFolder = GetOutputFolder().str();
    options.audioOnly = IsChecked(m_chkAudioOnly);
    options.audioFormat = m_comboAudioFormat.GetCurSel();
    options.fullVideo = IsChecked(m_chkFullVideo);
    options.videoFormat = m_comboVideoFormat.GetCurSel();
    options.allFormats = IsChecked(m_chkAllFormats);
    options.metadata = IsChecked(m_chkMetadata);
    options.subtitles = IsChecked(m_chkSubtitles);
    options.thumbnail = IsChecked(m_chkThumbnail);
    options.playlistReverse = IsChecked(m_chkPlaylistReverse);
    options.playlistFolders = IsChecked(m_chkPlaylistFolders);
    options.filterOn = IsChecked(m_chkFilter);
    options.filterKind = static_cast<FilterKind>(m_comboFilter.GetCurSel());
    CString filterValue;
    GetDlgItemText(IDC_FILTER_VALUE, filterValue);
    options.filterValue = filterValue.str();

    m_strCommandLine = CString(BuildCommandLine(options));
    m_bRunning = true;
    m_pWorkerThread = AfxBeginThread(&CReelsiftDlg::DownloadWorkerThread, this);

    m_convertingWanted = true;
    if (m_gifConverting.IsAnimatedGif())
        m_gifConverting.Draw();
    else
        AfxBeginThread(&CReelsiftDlg::ShowConvertingGifThread, this);
}
