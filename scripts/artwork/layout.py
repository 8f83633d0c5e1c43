"""Where the dialog's controls lie: template 102 in dialog units, and the mapping to pixels."""

# (x, y, w, h) in dialog units. The animations' places must stay one flat colour.
GIF_AREAS = {
    1054: (0, 0, 24, 30),
    1074: (433, 32, 107, 173),
    1053: (207, 83, 227, 110),
    1072: (127, 144, 72, 43),
    1055: (328, 207, 206, 67),
}
LINK_GIF = 1054
CONVERTING_GIF = 1053
EYES_GIF = 1072
READY_GIF = 1055

# Controls the system draws over the picture. Combo boxes are given with their closed height.
SYSTEM_DRAWN = {
    1051: (367, 32, 64, 26), 1076: (326, 193, 88, 14), 1075: (0, 298, 542, 6),
    1021: (24, 3, 338, 12), 1022: (367, 3, 64, 27), 1039: (435, 3, 52, 23), 1035: (491, 3, 48, 23),
    1030: (381, 274, 100, 23), 1029: (485, 274, 54, 23), 1028: (72, 284, 305, 13),
    1050: (130, 46, 29, 12), 1056: (76, 70, 84, 12), 1033: (175, 46, 187, 12), 1031: (175, 59, 187, 12),
    1067: (176, 73, 106, 9), 1034: (24, 17, 338, 12), 1045: (352, 127, 7, 51), 1078: (72, 250, 46, 33),
}
LINK_BOX = 1021
OUTPUT_FOLDER_BOX = 1028
AUDIO_COMBO, VIDEO_COMBO, FILTER_COMBO = 1050, 1056, 1033

CHECK_BOXES = {
    1025: (4, 38), 1057: (4, 63), 1058: (4, 87), 1059: (4, 112), 1060: (4, 136), 1061: (4, 161),
    1024: (4, 195), 1027: (4, 219), 1023: (175, 38), 1026: (308, 16), 1068: (327, 275),
}
CHECK_BOX_SIZE = 8
FILTER_BOX = 1023

CLICK_AREAS = {
    1041: (12, 38, 149, 9), 1070: (11, 47, 117, 8), 1042: (12, 63, 149, 8), 1071: (12, 71, 61, 8),
    1043: (12, 87, 107, 17), 1044: (12, 111, 107, 16), 1062: (12, 136, 99, 17), 1063: (12, 161, 98, 26),
    1064: (12, 195, 74, 17), 1065: (12, 219, 74, 17), 1066: (183, 38, 177, 8), 1069: (335, 275, 42, 8),
    1040: (316, 16, 45, 8),
}
MODE_PICTURE = (0, 237, 72, 62)

# Painted captions: check box, then (click area, lines) for each click area that covers part of it.
CAPTIONS = [
    (1026, [(1040, ["Auto-paste"])]),
    (1025, [(1041, ["Download only the audio element of"]), (1070, ["the video file & convert it to:"])]),
    (1057, [(1042, ["Download the full file (audio+video)"]), (1071, ["& convert it to:"])]),
    (1058, [(1043, ["Download all available file", "formats for provided link"])]),
    (1059, [(1044, ["Write metadata to the file", "(track, album, author etc)"])]),
    (1060, [(1062, ["Embed subtitles in the", "video file (only for MP4)"])]),
    (1061, [(1063, ["Embed thumbnail in the", "audio file as a cover art", "(only for MP3 and M4A)"])]),
    (1024, [(1064, ["Download playlist", "in reverse order"])]),
    (1027, [(1065, ["Auto-create folder", "for each playlist"])]),
    (1023, [(1066, ["Use a filter to select videos in the playlist..."])]),
    (1068, [(1069, ["Auto-open"])]),
]
# Lines that a combo box follows on the same row must end before it.
LINE_ENDS_BEFORE = {1070: AUDIO_COMBO, 1071: VIDEO_COMBO}


def caption_of(area_id):
    """The painted lines under one click area."""
    return next(lines for _, parts in CAPTIONS for area, lines in parts if area == area_id)


LINK_HINT_AREA = (24, 17, 276, 13)   # under the status line, left of the auto-paste box
ABOUT_AREA = (127, 201, 191, 67)     # clear of the notify button and the drive-root warning
STEP_TWO_LIMIT_X = 362               # the filter row's free space ends here


def mul_div(number, numerator, denominator):
    """Win32 MulDiv for non-negative operands: halves round away from zero."""
    return (2 * number * numerator + denominator) // (2 * denominator)


class DialogUnits:
    """Maps template rectangles to client pixels as the dialog manager places controls."""

    def __init__(self, base_x, base_y):
        self.base_x, self.base_y = base_x, base_y

    def x(self, dlu):
        return mul_div(dlu, self.base_x, 4)

    def y(self, dlu):
        return mul_div(dlu, self.base_y, 8)

    def rect(self, r):
        x, y, w, h = r
        return (self.x(x), self.y(y), self.x(w), self.y(h))

    def check_box(self, box_id):
        x, y = CHECK_BOXES[box_id]
        return self.rect((x, y, CHECK_BOX_SIZE, CHECK_BOX_SIZE))


def right(r):
    return r[0] + r[2]


def bottom(r):
    return r[1] + r[3]
