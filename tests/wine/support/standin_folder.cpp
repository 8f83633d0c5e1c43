#include "support/standin_folder.h"

#include <stdexcept>

#include "support/e2e_desktop.h"

StandinFolder::StandinFolder(Downloader downloader, Animations animations) : ProgramFolder(L"reelsift-standin-") {
    if (downloader == Downloader::Present) AddStandinDownloader();
    AddStandinConverter();
    if (animations == Animations::Copied) AddAnimations();

    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    m_previousDirectory = current;
    SetCurrentDirectoryW(Path().c_str());
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_ARGV", FilePath(L"argv.txt").c_str());
}

StandinFolder::~StandinFolder() {
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_ARGV", nullptr);
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", nullptr);
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_PIDS", nullptr);
    SetCurrentDirectoryW(m_previousDirectory.c_str());
}

std::wstring StandinFolder::ScriptPath() const {
    return FilePath(L"script-" + std::to_wstring(m_scriptCount) + L".txt");
}

StandinFolder::Script StandinFolder::WriteScript(const std::string& lines) {
    ++m_scriptCount;
    Script script{FilePath(L"spawned-" + std::to_wstring(m_scriptCount) + L".txt")};
    RewriteScript(lines);
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_SCRIPT", ScriptPath().c_str());
    SetEnvironmentVariableW(L"REELSIFT_STANDIN_PIDS", script.spawnRecord.c_str());
    return script;
}

void StandinFolder::RewriteScript(const std::string& lines) {
    if (!WriteFileBytes(ScriptPath(), lines)) throw std::runtime_error("cannot write a stand-in script");
}

std::vector<std::wstring> StandinFolder::RecordedCommandLines() const {
    std::vector<std::wstring> commandLines;
    const std::string record = ReadFileBytes(FilePath(L"argv.txt"));
    for (const std::string_view line : Lines(record)) commandLines.push_back(Wide(line));
    return commandLines;
}

std::vector<DWORD> StandinFolder::SpawnedProcessIds(const Script& script) {
    std::vector<DWORD> ids;
    const std::string record = ReadFileBytes(script.spawnRecord);
    for (const std::string_view line : Lines(record)) ids.push_back(static_cast<DWORD>(std::stoul(std::string(line))));
    return ids;
}

Process StandinFolder::StartUnrelatedFfmpeg() const {
    const std::wstring converter = FilePath(L"ffmpeg.exe");
    Process started = Process::Start(converter, Quoted(converter), {}, CREATE_NO_WINDOW);
    if (!started.IsOpen()) throw std::runtime_error("cannot start the unrelated ffmpeg.exe");
    return started;
}

ConverterAndItsDownloader::ConverterAndItsDownloader(DWORD converterId)
    : converter(Process::Open(converterId)), downloader(Process::Open(ParentProcessId(converterId))) {}

std::string DownloaderFixtureFolder(const std::string& name) {
    return Utf8(SourceTreePath("tests/data/downloader-output/" + name));
}
