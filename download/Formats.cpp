#include "download/Formats.h"

const std::array<AudioFormat, 4> kAudioFormats = {{
    {L"AAC", L"--format aac/m4a/mp3/wav/best --audio-format aac --audio-quality 0 --extract-audio ", false},
    {L"MP3", L"--format bestaudio/mp3/m4a/aac/wav/best --audio-format mp3 --audio-quality 0 --extract-audio ", true},
    {L"M4A", L"--format m4a/aac/mp3/wav/best --audio-format m4a --audio-quality 0 --extract-audio ", true},
    {L"WAV", L"--format wav/mp3/m4a/aac/best --audio-format wav --audio-quality 0 --extract-audio ", false},
}};

const std::array<VideoFormat, 6> kVideoFormats = {{
    {L"Don't convert: original", L"--format best ", false},
    {L"Merge A/V: best quolity", L"--format bestvideo+bestaudio/best ", false},
    {L"Convert to AVI", L"--format best --recode-video avi ", false},
    {L"Convert to FLV", L"--format best --recode-video flv ", false},
    {L"Convert to MP4", L"--format best --recode-video mp4 ", true},
    {L"Convert to MKV", L"--format best --recode-video mkv ", false},
}};
