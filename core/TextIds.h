/* The numbers of the texts the player reads. Each text lies in the string table of every
   language (app/texts/en.rc, app/texts/de.rc) under the same number; the program loads it in the
   language shown. Adding a text: a number here and one line in each table. Plain preprocessor
   lines, so that the resource compiler reads this file too. */
#ifndef VARNHOLT_TEXT_IDS_H
#define VARNHOLT_TEXT_IDS_H

/* The window's captions and tool tips. */
#define IDS_CREDITS 1000
#define IDS_START_ANNO 1001
#define IDS_TIP_START_ANNO 1002
#define IDS_TIP_CHOOSE_DIR 1003
#define IDS_ACTIVATE 1004
#define IDS_ACTIVATE_ENTRY 1005
#define IDS_TIP_ACTIVATE 1006
#define IDS_TIP_LIST 1007
#define IDS_VIEW_EDIT 1008
#define IDS_TIP_VIEW_EDIT 1009
#define IDS_DONE 1010
#define IDS_TIP_CURRENT 1011
#define IDS_HEADING_CURRENT 1012
#define IDS_HEADING_AVAILABLE 1013
#define IDS_TIP_VERSION 1014
#define IDS_TIP_DATA_FOLDER 1015
#define IDS_TIP_INSTALL_PATH 1016

/* The list's menu; its View/Edit is the button's caption. */
#define IDS_MENU_ACTIVATE 1050
#define IDS_MENU_LOCATION 1051
#define IDS_MENU_SHORTCUT 1052
#define IDS_MENU_ADD 1053
#define IDS_MENU_OPEN_FOLDER 1054

/* The catalogue's entries (five numbers in a row, in the catalogue's order), the identification
   and the verdict. */
#define IDS_CATALOGUE_FIRST 1100
#define IDS_CATALOGUE_ORIGINAL 1100
#define IDS_CATALOGUE_CLASSIC 1101
#define IDS_CATALOGUE_ADDON 1102
#define IDS_CATALOGUE_KE 1103
#define IDS_CATALOGUE_KZA 1104
#define IDS_IDENT_ORIGINAL 1105
#define IDS_IDENT_OTHER 1106
#define IDS_HINT_FITS 1107
#define IDS_HINT_DOES_NOT_FIT 1108
#define IDS_NO_DESCRIPTION 1109
#define IDS_IDENT_MISSING 1110

/* Messages, their captions, and the folder picker's prompts. %1, %2: what the text names. */
#define IDS_PROBLEM_TITLE 2000
#define IDS_PICK_INSTALLATION 2001
#define IDS_NO_INSTALLATION 2002
#define IDS_NOT_ORIGINAL 2003
#define IDS_BACKUP_FAILED 2004
#define IDS_FIRST_RUN 2005
#define IDS_DELETE_FAILED 2006
#define IDS_NONE_SELECTED 2007
#define IDS_KEEP_FAILED 2008
#define IDS_COPY_FAILED 2009
#define IDS_COPIED 2010
#define IDS_COPIED_KEPT 2011
#define IDS_ACCESS_DENIED_HELP 2012
#define IDS_LOCATION 2013
#define IDS_CANT_START_ANNO 2014
#define IDS_ERROR_STARTING 2015
#define IDS_CHOOSE_DATA_FOLDER 2016
#define IDS_BROWSER_FAILED 2017
#define IDS_REGISTRY_FAULT 2018
#define IDS_INVALID_CALL 2019
#define IDS_ERROR_NUMBER 2020

/* The desktop shortcut's messages. */
#define IDS_SHORTCUT_CREATED 2100
#define IDS_SHORTCUT_FAILED 2101
#define IDS_NO_DESKTOP 2102
#define IDS_SHORTCUT_NAME_TAKEN 2103

/* The command line: why it is bad, the messages of a run without the window, the usage. */
#define IDS_CL_UNKNOWN_SWITCH 2200
#define IDS_CL_UNEXPECTED_ARGUMENT 2201
#define IDS_CL_ACTIVATE_NEEDS_NAME 2202
#define IDS_CL_ONE_ACTIVATE_ONLY 2203
#define IDS_CL_LANG_NEEDS_VALUE 2204
#define IDS_CL_QUIET_ALONE 2205
#define IDS_ALREADY_RUNNING 2206
#define IDS_UNKNOWN_VARIANT 2207
#define IDS_ALREADY_CURRENT 2208
#define IDS_USAGE 2209
#define IDS_USAGE_AVAILABLE 2210
#define IDS_USAGE_NONE_AVAILABLE 2211
#define IDS_USAGE_EXIT_CODES 2212
#define IDS_CL_ADD_NEEDS_FILE 2213
#define IDS_CL_AS_NEEDS_NAME 2214
#define IDS_CL_AS_WITHOUT_ADD 2215
#define IDS_CL_ADD_ALONE 2216

/* Adding a variant: why a file is none, the outcome, the name dialog and the file dialog. */
#define IDS_ADD_NOT_FOUND 2300
#define IDS_ADD_NOT_READABLE 2301
#define IDS_ADD_TOO_LARGE 2302
#define IDS_ADD_NOT_TEXT 2303
#define IDS_ADD_IN_DATA_FOLDER 2304
#define IDS_ADD_ALREADY_THERE 2305
#define IDS_ADD_FAILED 2306
#define IDS_ADDED_ASK 2307
#define IDS_ADDED 2308
#define IDS_ADD_NEEDS_NAME 2309
#define IDS_NAME_EMPTY 2310
#define IDS_NAME_FORBIDDEN 2311
#define IDS_NAME_TAKEN 2312
#define IDS_ADD_TITLE 2313
#define IDS_NAME_PROMPT 2314
#define IDS_FILTER_DAT 2315
#define IDS_FILTER_ALL 2316
#define IDS_OK 2317
#define IDS_CANCEL 2318

/* The handover of files to the running window, and the name dialog's file. */
#define IDS_HANDOVER_NOT_ADDED 2360
#define IDS_HANDOVER_MORE 2361
#define IDS_HANDOVER_RUN_WITHOUT_WINDOW 2362
#define IDS_HANDOVER_NO_WINDOW 2363
#define IDS_HANDOVER_NO_ANSWER 2364
#define IDS_HANDOVER_REFUSED 2365
#define IDS_NAME_SOURCE 2366
#define IDS_NAME_FIRST_LINE 2367
#define IDS_NAME_DIALOG_FAILED 2368

#endif
