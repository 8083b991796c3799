#pragma once

#define IDI_APPLICATION_ICON 1
#define IDB_BACKGROUND 101
#define IDI_FOLDER 102
#define IDC_HAND_CURSOR 103
// The larger images of the icon, the folder picture and the cursor, for screens with more dots
// per inch than the design's 96.
#define IDI_APPLICATION_ICON_HIDPI 104
#define IDI_FOLDER_HIDPI 105
#define IDC_HAND_CURSOR_HIDPI 106

// The dialog that asks for the name of a variant being added.
#define IDD_VARIANT_NAME 200
#define IDC_NAME_PROMPT 201
#define IDC_NAME_PREFIX 202
#define IDC_NAME_EDIT 203
#define IDC_NAME_SUFFIX 204
#define IDC_NAME_PROBLEM 205
#define IDC_NAME_SOURCE 206
#define IDC_NAME_FIRST_LINE 207
