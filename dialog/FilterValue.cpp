#include "dialog/FilterValue.h"

#include <algorithm>
#include <string_view>

const wchar_t* const kFilterKindItems[11] = {
    L"Download only playlist INDECES within your selection",
    L"Download only matching TITLE",
    L"Skip download for matching TITLE",
    L"Skip download any videos larger than SIZE",
    L"Skip download any videos smaller than SIZE",
    L"Skip download any videos with less than count VIEWS",
    L"Skip download any videos with more than count VIEWS",
    L"Download only videos uploaded in this DATE",
    L"Download only videos uploaded on or after this DATE",
    L"Download only videos uploaded on or before this DATE",
    L"Download only videos suitable for the given AGE",
};

const wchar_t kBadDateMessage[] = L"Bad date format... Please use this format: MM/DD/YYYY";

namespace {

constexpr std::wstring_view kItemsChars = L"0123456789,-";
constexpr std::wstring_view kTitleChars = L"abcdefghijklmnopqrstuvwxyz -0123456789";
constexpr std::wstring_view kSizeChars = L"0123456789km";
constexpr std::wstring_view kDateChars = L"0123456789/";
constexpr std::wstring_view kAgeChars = L"0123456789+";

std::wstring_view AllowedChars(FilterKind kind) {
    switch (kind) {
    case FilterKind::PlaylistItems:
        return kItemsChars;
    case FilterKind::MatchTitle:
    case FilterKind::RejectTitle:
        return kTitleChars;
    case FilterKind::MaxFileSize:
    case FilterKind::MinFileSize:
    case FilterKind::MinViews:
    case FilterKind::MaxViews:
        return kSizeChars;
    case FilterKind::Date:
    case FilterKind::DateAfter:
    case FilterKind::DateBefore:
        return kDateChars;
    case FilterKind::AgeLimit:
        return kAgeChars;
    case FilterKind::None:
        break;
    }
    return {};
}

bool IsDateKind(FilterKind kind) {
    return kind == FilterKind::Date || kind == FilterKind::DateAfter || kind == FilterKind::DateBefore;
}

}  // namespace

const wchar_t* FilterHintText(FilterKind kind) {
    switch (kind) {
    case FilterKind::PlaylistItems:
        return L"e.g. \"1,2,5\" or \"7-9\" or \"1,2,5,7-9\"";
    case FilterKind::MatchTitle:
        return L"e.g. \"mira holt\" or \"holt\"";
    case FilterKind::RejectTitle:
        return L"e.g. \"nina vale\" or \"bad keyword\"";
    case FilterKind::MaxFileSize:
    case FilterKind::MinFileSize:
        return L"e.g. \"10m\" or \"50m\" or \"500m\"";
    case FilterKind::MinViews:
    case FilterKind::MaxViews:
        return L"e.g. \"5000\" or \"5k\" or \"1m\"";
    case FilterKind::Date:
    case FilterKind::DateAfter:
    case FilterKind::DateBefore:
        return L"e.g. \"12/31/2015\" or \"01/01/2016\"";
    case FilterKind::AgeLimit:
        return L"e.g. \"14+\" or \"16+\" or \"18+\"";
    case FilterKind::None:
        break;
    }
    return nullptr;
}

std::wstring CleanFilterValue(FilterKind kind, const std::wstring& typed) {
    const std::wstring_view allowed = AllowedChars(kind);
    std::wstring cleaned;
    for (wchar_t c : typed) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (allowed.find(c) != std::wstring_view::npos) cleaned += c;
    }
    if (IsDateKind(kind)) {
        const auto dateDigits = std::count_if(cleaned.begin(), cleaned.end(), [](wchar_t c) { return c != L'/'; });
        if (dateDigits != 0 && dateDigits != 8) return kBadDateMessage;
    }
    return cleaned;
}
