#pragma once

#include <string>

enum class ChunkKind { Progress, Converting, Working };

// What one read of the downloader's output changes on screen.
struct ChunkDisplay {
    std::wstring logText;     // appended to the job's log, followed by a line feed; keeps the real folder
    std::wstring statusText;  // the status line, with the folder hidden
    bool showErrorReport = false;
    ChunkKind kind = ChunkKind::Working;
    std::wstring title;          // the dialog's new title
    int position = 0;            // 1 to 1000: move the bar and the taskbar button there; 0: leave them
    bool itemCompleted = false;  // an item of the job reached 100 percent
};

// chunk: one read's bytes as characters; outputFolder: the folder the job writes into.
ChunkDisplay InterpretChunk(const std::wstring& chunk, const std::wstring& outputFolder);
