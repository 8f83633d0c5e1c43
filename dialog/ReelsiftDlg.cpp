#include "dialog/ReelsiftDlg.h"

#include <commctrl.h>

#include "dialog/FilterValue.h"
#include "download/Formats.h"

namespace {

const UINT g_taskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

void SetButtonIcon(CButton& button, int iconId) {
    button.SetIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(iconId)));
}

}  // namespace

CReelsiftDlg::CReelsiftDlg() : CDialog(IDD_REELSIFT_DIALOG, nullptr), m_nid{} {
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CReelsiftDlg::~CReelsiftDlg() = default;

void CReelsiftDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_STARTUP_PROGRESS, m_progressStartup);
    DDX_Control(pDX, IDC_MAIN_PROGRESS, m_progressMain);
    DDX_Control(pDX, IDC_DOWNLOAD, m_btnDownload);
    DDX_Control(pDX, IDC_CHANGE_FOLDER, m_btnChangeFolder);
    DDX_Control(pDX, IDC_OPEN_FOLDER, m_btnOpenFolder);
    DDX_Control(pDX, IDC_NEW_LINK, m_btnNewLink);
    DDX_Control(pDX, IDC_ABORT, m_btnAbort);
    DDX_Control(pDX, IDC_ERROR_REPORT, m_btnErrorReport);
    DDX_Control(pDX, IDC_NOTIFY, m_btnNotify);
    DDX_Control(pDX, IDC_URL, m_editUrl);
    DDX_Control(pDX, IDC_AUDIO_FORMAT, m_comboAudioFormat);
    DDX_Control(pDX, IDC_GIF_CONVERTING, m_gifConverting);
    DDX_Control(pDX, IDC_GIF_URL, m_gifUrl);
    DDX_Control(pDX, IDC_GIF_READY, m_gifReady);
    DDX_Control(pDX, IDC_GIF_EYES, m_gifEyes);
    DDX_Control(pDX, IDC_GIF_DOWNLOADING, m_gifDownloading);
    DDX_Control(pDX, IDC_FILTER_KIND, m_comboFilter);
    DDX_Control(pDX, IDC_VIDEO_FORMAT, m_comboVideoFormat);
    DDX_Control(pDX, IDC_AUTO_PASTE, m_chkAutoPaste);
    DDX_Control(pDX, IDC_AUDIO_ONLY, m_chkAudioOnly);
    DDX_Control(pDX, IDC_FULL_VIDEO, m_chkFullVideo);
    DDX_Control(pDX, IDC_ALL_FORMATS, m_chkAllFormats);
    DDX_Control(pDX, IDC_METADATA, m_chkMetadata);
    DDX_Control(pDX, IDC_SUBTITLES, m_chkSubtitles);
    DDX_Control(pDX, IDC_THUMBNAIL, m_chkThumbnail);
    DDX_Control(pDX, IDC_PLAYLIST_REVERSE, m_chkPlaylistReverse);
    DDX_Control(pDX, IDC_PLAYLIST_FOLDERS, m_chkPlaylistFolders);
    DDX_Control(pDX, IDC_FILTER, m_chkFilter);
    DDX_Control(pDX, IDC_AUTO_OPEN, m_chkAutoOpen);
    DDX_Control(pDX, IDC_BACKGROUND, m_staticBackground);
}

BEGIN_MESSAGE_MAP(CReelsiftDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_TRAY_NOTIFY, &CReelsiftDlg::OnTrayNotify)
    ON_MESSAGE(WM_TASKBAR_PROGRESS, &CReelsiftDlg::OnTaskbarProgress)
    ON_MESSAGE(WM_START_AUTO_OPEN, &CReelsiftDlg::OnStartAutoOpen)
    ON_BN_CLICKED(IDOK, &CReelsiftDlg::OnCommandIgnored)
    ON_BN_CLICKED(IDCANCEL, &CReelsiftDlg::OnCommandIgnored)
    ON_EN_KILLFOCUS(IDC_FILTER_VALUE, &CReelsiftDlg::OnEnKillfocusFilterValue)
    ON_EN_KILLFOCUS(IDC_OUTPUT_FOLDER, &CReelsiftDlg::OnEnKillfocusOutputFolder)
    ON_BN_CLICKED(IDC_DOWNLOAD, &CReelsiftDlg::OnBnClickedDownload)
    ON_BN_CLICKED(IDC_CHANGE_FOLDER, &CReelsiftDlg::OnBnClickedChangeFolder)
    ON_BN_CLICKED(IDC_OPEN_FOLDER, &CReelsiftDlg::OnBnClickedOpenFolder)
    ON_BN_CLICKED(IDC_NEW_LINK, &CReelsiftDlg::OnBnClickedNewLink)
    ON_BN_CLICKED(IDC_ABORT, &CReelsiftDlg::OnBnClickedAbort)
    ON_BN_CLICKED(IDC_ERROR_REPORT, &CReelsiftDlg::OnBnClickedErrorReport)
    ON_BN_CLICKED(IDC_NOTIFY, &CReelsiftDlg::OnBnClickedNotify)
    ON_STN_CLICKED(IDC_AUTO_PASTE_LABEL, &CReelsiftDlg::OnStnClickedAutoPasteLabel)
    ON_STN_CLICKED(IDC_AUDIO_ONLY_LABEL, &CReelsiftDlg::OnStnClickedAudioOnlyLabel)
    ON_STN_CLICKED(IDC_AUDIO_ONLY_LABEL2, &CReelsiftDlg::OnStnClickedAudioOnlyLabel)
    ON_STN_CLICKED(IDC_FULL_VIDEO_LABEL, &CReelsiftDlg::OnStnClickedFullVideoLabel)
    ON_STN_CLICKED(IDC_FULL_VIDEO_LABEL2, &CReelsiftDlg::OnStnClickedFullVideoLabel)
    ON_STN_CLICKED(IDC_ALL_FORMATS_LABEL, &CReelsiftDlg::OnStnClickedAllFormatsLabel)
    ON_STN_CLICKED(IDC_METADATA_LABEL, &CReelsiftDlg::OnStnClickedMetadataLabel)
    ON_STN_CLICKED(IDC_SUBTITLES_LABEL, &CReelsiftDlg::OnStnClickedSubtitlesLabel)
    ON_STN_CLICKED(IDC_THUMBNAIL_LABEL, &CReelsiftDlg::OnStnClickedThumbnailLabel)
    ON_STN_CLICKED(IDC_PLAYLIST_REVERSE_LABEL, &CReelsiftDlg::OnStnClickedPlaylistReverseLabel)
    ON_STN_CLICKED(IDC_PLAYLIST_FOLDERS_LABEL, &CReelsiftDlg::OnStnClickedPlaylistFoldersLabel)
    ON_STN_CLICKED(IDC_FILTER_LABEL, &CReelsiftDlg::OnStnClickedFilterLabel)
    ON_STN_CLICKED(IDC_AUTO_OPEN_LABEL, &CReelsiftDlg::OnStnClickedAutoOpenLabel)
    ON_BN_CLICKED(IDC_AUTO_PASTE, &CReelsiftDlg::OnBnClickedAutoPaste)
    ON_BN_CLICKED(IDC_AUDIO_ONLY, &CReelsiftDlg::OnBnClickedAudioOnly)
    ON_BN_CLICKED(IDC_FULL_VIDEO, &CReelsiftDlg::OnBnClickedFullVideo)
    ON_BN_CLICKED(IDC_ALL_FORMATS, &CReelsiftDlg::OnBnClickedAllFormats)
    ON_BN_CLICKED(IDC_METADATA, &CReelsiftDlg::OnCommandIgnored)
    ON_BN_CLICKED(IDC_SUBTITLES, &CReelsiftDlg::OnBnClickedSubtitles)
    ON_BN_CLICKED(IDC_THUMBNAIL, &CReelsiftDlg::OnBnClickedThumbnail)
    ON_BN_CLICKED(IDC_PLAYLIST_REVERSE, &CReelsiftDlg::OnCommandIgnored)
    ON_BN_CLICKED(IDC_PLAYLIST_FOLDERS, &CReelsiftDlg::OnCommandIgnored)
    ON_BN_CLICKED(IDC_FILTER, &CReelsiftDlg::OnBnClickedFilter)
    ON_BN_CLICKED(IDC_AUTO_OPEN, &CReelsiftDlg::OnCommandIgnored)
    ON_CBN_SELCHANGE(IDC_AUDIO_FORMAT, &CReelsiftDlg::OnCbnSelchangeAudioFormat)
    ON_CBN_SELCHANGE(IDC_VIDEO_FORMAT, &CReelsiftDlg::OnCbnSelchangeVideoFormat)
    ON_CBN_SELCHANGE(IDC_FILTER_KIND, &CReelsiftDlg::OnCbnSelchangeFilter)
    ON_EN_SETFOCUS(IDC_FILTER_VALUE, &CReelsiftDlg::OnEnSetfocusFilterValue)
    ON_EN_CHANGE(IDC_URL, &CReelsiftDlg::OnEnChangeUrl)
    ON_REGISTERED_MESSAGE(g_taskbarCreatedMessage, &CReelsiftDlg::OnTaskbarCreated)
END_MESSAGE_MAP()

BOOL CReelsiftDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_comApartment.emplace();
    m_artwork.FitToDialog(m_hWnd);

    m_brushWhite.Attach(::CreateSolidBrush(RGB(255, 255, 255)));

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_progressMain.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 1000));

    SetButtonIcon(m_btnDownload, IDI_DOWNLOAD);
    SetButtonIcon(m_btnAbort, IDI_ABORT);
    SetButtonIcon(m_btnNewLink, IDI_NEW_LINK);
    SetButtonIcon(m_btnOpenFolder, IDI_OPEN_FOLDER);
    SetButtonIcon(m_btnChangeFolder, IDI_CHANGE_FOLDER);
    SetButtonIcon(m_btnErrorReport, IDI_ERROR_REPORT);
    SetButtonIcon(m_btnNotify, IDI_NOTIFY);

    ApplyJobState(JobState::Opening);

    for (const AudioFormat& format : kAudioFormats) m_comboAudioFormat.AddString(format.itemText);
    for (const VideoFormat& format : kVideoFormats) m_comboVideoFormat.AddString(format.itemText);
    for (const wchar_t* kind : kFilterKindItems) m_comboFilter.AddString(kind);

    SetOutputFolder(DefaultOutputFolder());
    GetDlgItem(IDC_OUTPUT_FOLDER)->SetWindowText(GetOutputFolder());

    LoadSettings();

    m_comboAudioFormat.EnableWindow(m_chkAudioOnly.GetCheck() != 0);
    m_comboVideoFormat.EnableWindow(m_chkFullVideo.GetCheck() != 0);

    OnBnClickedFilter();

    AfxBeginThread(&CReelsiftDlg::SelfUpdateToolThread, this);
    AfxBeginThread(&CReelsiftDlg::StartupProgressThread, this);
    AfxBeginThread(&CReelsiftDlg::ShowDownloadingGifThread, this);
    AfxBeginThread(&CReelsiftDlg::ShowEyesGifThread, this);
    AfxBeginThread(&CReelsiftDlg::ClipboardWatchThread, this);
    return TRUE;
}

// The program itself ends from OnClose and never gets here; a dialog that is ended (as under test) gives back on
// its own thread what lives in that thread's apartment.
void CReelsiftDlg::OnDestroy() {
    ReleaseTaskbarList();
    m_comApartment.reset();
    m_artwork.Release();
    CDialog::OnDestroy();
}

void CReelsiftDlg::OnCommandIgnored() {}
