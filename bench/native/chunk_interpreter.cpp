// Interprets 40 MB of progress output in 1024-byte reads, as a job does, and prints the rate.
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <string>

#include "download/ChunkInterpreter.h"
#include "download/OutputText.h"

namespace {

// Progress updates as the downloader writes them on a pipe: separated by carriage returns only.
std::string ProgressOutput(size_t bytes) {
    std::string output;
    output.reserve(bytes + 128);
    char update[128];
    for (unsigned step = 0; output.size() < bytes; ++step) {
        const unsigned tenths = step % 1001;
        const int n =
            std::snprintf(update, sizeof update, "\r[download] %3u.%u%% of 2.92MiB at 976.50KiB/s ETA 00:%02u",
                          tenths / 10, tenths % 10, step % 60);
        output.append(update, static_cast<size_t>(n));
        if (tenths == 1000) output += "\n[ffmpeg] Destination: C:\\Users\\user\\Documents\\YouTube Files\\Clip.mp3\n";
    }
    output.resize(bytes);
    return output;
}

}  // namespace

int main() {
    constexpr size_t kBytes = 40u * 1024 * 1024;
    constexpr size_t kReadSize = 1024;
    const std::string output = ProgressOutput(kBytes);
    const ByteToCharTable table = Latin1Table();
    const std::wstring folder = L"C:\\Users\\user\\Documents\\YouTube Files";

    std::wstring log;
    size_t progressChunks = 0;
    const auto start = std::chrono::steady_clock::now();
    for (size_t offset = 0; offset < output.size(); offset += kReadSize) {
        const size_t n = std::min(kReadSize, output.size() - offset);
        const ChunkDisplay display = InterpretChunk(DecodeOutputBytes(output.data() + offset, n, table), folder);
        log += display.logText;
        log += L'\n';
        progressChunks += display.kind == ChunkKind::Progress ? 1 : 0;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const double megabytes = static_cast<double>(kBytes) / (1024.0 * 1024.0);
    std::printf("chunk interpreter: %.0f MB in %zu reads of %zu bytes (%zu progress) in %.3f s: %.1f MB/s\n", megabytes,
                (kBytes + kReadSize - 1) / kReadSize, kReadSize, progressChunks, seconds, megabytes / seconds);
    std::printf("log: %zu characters\n", log.size());
    return 0;
}
