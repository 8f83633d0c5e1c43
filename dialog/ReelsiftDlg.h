#pragma once
// The program's one window: the main dialog, its controls, the state of a download job and every handler.

#include <windows.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <atomic>
#include <mutex>
#include <optional>

#include "dialog/ComApartment.h"
#include "dialog/JobStates.h"
#include "dialog/OptionRules.h"
#include "dialog/ScaledArtwork.h"
#include "dialog/TaskbarProgress.h"
#include "download/ToolProcess.h"
#include "framework/Framework.h"
#include "picture/PictureEx.h"
#include "res/resource.h"

// Dialog timers; every tick arrives at OnTimer.
constexpr UINT_PTR TIMER_AUTO_OPEN = 0;
constexpr UINT_PTR TIMER_UNCHECK_THUMBNAIL = 4;
constexpr UINT_PTR TIMER_UNCHECK_SUBTITLES = 5;

constexpr UINT TRAY_ICON_ID = 7543944;
constexpr UINT WM_TRAY_NOTIFY = WM_APP;
constexpr UINT ID_TRAY_SHOWHIDE = 1;
constexpr UINT ID_TRAY_EXIT = 2;

// Sent by the job's worker to the dialog, whose thread owns the timers.
constexpr UINT WM_START_AUTO_OPEN = WM_APP + 2;

class CReelsiftDlg : public CDialog {
public:
    CReelsiftDlg();
    ~CReelsiftDlg() override;

    BOOL OnInitDialog() override;

    static UINT DownloadWorkerThread(LPVOID parameter);
    static UINT ShowConvertingGifThread(LPVOID parameter);
    static UINT ShowUrlGifThread(LPVOID parameter);
    static UINT ShowReadyGifThread(LPVOID parameter);
    static UINT ShowEyesGifThread(LPVOID parameter);
    static UINT ShowDownloadingGifThread(LPVOID parameter);
    static UINT StartupProgressThread(LPVOID parameter);
    static UINT SelfUpdateToolThread(LPVOID parameter);
    static UINT ClipboardWatchThread(LPVOID parameter);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // Window
    void OnPaint();
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    HCURSOR OnQueryDragIcon();
    void OnClose();
    void OnCommandIgnored();

    // Download job
    void OnBnClickedDownload();
    void OnBnClickedAbort();
    void OnBnClickedErrorReport();
    void RunTool(CString commandLine);
    void KillFfmpegProcesses();
    LRESULT OnStartAutoOpen(WPARAM wParam, LPARAM lParam);

    // Taskbar button
    LRESULT OnTaskbarProgress(WPARAM step, LPARAM position);
    // The taskbar button's progress object, or null when there is none. Called on the dialog's thread.
    virtual ITaskbarList3* CreateTaskbarList();

    // Options and filter
    void OnTimer(UINT_PTR nIDEvent);
    void OnBnClickedAutoPaste();
    void OnBnClickedAudioOnly();
    void OnBnClickedFullVideo();
    void OnBnClickedAllFormats();
    void OnBnClickedSubtitles();
    void OnBnClickedThumbnail();
    void OnCbnSelchangeAudioFormat();
    void OnCbnSelchangeVideoFormat();
    void OnStnClickedAutoPasteLabel();
    void OnStnClickedAudioOnlyLabel();
    void OnStnClickedFullVideoLabel();
    void OnStnClickedAllFormatsLabel();
    void OnStnClickedMetadataLabel();
    void OnStnClickedSubtitlesLabel();
    void OnStnClickedThumbnailLabel();
    void OnStnClickedPlaylistReverseLabel();
    void OnStnClickedPlaylistFoldersLabel();
    void OnStnClickedAutoOpenLabel();
    void OnStnClickedFilterLabel();
    void OnBnClickedFilter();
    void OnCbnSelchangeFilter();
    void OnEnSetfocusFilterValue();
    void OnEnKillfocusFilterValue();

    // Output folder and shell actions
    void OnBnClickedChangeFolder();
    void OnEnKillfocusOutputFolder();
    void OnBnClickedOpenFolder();
    void OnBnClickedNewLink();
    void UpdateDriveRootWarning();

    // Settings
    void LoadSettings();
    void SaveSettings();

    // The Documents folder followed by "\YouTube Files"; the working folder's when there is no Documents folder.
    static CString DefaultOutputFolder();
    // The worker reads the folder for every chunk while the user may change it.
    CString GetOutputFolder() const;
    void SetOutputFolder(const CString& folder);

    // Link box and notification area
    void OnEnChangeUrl();
    void OnBnClickedNotify();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    HICON m_hIcon;
    CBrush m_brushWhite;
    NOTIFYICONDATAW m_nid;
    ToolProcess m_tool;  // the running downloader; holds its m_processInfo
    CWinThreadPtr m_pWorkerThread;
    std::atomic<bool> m_bRunning{false};
    CString m_strCommandLine;
    CString m_strOutputFolder;

    CButton m_chkAutoPaste, m_chkAudioOnly, m_chkFullVideo, m_chkAllFormats, m_chkMetadata, m_chkSubtitles,
        m_chkThumbnail, m_chkPlaylistReverse, m_chkPlaylistFolders, m_chkFilter, m_chkAutoOpen;
    CButton m_btnDownload, m_btnAbort, m_btnNewLink, m_btnChangeFolder, m_btnOpenFolder;
    CButton m_btnErrorReport, m_btnNotify;
    CEdit m_editUrl;
    CStatic m_staticBackground;
    CComboBox m_comboAudioFormat, m_comboVideoFormat, m_comboFilter;
    CPictureEx m_gifConverting, m_gifUrl, m_gifReady, m_gifEyes, m_gifDownloading;
    CProgressCtrl m_progressStartup, m_progressMain;

private:
    // Shows a picture file in one picture control for a while (forever with playMs 0); one thread per control
    // at a time.
    static UINT PlayStatusAnimation(CPictureEx& picture, const wchar_t* file, DWORD playMs);
    void EnableDownloadButton(BOOL enable);
    // Enables, disables, shows and hides the controls as the job state has them; any thread.
    void ApplyJobState(JobState state);
    bool IsChecked(const CButton& box) const { return box.GetCheck() == BST_CHECKED; }
    void ToggleCheck(CButton& box) { box.SetCheck(box.GetCheck() == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED); }
    // Reads the option boxes, applies what the rules decide for the event, and starts a delayed uncheck.
    void FollowOptionRules(OptionEvent event);
    bool AddTrayIcon();
    void ShowCompletionBalloon();
    void RemoveTrayIcon();
    bool TrayIconExists() const { return m_nid.uID == TRAY_ICON_ID; }

    // The background and mode pictures at the dialog's own base units, when those are not the artwork's.
    ScaledArtwork m_artwork;

    void ShowChunk(const struct ChunkDisplay& display, bool& itemCompleted);
    void RunCompletionActions();
    // Any thread; returns once the dialog's thread has shown it.
    void ShowTaskbarProgress(TaskbarProgress step, int position = 0);
    void ReleaseTaskbarList();

    // COM for the taskbar object, from the dialog's start to its window's end.
    std::optional<ComApartment> m_comApartment;
    mutable std::mutex m_outputFolderLock;
    // The converting picture is wanted while a job runs; a load that finishes after the job ended stops again.
    std::atomic<bool> m_convertingWanted{false};
    // The worker writes the balloon fields while the user-interface thread adds and removes the icon.
    std::mutex m_nidLock;
    // Each status picture plays on at most one thread of ours at a time.
    std::atomic<bool> m_urlAnimationStarting{false};
    std::atomic<bool> m_readyAnimationStarting{false};
};
