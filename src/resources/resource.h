// Identifiers of every resource of Glyvanter: shared by the resource script
// and the code, so keep this file free of anything windres cannot read.
#pragma once

// Icon, accelerators, dialogs, menu
#define IDI_APP                         134
#define IDR_ACCELERATORS                134
#define IDD_ABOUT                       135
#define IDD_MAIN                        137
#define IDR_MAIN_MENU                   137
#define IDD_PROPERTIES                  150

// Strings: application information
#define IDS_MAKER                       130
#define IDS_PRODUCT                     131
#define IDS_DISPLAY_NAME                134

// Commands
#define ID_COPY_WITH_STYLE              138
#define ID_EDIT_COPY                    0xE122
#define ID_APP_ABOUT                    0xE140
#define ID_HELP_INDEX                   0xE141
#define ID_TOPMOST                      0xE409
#define ID_GLYPH_FILTER                 0xE40A
#define ID_FONT_PROPERTIES              0xE40B
#define ID_ADD_FONTS_FOLDER             0xE40C
#define ID_REMOVE_ADDED_FONTS           0xE40D
#define ID_ONLY_ADDED_FONTS             0xE40E

// Built-in sample texts
#define IDS_SAMPLE_UPPER                139
#define IDS_SAMPLE_LOWER                140
#define IDS_SAMPLE_SYMBOLS              141
#define IDS_SAMPLE_MIXED                142

#define IDS_NO_SELECTION                1000
#define IDS_READING_FONTS               1001
#define IDS_READING_FONTS_COUNT         1002
#define IDS_CHECKING_GLYPHS_COUNT       1003

// Font properties: line labels and the words of the values
#define IDS_PROP_FACE_NAME              1100
#define IDS_PROP_FULL_NAME              1101
#define IDS_PROP_FAMILY                 1102
#define IDS_PROP_STYLE                  1103
#define IDS_PROP_VERSION                1104
#define IDS_PROP_DESIGNER               1105
#define IDS_PROP_MANUFACTURER           1106
#define IDS_PROP_VENDOR                 1107
#define IDS_PROP_COPYRIGHT              1108
#define IDS_PROP_LICENCE                1109
#define IDS_PROP_LICENCE_URL            1110
#define IDS_PROP_EMBEDDING              1111
#define IDS_PROP_FORMAT                 1112
#define IDS_PROP_GLYPHS                 1113
#define IDS_PROP_UNICODE_RANGES         1114
#define IDS_PROP_CODE_PAGES             1115
#define IDS_PROP_FILE                   1116
#define IDS_PROP_ADDED_FILE             1117
#define IDS_PROP_UNKNOWN                1118
#define IDS_EMBED_INSTALLABLE           1119
#define IDS_EMBED_RESTRICTED            1120
#define IDS_EMBED_PREVIEW_PRINT         1121
#define IDS_EMBED_EDITABLE              1122
#define IDS_EMBED_NO_SUBSETTING         1123
#define IDS_EMBED_BITMAP_ONLY           1124
#define IDS_FORMAT_TRUETYPE             1125
#define IDS_FORMAT_POSTSCRIPT           1126
#define IDS_FORMAT_RASTER               1127
#define IDS_FORMAT_TYPE1                1128
// Fonts added from files and folders: progress, the status line and the
// counts in it, one and many
#define IDS_ERR_XML_EMPTY_PATH          1200
#define IDS_ADDING_FONTS_COUNT          1201
#define IDS_REMOVING_FONTS              1202
#define IDS_ADDED_STATUS                1203
#define IDS_ADDED_SKIPPED               1204
#define IDS_ADDED_NOT_FOUND             1205
#define IDS_ADDED_BOTH                  1206
#define IDS_COUNT_FOLDER                1207
#define IDS_COUNT_FOLDERS               1208
#define IDS_COUNT_FILE                  1209
#define IDS_COUNT_FILES                 1210
#define IDS_COUNT_FONT                  1211
#define IDS_COUNT_FONTS                 1212
#define IDS_ADDING_FONTS                1213

// Names of the Unicode ranges and code pages a font's OS/2 table declares:
// the string of bit n is the base + n; reserved bits have none (which bits
// have a name, fontdata/Os2Names.h tells)
#define IDS_UNICODE_RANGE_0             1300
#define IDS_CODE_PAGE_0                 1500

// Main dialog controls
#define IDC_CHARSET                     0xE436
#define IDC_TYPE                        0xE437
#define IDC_FONT_SIZE                   0xE438
#define IDC_WEIGHT                      0xE439
#define IDC_ITALIC                      0xE43A
#define IDC_SAMPLE_TEXT                 0xE43B
#define IDC_FONT_LIST                   0xE43C
#define IDC_STATUS                      0xE43D

// About dialog controls
#define IDC_ABOUT_NAME                  0xE402
#define IDC_ABOUT_COPYRIGHT             0xE403
#define IDC_ABOUT_LINK                  0xE406

// Properties dialog controls
#define IDC_PROPERTIES_TEXT             0xE450
#define IDC_PROPERTIES_COPY             0xE451
#define IDC_PROPERTIES_OPEN_FOLDER      0xE452

// Message box titles
#define IDS_TITLE_ERROR                 58368
#define IDS_TITLE_QUERY                 58369

// Italic word and weight names (100 to 900)
#define IDS_ITALIC                      58439
#define IDS_WEIGHT_100                  58442
#define IDS_WEIGHT_200                  58443
#define IDS_WEIGHT_300                  58444
#define IDS_WEIGHT_400                  58445
#define IDS_WEIGHT_500                  58446
#define IDS_WEIGHT_600                  58447
#define IDS_WEIGHT_700                  58448
#define IDS_WEIGHT_800                  58449
#define IDS_WEIGHT_900                  58450

// Filter combo items
#define IDS_TYPE_BOTH                   58451
#define IDS_TYPE_RASTER                 58452
#define IDS_TYPE_VECTOR                 58453
#define IDS_WEIGHT_FILTER_ALL           58454
#define IDS_WEIGHT_FILTER_NORMAL        58455
#define IDS_WEIGHT_FILTER_LIGHTER       58456
#define IDS_WEIGHT_FILTER_BOLDER        58457
#define IDS_ITALIC_FILTER_BOTH          58458
#define IDS_ITALIC_FILTER_OFF           58459
#define IDS_ITALIC_FILTER_ON            58460

// Questions
#define IDS_CONFIRM_DISCARD_EDITS       58607
#define IDS_CONFIRM_CREATE_FOLDER       58608
#define IDS_CONFIRM_OVERWRITE           58609
#define IDS_CONFIRM_OVERWRITE_FILES     58610
#define IDS_CONFIRM_LOAD_ERROR          58611
#define IDS_CONFIRM_FILE_ERROR          58612
#define IDS_CONFIRM_NEWER_VERSION       58613
#define IDS_CONFIRM_RESET_SHORTCUTS     58615
#define IDS_CONFIRM_REPLACE_SHORTCUT    58616
#define IDS_CONFIRM_ABORT_PRINTING      58617

// Errors
#define IDS_ERR_STD_EXCEPTION           58625
#define IDS_ERR_ATL_EXCEPTION           58626
#define IDS_ERR_UNKNOWN_EXCEPTION       58627
#define IDS_ERR_CAST                    58629
#define IDS_ERR_GLOBAL_ALLOC            58631
#define IDS_ERR_GLOBAL_LOCK             58632
#define IDS_ERR_NUMBER_FORMAT           58637
#define IDS_ERR_NUMBER_TOO_SMALL        58638
#define IDS_ERR_NUMBER_TOO_LARGE        58639
#define IDS_ERR_STRING_MISSING          58646
#define IDS_ERR_STRING_TOO_LONG         58647
#define IDS_ERR_VERSION_SIZE            58793
#define IDS_ERR_VERSION_MISSING         58794
#define IDS_ERR_VERSION_VALUE_MISSING   58795
#define IDS_ERR_VERSION_VALUE_EMPTY     58796
#define IDS_ERR_VERSION_INVALID         58797
#define IDS_ERR_CLIPBOARD_OPEN          58810
#define IDS_ERR_CLIPBOARD_EMPTY         58815
#define IDS_ERR_CLIPBOARD_SET           58816
#define IDS_ERR_CREATE_FOLDER           58871
#define IDS_ERR_ENUM_VALUE              58886
#define IDS_ERR_ENUM_NAME               58887

// XML document errors
#define IDS_ERR_XML_CREATE              59007
#define IDS_ERR_XML_CREATE_ROOT         59008
#define IDS_ERR_XML_SAVE                59009
#define IDS_ERR_XML_SELECT_NODE         59010
#define IDS_ERR_XML_CREATE_NODE         59011
#define IDS_ERR_XML_APPEND_NODE         59012
#define IDS_ERR_XML_SET_TEXT            59014
#define IDS_ERR_XML_LOAD                59015
#define IDS_ERR_XML_GET_TEXT            59017
#define IDS_ERR_XML_BOOL                59018
#define IDS_ERR_XML_SELECT_NODES        59019
#define IDS_ERR_XML_NODES_COUNT         59020
#define IDS_ERR_XML_NODES_ITEM          59021
#define IDS_ERR_XML_NODE_NOT_FOUND      59022
#define IDS_ERR_XML_NODES_NOT_FOUND     59023
#define IDS_ERR_XML_INT                 59029
#define IDS_ERR_XML_LONG                59030
#define IDS_ERR_XML_SIZE                59031
#define IDS_ERR_XML_BYTE                59036
#define IDS_ERR_XML_VERSION             59037
#define IDS_ERR_XML_TOO_LONG            59039

// Regular expression errors
#define IDS_ERR_REGEX                   59217
#define IDS_ERR_REGEX_COLLATE           59219
#define IDS_ERR_REGEX_CTYPE             59220
#define IDS_ERR_REGEX_ESCAPE            59221
#define IDS_ERR_REGEX_BACKREF           59222
#define IDS_ERR_REGEX_BRACK             59223
#define IDS_ERR_REGEX_PAREN             59224
#define IDS_ERR_REGEX_BRACE             59225
#define IDS_ERR_REGEX_BADBRACE          59226
#define IDS_ERR_REGEX_RANGE             59227
#define IDS_ERR_REGEX_SPACE             59228
#define IDS_ERR_REGEX_BADREPEAT         59229
#define IDS_ERR_REGEX_COMPLEXITY        59230
#define IDS_ERR_REGEX_STACK             59231
#define IDS_ERR_REGEX_BAD_PATTERN       59232
