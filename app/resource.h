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
