#include "download/ChunkInterpreter.h"

#include "core/TextScan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "download/OutputText.h"

namespace {

constexpr std::wstring_view kProgressMarker = L"[download]";
constexpr std::wstring_view kItemCompletedMarker = L"[download] 100%";
constexpr std::wstring_view kConvertingMarker = L"[ffmpeg]";
constexpr std::wstring_view kErrorMarker = L"error:";
constexpr std::wstring_view kFolderPlaceholder = L"output_folder";

struct Rewrite {
    std::wstring_view from;
    std::wstring_view to;
};

constexpr Rewrite kRewrites[] = {
    {L"ffmpeg", L"convert"},
    {L"youtube-dl", L"download"},
    {L"(pass -k to keep)", L""},
    {L"atomicparsley was not found. please install.",
     L"embeding of thumbnail will be awailable after you restart the program (updates will take eefect)."},
};

std::wstring AsciiLower(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

bool Contains(const std::wstring& text, std::wstring_view part) {
    return text.find(part) != std::wstring::npos;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The whole part of the decimal number the text begins with (blanks, sign, digits, point, exponent),
// as the C runtime's floating-point reading gives it, without depending on the locale; 0 without one.
double LeadingNumberWholePart(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && IsCrtBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';

    std::string number;  // what from_chars reads: digits, point, exponent; no sign
    // The power of ten of the first significant digit, kept to tell an underflow from an overflow.
    long magnitude = 0;
    bool significant = false;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        number += static_cast<char>(text[i]);
        anyDigit = true;
        significant = significant || text[i] != L'0';
        if (significant) ++magnitude;
    }
    if (i < text.size() && text[i] == L'.') {
        number += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            number += static_cast<char>(text[i]);
            anyDigit = true;
            if (!significant && text[i] == L'0') --magnitude;
            significant = significant || text[i] != L'0';
        }
    }
    if (!anyDigit || !significant) return 0.0;
    if (i + 1 < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        const bool negativeExponent = text[j] == L'-';
        if (text[j] == L'+' || text[j] == L'-') ++j;
        if (j < text.size() && IsDigit(text[j])) {
            number += negativeExponent ? "e-" : "e";
            long exponent = 0;
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                number += static_cast<char>(text[j]);
                exponent = std::min(exponent * 10 + (text[j] - L'0'), 1000000L);
            }
            magnitude += negativeExponent ? -exponent : exponent;
        }
    }

    double value = 0.0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    value = std::trunc(value);
    return negative ? -value : value;
}

int BarPosition(const std::wstring& figure) {
    // The bar moves in whole percents, ten steps each, out of 1000.
    const double percent = std::clamp(LeadingNumberWholePart(figure), 0.0, 100.0);
    return static_cast<int>(percent) * 10;
}

std::wstring ProgressFigure(const std::wstring& chunk) {
    std::wstring figure = chunk.substr(0, chunk.find(L'%'));
    ReplaceAll(figure, kProgressMarker, L"");
    return TrimBlanks(figure);
}

std::wstring FromLastBracket(const std::wstring& text) {
    const size_t lastBracket = text.rfind(L'[');
    return lastBracket == std::wstring::npos ? text : text.substr(lastBracket);
}

}  // namespace

ChunkDisplay InterpretChunk(const std::wstring& chunk, const std::wstring& outputFolder) {
    ChunkDisplay display;
    const std::wstring folder = AsciiLower(outputFolder);
    const std::wstring lowered = AsciiLower(chunk);

    std::wstring text = lowered;
    for (const Rewrite& rewrite : kRewrites) ReplaceAll(text, rewrite.from, rewrite.to);
    display.logText = text;

    if (!folder.empty()) ReplaceAll(text, folder, kFolderPlaceholder);
    display.showErrorReport = Contains(text, kErrorMarker);
    display.statusText = StatusLineText(FromLastBracket(text));

    if (Contains(lowered, kProgressMarker) && Contains(lowered, L"%")) {
        const std::wstring figure = ProgressFigure(lowered);
        display.kind = ChunkKind::Progress;
        display.title = L"Download " + StatusLineText(figure) + L"%";
        display.position = BarPosition(figure);
        display.itemCompleted = Contains(lowered, kItemCompletedMarker);
    } else if (Contains(lowered, kConvertingMarker)) {
        display.kind = ChunkKind::Converting;
        display.title = L"Converting...";
    } else {
        display.kind = ChunkKind::Working;
        display.title = L"Working...";
    }
    return display;
}
