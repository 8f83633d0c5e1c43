// Stands in for the outside downloader in tests and benchmarks. It appends its own command line to the file
// named by REELSIFT_STANDIN_ARGV and plays the script named by REELSIFT_STANDIN_SCRIPT, one command a line:
//   out <text> / err <text>   the bytes to standard output / error in one write (escapes \r \n \t \\ \xNN)
//   sleep <ms>
//   replay <dir> [speed]      <dir>/output.bin in the pieces and at the times of <dir>/chunks.jsonl
//   spawn <command line>      a child sharing our output; its id is appended to REELSIFT_STANDIN_PIDS
//   env <name>=<value>        sets the variable for the children spawned after it; our own records stay where they are
//   flood <megabytes>         progress lines as fast as possible in 1024-byte writes, then a final line
//   startup                   prints "startup flags=0x<hex> show=<n>" from our own start-up record
//   exit <code>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/win32_helpers.h"

namespace {

void AppendLine(const std::wstring& path, const std::string& line) {
    const OwnedHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_ALWAYS, 0, nullptr));
    if (!file) return;
    const std::string record = line + "\n";
    DWORD written = 0;
    WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
}

void Write(HANDLE target, const char* bytes, size_t size) {
    DWORD written = 0;
    WriteFile(target, bytes, static_cast<DWORD>(size), &written, nullptr);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char kind = text[++i];
        if (kind == 'r')
            out += '\r';
        else if (kind == 'n')
            out += '\n';
        else if (kind == 't')
            out += '\t';
        else if (kind == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else
            out += kind;
    }
    return out;
}

double Milliseconds() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// The number after "key": on a line of chunks.jsonl, or -1.
double JsonNumber(std::string_view line, std::string_view key) {
    std::string quotedKey;
    quotedKey += '"';
    quotedKey += key;
    quotedKey += '"';
    const size_t at = line.find(quotedKey);
    if (at == std::string_view::npos) return -1;
    const size_t colon = line.find(':', at);
    if (colon == std::string_view::npos) return -1;
    return std::strtod(std::string(line.substr(colon + 1)).c_str(), nullptr);
}

void Replay(std::string_view arguments, HANDLE out) {
    std::string folder(arguments);
    double speed = 1.0;
    const size_t lastBlank = folder.find_last_of(' ');
    if (lastBlank != std::string::npos) {
        char* end = nullptr;
        const double parsed = std::strtod(folder.c_str() + lastBlank + 1, &end);
        if (end && *end == '\0' && parsed > 0) {
            speed = parsed;
            folder.resize(lastBlank);
        }
    }
    const std::string bytes = ReadFileBytes(Wide(folder + "\\output.bin"));
    const std::string chunks = ReadFileBytes(Wide(folder + "\\chunks.jsonl"));

    const double start = Milliseconds();
    for (const std::string_view line : Lines(chunks)) {
        const double offset = JsonNumber(line, "offset");
        const double length = JsonNumber(line, "length");
        const double due = JsonNumber(line, "t_ms") / speed;
        if (offset < 0 || length <= 0 || offset + length > static_cast<double>(bytes.size())) continue;
        const double wait = due - (Milliseconds() - start);
        if (wait > 0) Sleep(static_cast<DWORD>(wait));
        Write(out, bytes.data() + static_cast<size_t>(offset), static_cast<size_t>(length));
    }
}

void Spawn(std::string_view commandLine, const std::wstring& pidRecord) {
    std::wstring line = Wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) return;
    const OwnedProcessInformation child(started);
    if (!pidRecord.empty()) AppendLine(pidRecord, std::to_string(child.dwProcessId));
}

// Looks like the real tool's progress on a pipe: updates separated by carriage returns only.
void Flood(unsigned long megabytes, HANDLE out) {
    const size_t total = static_cast<size_t>(megabytes) * 1000000u;
    constexpr size_t writeSize = 1024;
    const std::string finalLine = "\r[download] 100% of 2.92MiB in 00:03\n";
    std::string pending;
    size_t written = 0;
    for (unsigned step = 0; written + pending.size() + finalLine.size() < total; ++step) {
        char line[96];
        // Figures stay below 100: only the final line may say an item is complete.
        const int length =
            std::snprintf(line, sizeof(line), "\r[download] %5.1f%% of 2.92MiB at %6.2fMiB/s ETA 00:%02u",
                          (step % 1000) / 10.0, 0.8 + (step % 37) * 0.03, (999 - step % 1000) / 17 % 60);
        pending.append(line, static_cast<size_t>(length));
        if (pending.size() >= writeSize) {
            Write(out, pending.data(), writeSize);
            written += writeSize;
            pending.erase(0, writeSize);
        }
    }
    pending += finalLine;
    for (size_t at = 0; at < pending.size(); at += writeSize)
        Write(out, pending.data() + at, std::min(writeSize, pending.size() - at));
}

void ReportStartup(HANDLE out) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    char line[64];
    const int length = std::snprintf(line, sizeof(line), "startup flags=0x%lx show=%u\n",
                                     static_cast<unsigned long>(startup.dwFlags), startup.wShowWindow);
    Write(out, line, static_cast<size_t>(length));
}

}  // namespace

int wmain() {
    // The script is read before the start is recorded: a test that sees the record may rewrite the script for the
    // next run without this one picking it up.
    const std::wstring scriptPath = EnvironmentValue(L"REELSIFT_STANDIN_SCRIPT");
    const std::string script = scriptPath.empty() ? std::string() : ReadFileBytes(scriptPath);

    const std::wstring argvRecord = EnvironmentValue(L"REELSIFT_STANDIN_ARGV");
    if (!argvRecord.empty()) AppendLine(argvRecord, Utf8(GetCommandLineW()));
    const std::wstring pidRecord = EnvironmentValue(L"REELSIFT_STANDIN_PIDS");

    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    for (std::string_view line : Lines(script)) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const size_t blank = line.find(' ');
        const std::string_view command = line.substr(0, blank);
        const std::string_view argument = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
        const std::string argumentText(argument);
        if (command == "out" || command == "err") {
            const std::string bytes = Unescape(argument);
            Write(command == "out" ? out : err, bytes.data(), bytes.size());
        } else if (command == "sleep") {
            Sleep(std::strtoul(argumentText.c_str(), nullptr, 10));
        } else if (command == "replay") {
            Replay(argument, out);
        } else if (command == "spawn") {
            Spawn(argument, pidRecord);
        } else if (command == "env") {
            const size_t equals = argument.find('=');
            if (equals != std::string_view::npos)
                SetEnvironmentVariableW(Wide(argument.substr(0, equals)).c_str(),
                                        Wide(argument.substr(equals + 1)).c_str());
        } else if (command == "flood") {
            Flood(std::strtoul(argumentText.c_str(), nullptr, 10), out);
        } else if (command == "startup") {
            ReportStartup(out);
        } else if (command == "exit") {
            return std::atoi(argumentText.c_str());
        }
    }
    return 0;
}
