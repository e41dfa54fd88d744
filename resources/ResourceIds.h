#pragma once
// Every resource id of the viewer, named once. The resource script and the code both include
// this header: menus, commands, dialogs and their controls, pictures, the icon, the help page and
// the cabinet as macros (windres reads those), and the texts as names of the string table.

// Icon.
#define IDI_PROGRAM 294

// Menus and their commands.
#define IDM_MAIN 101
#define IDM_PICTURE_CONTEXT 449
#define IDC_CMD_OPEN 40004
#define IDC_CMD_EXIT 40005
#define IDC_CMD_DEVICE_SETTINGS 40012
#define IDC_CMD_CLOCK_SETTING 40015
#define IDC_CMD_HELP 40019
#define IDC_CMD_VERSION 40020
#define IDC_CMD_RESTORE_CARD 40024
#define IDC_CMD_COPY 40026

// Saving what is shown and driving playback from the keyboard: the ファイル menu's frame save
// (Ctrl+S) and telemetry export, the accelerator table and the commands of its playback keys.
#define IDA_MAIN 103
#define IDC_CMD_SAVE_FRAME 40200
#define IDC_CMD_EXPORT_TELEMETRY 40201
#define IDC_KEY_PLAY_PAUSE 40210
#define IDC_KEY_STEP_BACK 40211
#define IDC_KEY_STEP_FORWARD 40212
#define IDC_KEY_FIRST_FRAME 40213
#define IDC_KEY_LAST_FRAME 40214
#define IDC_KEY_PREVIOUS_RECORDING 40215
#define IDC_KEY_NEXT_RECORDING 40216

// The stopwatch: the lap list (its one button is IDOK, "閉じる").
#define IDD_LAP_LIST 466

// Pictures of type "IMAGE" (the skin, resources/images/), by where they are used.
// The main window's background and the start-up animation.
#define IDB_COLUMN_TOP 218
#define IDB_COLUMN_TILE 219
#define IDB_COLUMN_BOTTOM 220
#define IDB_LEFT_EDGE 284
#define IDB_START_ANIMATION 285
// The stopwatch's background and its three buttons (normal, pressed, disabled).
#define IDB_STOPWATCH_BACKGROUND 105
#define IDB_LAP_START_STOP 106
#define IDB_LAP_START_STOP_PRESSED 109
#define IDB_LAP_START_STOP_DISABLED 110
#define IDB_LAP_SPLIT_RESET 107
#define IDB_LAP_SPLIT_RESET_PRESSED 111
#define IDB_LAP_SPLIT_RESET_DISABLED 112
#define IDB_LAP_LIST 108
#define IDB_LAP_LIST_PRESSED 113
#define IDB_LAP_LIST_DISABLED 114
// The thumbnail strip: its frame's left end, tile and right end, the stand-in for a picture that
// cannot be decoded, and its four buttons (normal, pressed, disabled).
#define IDB_STRIP_LEFT 426
#define IDB_STRIP_TILE 427
#define IDB_STRIP_RIGHT 428
#define IDB_UNDECODABLE_PICTURE 447
#define IDB_FIRST_PICTURE 442
#define IDB_FIRST_PICTURE_PRESSED 443
#define IDB_FIRST_PICTURE_DISABLED 444
#define IDB_PREVIOUS_PICTURE 436
#define IDB_PREVIOUS_PICTURE_PRESSED 437
#define IDB_PREVIOUS_PICTURE_DISABLED 438
#define IDB_NEXT_PICTURE 433
#define IDB_NEXT_PICTURE_PRESSED 434
#define IDB_NEXT_PICTURE_DISABLED 435
#define IDB_LAST_PICTURE 439
#define IDB_LAST_PICTURE_PRESSED 440
#define IDB_LAST_PICTURE_DISABLED 441

// The data-type row the viewer adds to the system's folder browser.
#define IDC_DATA_TYPE_LABEL 1007
#define IDC_DATA_TYPE_LIST 5503

// The version dialog and the help page.
#define IDD_ABOUT 132
#define IDC_ABOUT_VERSION 1035
#define IDC_ABOUT_COPYRIGHT 1037
#define IDC_ABOUT_LINK 1038
#define IDC_ABOUT_NAME 1053
#define IDR_HELP_PAGE 22100
#define IDR_HELP_PICTURE_FIRST 22101
#define IDR_HELP_PICTURE_LAST 22124

// The device settings and clock dialogs and the card restore.
#define IDD_CLOCK_SETTING 126
#define IDD_G_LEVEL_PAGE 405
#define IDD_G_EXACT_PAGE 407
#define IDD_DEVICE_SETTINGS 422
#define IDD_CORRECTION_PAGE 423
#define IDR_RECORDER_CABINET 309
#define IDC_CLOCK_DATE 1004
#define IDC_G_LEVEL_SLIDER 1010
#define IDC_G_EXACT_EDIT 1
#define IDC_HOUR_UPDOWN 1025
#define IDC_HOUR_EDIT 1026
#define IDC_MINUTE_UPDOWN 1027
#define IDC_MINUTE_EDIT 1028
#define IDC_PRESET_STANDARD 1030
#define IDC_PRESET_SENSITIVE 1031
#define IDC_OVERWRITE_COMBO 1039
#define IDC_G_LEVEL_LABEL 1040
#define IDC_OPERATION_BUZZER_COMBO 1040
#define IDC_EVENT_BUZZER_COMBO 1041
#define IDC_G_EXACT_SLIDER 1045
#define IDC_LATERAL_SLIDER 1045
#define IDC_G_EXACT_UPDOWN 1025
#define IDC_LATERAL_UPDOWN 1025
#define IDC_SETTINGS_TAB 1049
#define IDC_G_PAGE_PLACE 1052
#define IDC_CORRECTION_PAGE_PLACE 1054
#define IDC_LATERAL_EDIT 1055
#define IDC_ANGLE_EDIT 1056
#define IDC_LEARN_AUTOMATICALLY 1057
#define IDC_ANGLE_UPDOWN 1027

// Exporting the open recording as a video file: the ファイル menu's command (Ctrl+E) and the
// progress dialog shown while the file is written.
#define IDC_CMD_EXPORT_CLIP 40100
#define IDD_EXPORT_PROGRESS 470
#define IDC_EXPORT_PROGRESS_BAR 1100
#define IDC_EXPORT_PROGRESS_TEXT 1101

#ifndef RC_INVOKED
// The string table's entries by name: texts::program_title is 5001, "Tarvo_Viewer".
namespace texts {
enum : int {
#define TARVO_TEXT(id, name, text) name = id,
#include "strings.def"
#undef TARVO_TEXT
};
} // namespace texts
#endif
