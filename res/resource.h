// Resource and control ids of the program.
#pragma once

#define IDD_REELSIFT_DIALOG          102
#define IDR_MAINFRAME                128
#define IDB_BACKGROUND               129
#define IDB_MODE_VIDEO               130
#define IDI_ABORT                    132
#define IDI_CHANGE_FOLDER            133
#define IDI_DOWNLOAD                 134
#define IDI_NEW_LINK                 135
#define IDI_OPEN_FOLDER              136
#define IDI_ERROR_REPORT             145
#define IDI_NOTIFY                   146

#define IDC_BACKGROUND               1011
#define IDC_URL                      1021
#define IDC_DOWNLOAD                 1022
#define IDC_FILTER                   1023
#define IDC_PLAYLIST_REVERSE         1024
#define IDC_AUDIO_ONLY               1025
#define IDC_AUTO_PASTE               1026
#define IDC_PLAYLIST_FOLDERS         1027
#define IDC_OUTPUT_FOLDER            1028
#define IDC_CHANGE_FOLDER            1029
#define IDC_OPEN_FOLDER              1030
#define IDC_FILTER_VALUE             1031
#define IDC_FILTER_KIND              1033
#define IDC_STATUS                   1034
#define IDC_NEW_LINK                 1035
#define IDC_MODE_PICTURE             1036
#define IDC_ABORT                    1039
#define IDC_AUTO_PASTE_LABEL         1040
#define IDC_AUDIO_ONLY_LABEL         1041
#define IDC_FULL_VIDEO_LABEL         1042
#define IDC_ALL_FORMATS_LABEL        1043
#define IDC_METADATA_LABEL           1044
#define IDC_STARTUP_PROGRESS         1045
#define IDC_AUDIO_FORMAT             1050
#define IDC_ERROR_REPORT             1051
#define IDC_GIF_CONVERTING           1053
#define IDC_GIF_URL                  1054
#define IDC_GIF_READY                1055
#define IDC_VIDEO_FORMAT             1056
#define IDC_FULL_VIDEO               1057
#define IDC_ALL_FORMATS              1058
#define IDC_METADATA                 1059
#define IDC_SUBTITLES                1060
#define IDC_THUMBNAIL                1061
#define IDC_SUBTITLES_LABEL          1062
#define IDC_THUMBNAIL_LABEL          1063
#define IDC_PLAYLIST_REVERSE_LABEL   1064
#define IDC_PLAYLIST_FOLDERS_LABEL   1065
#define IDC_FILTER_LABEL             1066
#define IDC_FILTER_HINT              1067
#define IDC_AUTO_OPEN                1068
#define IDC_AUTO_OPEN_LABEL          1069
#define IDC_AUDIO_ONLY_LABEL2        1070
#define IDC_FULL_VIDEO_LABEL2        1071
#define IDC_GIF_EYES                 1072
#define IDC_GIF_DOWNLOADING          1074
#define IDC_MAIN_PROGRESS            1075
#define IDC_NOTIFY                   1076
#define IDC_DRIVE_ROOT_WARNING       1078

// Where the two picture statics lie in template 102 (x, y, width, height in dialog units). The dialog fits
// their pictures to these rectangles as they come out at the current display scale.
#define PLACE_BACKGROUND             0, 0, 543, 299
#define PLACE_MODE_PICTURE           0, 237, 72, 62
