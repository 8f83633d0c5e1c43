#include "dialog/ReelsiftDlg.h"

#include "download/AnsiText.h"
#include "download/ChunkInterpreter.h"
#include "download/OutputText.h"

namespace {

constexpr unsigned long kReadSize = 1024;

}  // namespace

void CReelsiftDlg::RunTool(CString commandLine) {
    ShowTaskbarProgress(TaskbarProgress::JobStarted);
    static const ByteToCharTable table = AnsiCodePageTable();

    m_tool.Start(commandLine.str());
    bool itemCompleted = false;
    char buffer[kReadSize];
    for (;;) {
        if (!m_bRunning) {
            m_tool.Terminate();
            break;
        }
        unsigned long bytesRead = 0;
        const bool readOk = m_tool.Read(buffer, kReadSize, bytesRead);
        if (bytesRead > 0) {
            const std::wstring chunk = DecodeOutputBytes(buffer, bytesRead, table);
            ShowChunk(InterpretChunk(chunk, GetOutputFolder().str()), itemCompleted);
        }
        if (!readOk) break;
    }
    m_tool.Close();
    m_progressMain.SetMarquee(FALSE, 0);  // a job that ended converting leaves no marquee timer behind

    if (itemCompleted) RunCompletionActions();
}
