#include "dialog/SavedControls.h"

#include "res/resource.h"

const std::array<SavedControl, 13> kSavedControls = {{
    {L"check_auto_paste", IDC_AUTO_PASTE, SavedState::Check},
    {L"check_download_only_audio", IDC_AUDIO_ONLY, SavedState::Check},
    {L"check_download_full_video", IDC_FULL_VIDEO, SavedState::Check},
    {L"check_download_all_formats", IDC_ALL_FORMATS, SavedState::Check},
    {L"check_write_metadata", IDC_METADATA, SavedState::Check},
    {L"check_embed_subtitles", IDC_SUBTITLES, SavedState::Check},
    {L"check_embed_thumb", IDC_THUMBNAIL, SavedState::Check},
    {L"check_download_reverse", IDC_PLAYLIST_REVERSE, SavedState::Check},
    {L"check_auto_create_folders", IDC_PLAYLIST_FOLDERS, SavedState::Check},
    {L"check_auto_open", IDC_AUTO_OPEN, SavedState::Check},
    {L"combo_audioformat", IDC_AUDIO_FORMAT, SavedState::Selection},
    {L"combo_videoformat", IDC_VIDEO_FORMAT, SavedState::Selection},
    {L"combo_filter", IDC_FILTER_KIND, SavedState::Selection},
}};
