// Resource ids of the IDE. Vorn.rc and the files it includes share this one list.
#pragma once

// ---- Editor ------------------------------------------------------------------

// Go To > Table...: the combo box of the project's tables.
#define IDD_GOTO_TABLE                  199
#define IDC_GOTO_TABLE                  1195

// Go To > Line...: the line number, with the document's range in the prompt.
#define IDD_GOTO_LINE                   143
#define IDC_GOTO_LINE_PROMPT            1247
#define IDC_GOTO_LINE_NUMBER            1248

// Go To > Function... and Variable...: the entries and the "Include:" choice.
#define IDD_GOTO_FUNCTION               197
#define IDC_GOTO_FUNCTION               1192
#define IDC_GOTO_FUNCTION_INCLUDE       1193
#define IDD_GOTO_VARIABLE               200
#define IDC_GOTO_VARIABLE               1196
#define IDC_GOTO_VARIABLE_INCLUDE       1197

// Named bookmarks: the name of a new one, and the project's list to go to.
#define IDD_ADD_NAMED_BOOKMARK          216
#define IDC_NAMED_BOOKMARK_NAME         1221
#define IDC_NAMED_BOOKMARK_LINE         1223
#define IDD_GOTO_NAMED_BOOKMARK         217
#define IDC_GOTO_NAMED_BOOKMARK_LIST    1225

// The navigation strip above each editor: the file's tables and the chosen table's
// functions.
#define IDD_NAVIGATION_BAR              151
#define IDC_NAV_TABLES                  1054
#define IDC_NAV_FUNCTIONS               1056

// The editor's context menu.
#define IDR_EDITOR_CONTEXT              222

// Print Options: the header and footer of printed pages.
#define IDD_PRINT_OPTIONS               136
#define IDC_PRINT_HEADER                1016
#define IDC_PRINT_HEADER_BREAK_LINE     1017
#define IDC_PRINT_FILE_NAME             1018
#define IDC_PRINT_DATE                  1019
#define IDC_PRINT_PAGE_NUMBERS          1020
#define IDC_PRINT_FOOTER_BREAK_LINE     1021
#define IDC_PRINT_PAGE_STRING           1022
#define IDC_PRINT_HEADER_ALIGNMENT      1023
#define IDC_PRINT_FOOTER_ALIGNMENT      1025

// ---- Application and main frame -------------------------------------------------

// The main frame: menu, accelerators, icon, toolbar and the title string "Vorn 1.0.1".
#define IDR_MAINFRAME                   128
// The Lua document type: menu, accelerators, icon and the document template's string.
#define IDR_LUATYPE                     129

// Start-up failures (shown before any window exists).
#define IDP_OLE_INIT_FAILED             100
#define IDP_SOCKETS_INIT_FAILED         104

// Status bar: the caret position pane (filled by the editor view) and its text.
#define ID_INDICATOR_CARET              104
#define IDS_CARET_POSITION              6000

// Image strips, 16 pixels per image, pure green (0x00FF00) transparent.
// 0 documents, 1 project, 2 closed folder, 3 open folder, 4 Lua source, 5 plain
// document, 6 XML document: the project files tree and the open-file tabs.
#define IDB_FILE_IMAGES                 138
// 0 project, 1 file, 2 table, 3 function, 4 variable, 5 base table, 6 global
// variables, 7 local variables, 8 aliases, 9 function alias, 10 other alias: the
// Code Navigator.
#define IDB_NAVIGATOR_IMAGES            139

// The File Hotlist drop-down of the toolbar.
#define IDR_FILE_HOTLIST                215

// Workspace pages (dialog templates).
#define IDD_DEBUG_PAGE                  109
#define IDD_CODE_NAVIGATOR_PAGE         130
#define IDD_FILES_PAGE                  131
#define IDD_FIND_IN_FILES_PAGE          133
#define IDD_OUTPUT_PAGE                 134
#define IDD_LOCALS_PAGE                 180
#define IDD_GLOBALS_PAGE                181
#define IDD_WATCHES_PAGE                184
#define IDD_FIND_IN_FILES_PAGE2         213

// Child windows of the frame and its pages.
#define IDC_TEMP_SCINTILLA              106
#define IDC_NAVIGATOR_TREE              107
#define IDC_FILES_TREE                  108
#define IDC_CALL_STACK_WND              123

// ---- Commands ------------------------------------------------------------------

// File
#define ID_FILE_SAVE_ALL                32771
#define ID_FILE_CLOSE_PROJECT           32772
#define ID_FILE_RECENT_PROJECT1         32783
#define ID_FILE_RECENT_PROJECT2         32784
#define ID_FILE_RECENT_PROJECT3         32785
#define ID_FILE_RECENT_PROJECT4         32786
#define ID_FILE_RECENT_FILE1            32787
#define ID_FILE_RECENT_FILE2            32788
#define ID_FILE_RECENT_FILE3            32789
#define ID_FILE_RECENT_FILE4            32790
#define ID_FILE_PRINT_OPTIONS           32791
#define ID_FILE_NEW_PROJECT             32838
#define ID_FILE_OPEN_PROJECT            32839
#define ID_FILE_REMOVE_FROM_PROJECT     32856
#define ID_FILE_ADVANCED_SAVE_OPTIONS   32955
#define ID_FILE_MOVE_INTO_PROJECT       33109
#define ID_FILE_HOTLIST                 33117
#define ID_FILE_SAVE_PROJECT            33145
#define ID_EXPORT_XML                   33072
#define ID_EXPORT_PDF                   33073
#define ID_EXPORT_HTML                  33074
#define ID_EXPORT_RTF                   33075

// View (the docking bars carry their command's id)
#define ID_VIEW_PROJECT_EXPLORER        32792
#define ID_VIEW_OUTPUT                  32793
#define ID_VIEW_FILE_TABS               32927
#define ID_VIEW_FULL_SCREEN             32928
#define ID_VIEW_BREAKPOINTS             33027
#define ID_VIEW_CALL_STACK              33045
#define ID_VIEW_VARIABLES               33047

// Edit
#define ID_FIND_FIND                    32803
#define ID_FIND_NEXT                    32804
#define ID_FIND_PREVIOUS                32805
#define ID_FIND_REPLACE                 32806
#define ID_FIND_IN_FILES                32807
#define ID_EDIT_PREFERENCES             32811
#define ID_EDIT_VIEW_WHITE_SPACE        32953
#define ID_EDIT_VIEW_END_OF_LINE        32954
#define ID_SNIPPET_MANAGER              32976
#define ID_SNIPPET_INSERT               32977
#define ID_SNIPPET_CREATE_FROM_SELECTION 32978
// Ten favourite snippets (Ctrl+Shift+1 .. Ctrl+Shift+0)
#define ID_SNIPPET_FAVOURITE1           33000
#define ID_SNIPPET_FAVOURITE2           33001
#define ID_SNIPPET_FAVOURITE3           33002
#define ID_SNIPPET_FAVOURITE4           33003
#define ID_SNIPPET_FAVOURITE5           33004
#define ID_SNIPPET_FAVOURITE6           33005
#define ID_SNIPPET_FAVOURITE7           33006
#define ID_SNIPPET_FAVOURITE8           33007
#define ID_SNIPPET_FAVOURITE9           33008
#define ID_SNIPPET_FAVOURITE10          33009
#define ID_EDIT_UPPERCASE               33200
#define ID_EDIT_LOWERCASE               33201
#define ID_EDIT_COMMENT_LINES           33202
#define ID_EDIT_UNCOMMENT_LINES         33203
#define ID_EDIT_BOX_COMMENT             33204
#define ID_EDIT_BOX_UNCOMMENT           33205
#define ID_EDIT_INCREASE_INDENT         33206
#define ID_EDIT_DECREASE_INDENT         33207
#define ID_EDIT_LIST_MEMBERS            33208
#define ID_EDIT_PARAMETER_INFO          33209
#define ID_EDIT_COMPLETE_WORD           33210
#define ID_EDIT_LIST_PROJECT_FUNCTIONS  33211
#define ID_EDIT_LIST_PROJECT_TABLES     33212
#define ID_EDIT_LIST_EXTERNAL_FUNCTIONS 33213
#define ID_EDIT_LIST_EXTERNAL_TABLES    33214
#define ID_EDIT_TOGGLE_BOOKMARK         33215
#define ID_EDIT_NEXT_BOOKMARK           33216
#define ID_EDIT_PREVIOUS_BOOKMARK       33217
#define ID_EDIT_CLEAR_BOOKMARKS         33218
#define ID_EDIT_NAMED_BOOKMARK          33219

// Go To
#define ID_GOTO_FUNCTION                33078
#define ID_GOTO_VARIABLE                33079
#define ID_GOTO_TABLE                   33080
#define ID_GOTO_NAMED_BOOKMARK          33124
#define ID_HOTLIST_MANAGE               33114
#define ID_HOTLIST_ADD_REMOVE           33120
#define ID_GOTO_LINE                    33220
#define ID_GOTO_JUMP_TO_CARET           33221
#define ID_GOTO_PREVIOUS_FUNCTION       33222
#define ID_GOTO_NEXT_FUNCTION           33223
#define ID_GOTO_SYNC_NAVIGATOR          33224

// Project
#define ID_PROJECT_ADD_FILE             32827
#define ID_PROJECT_ADD_NEW_FILE         32828
#define ID_PROJECT_PROPERTIES           32830
#define ID_PROJECT_BACKUP               32832
#define ID_PROJECT_NEW_FOLDER           32854
#define ID_FOLDER_RENAME                32860
#define ID_FOLDER_REMOVE                32861
#define ID_PROJECT_STATISTICS           33090
#define ID_PROJECT_ADD_FILES_AND_FOLDERS 33091

// Build
#define ID_BUILD_BUILD                  32833
#define ID_BUILD_REBUILD                32834
#define ID_BUILD_CLEAN                  32835
#define ID_BUILD_COMPILE                32836
#define ID_BUILD_EXECUTE                32965

// Debug
#define ID_DEBUG_START                  32963
#define ID_DEBUG_STOP                   32964
#define ID_DEBUG_TOGGLE_BREAKPOINT      32973
#define ID_DEBUG_CLEAR_ALL_BREAKPOINTS  32974
#define ID_DEBUG_NEW_BREAKPOINT         33034
#define ID_DEBUG_STEP_INTO              33048
#define ID_DEBUG_STEP_OVER              33049
#define ID_DEBUG_STEP_OUT               33050
#define ID_DEBUG_BREAK                  33052
#define ID_DEBUG_DISABLE_ALL_BREAKPOINTS 33062
#define ID_DEBUG_RUN_TO_CURSOR          33225
// The debugger windows' popup menus.
#define ID_BREAKPOINTS_DELETE           33040
#define ID_BREAKPOINTS_PROPERTIES       33042
#define ID_BREAKPOINTS_GOTO_SOURCE      33043
#define ID_WATCHES_ADD                  33059
#define ID_WATCHES_DELETE               33060
#define ID_GLOBALS_REFRESH              33065
#define ID_WATCHES_EVALUATE             33138
#define ID_WATCHES_DELETE_ALL           33139

// Tools
#define ID_TOOLS_EXTERNAL_TOOLS         33066
// Argument macros of the external tools' Arguments field.
#define ID_TOOLARGS_FILE_NAME           33095
#define ID_TOOLARGS_FILE_PATH           33096
#define ID_TOOLARGS_FILE_EXT            33097
#define ID_TOOLARGS_PROJECT_NAME        33098
#define ID_TOOLARGS_PROJECT_FILE_NAME   33099
#define ID_TOOLARGS_PROJECT_PATH        33100
#define ID_TOOLARGS_PROJECT_DIR         33101
#define ID_TOOLARGS_OUTPUT_FILE_NAME    33102
#define ID_TOOLARGS_OUTPUT_PATH         33103
#define ID_TOOLARGS_OUTPUT_DIR          33104
#define ID_TOOLARGS_VORN_DIR            33106
// The project's Executing page: its program and argument macros.
#define ID_EXECARGS_MAIN_FILE           33146
#define ID_EXECARGS_MAIN_FILE_PATH      33147
#define ID_EXECWITH_BROWSE              33148
#define ID_EXECWITH_VORN_DIR            33150
#define ID_EXECWITH_PROJECT_DIR         33151
#define ID_EXECWITH_OUTPUT_DIR          33152
#define ID_EXECWITH_LUA50               33157
#define ID_EXECWITH_LUA51               33158

// Window
#define ID_WINDOW_CLOSE_ALL_DOCUMENTS   32837
#define ID_WINDOW_NEXT_DOCUMENT         32900
#define ID_WINDOW_PREVIOUS_DOCUMENT     32901
#define ID_WINDOW_NEXT_WINDOW           32930
#define ID_WINDOW_PREVIOUS_WINDOW       32931
#define ID_WINDOW_CLOSE_ALL             32932
#define ID_WINDOW_SAVE_ALL              32933
#define ID_WINDOW_LIST                  32934
#define IDS_WINDOW_LIST_ITEM            32935
#define ID_WINDOW_CLOSE_ACTIVE          32936
#define ID_WINDOW_CLOSE_ALL_BUT_ACTIVE  33092

// Help
#define ID_HELP_VORN_HOME_PAGE          33140
#define ID_HELP_CONTACT_AUTHOR          33142
#define ID_HELP_LUA_REFERENCE           33143
#define ID_HELP_LUA_HOME_PAGE           33144
#define ID_HELP_VORN_HELP               33153

// Commands numbered at run time: the open documents of the tabs' menu, the external
// tools of the Tools menu and the file hotlist entries.
#define ID_OPEN_WINDOW_FIRST            35000
#define ID_OPEN_WINDOW_LAST             35100
#define ID_EXTERNAL_TOOL_FIRST          35101
#define ID_EXTERNAL_TOOL_LAST           35131
#define ID_HOTLIST_ENTRY_FIRST          35132
#define ID_HOTLIST_ENTRY_LAST           35232

// ---- Project dialogs, pages and popup menus -----------------------------------------

#define IDD_NEW_PROJECT                 135
#define IDC_NEWPROJ_NAME                1010
#define IDC_NEWPROJ_LOCATION            1012
#define IDC_BROWSE                      1013
#define IDC_NEWPROJ_CREATE_DIRECTORY    1014
#define IDC_NEWPROJ_PREVIEW             1015
#define IDD_NEW_FOLDER                  144
#define IDC_NEW_FOLDER_NAME             1043
#define IDD_RENAME                      145
#define IDC_RENAME_LABEL                1044
#define IDC_RENAME_NAME                 1045
#define IDD_ADD_NEW_FILE                146
#define IDC_NEWFILE_NAME                1046
#define IDC_NEWFILE_LOCATION            1047
#define IDD_ADVANCED_SAVE_OPTIONS       163
#define IDC_ADVSAVE_LINE_ENDINGS        1048
#define IDD_LOADING_PLAQUE              196
#define IDC_LOADING_TEXT                1191
#define IDD_PROJECT_STATISTICS          202
#define IDC_STATS_FILES                 1198
#define IDC_STATS_LINES                 1199
#define IDC_STATS_GLOBAL_FUNCTIONS      1200
#define IDC_STATS_TABLES                1201
#define IDC_STATS_MEMBER_FUNCTIONS      1202
#define IDC_STATS_LOCAL_FUNCTIONS       1203
#define IDC_STATS_GLOBAL_VARIABLES      1204
#define IDC_STATS_FILES_UNIT            1205
#define IDC_STATS_LINES_UNIT            1206
#define IDC_STATS_GLOBAL_FUNCTIONS_UNIT 1207
#define IDC_STATS_LOCAL_FUNCTIONS_UNIT  1208
#define IDC_STATS_MEMBER_FUNCTIONS_UNIT 1209
#define IDC_STATS_TABLES_UNIT           1210
#define IDC_STATS_GLOBAL_VARIABLES_UNIT 1211
#define IDD_PROJECT_FILE_LIST           225
#define IDC_PROJECT_FILE_LIST           1242

// Project Properties pages.
#define IDD_PROJ_GENERAL                158
#define IDC_PROJ_OUTPUT_DIR             1094
#define IDC_PROJ_BACKUP_DIR             1095
#define IDC_PROJ_OUTPUT_EXT             1096
#define IDC_PROJ_DEL_ONLY_PROJ_FILES    1115
#define IDC_PROJ_MAIN_FILE              1112
#define IDC_PROJ_MAIN_FILE_BROWSE       1243
#define IDC_PROJ_LUA_VERSION            1246
#define IDD_PROJ_DEBUGGING              165
#define IDC_PROJ_ATTACH                 1116
#define IDC_PROJ_DBG_CLIENT             1117
#define IDC_PROJ_DBG_CLIENT_BROWSE      1118
#define IDC_PROJ_DBG_CLIENT_ARGS        1119
#define IDC_PROJ_DBG_PORT               1121
#define IDD_PROJ_EXECUTING              166
#define IDC_PROJ_EXEC_ARGS              1109
#define IDC_PROJ_EXEC_WITH              1110
#define IDC_PROJ_EXEC_WITH_MENU         1111
#define IDC_PROJ_EXEC_USE_COMPILED      1114
#define IDC_PROJ_EXEC_ARGS_MENU         1241

// Popup menus of the files tree and of the Executing page.
#define IDR_FILES_FILE_POPUP            148
#define IDR_FILES_FOLDER_POPUP          149
#define IDR_FILES_PROJECT_POPUP         150
#define IDR_EXECARGS_POPUP              223
#define IDR_EXECWITH_POPUP              224

// The window manager: the open-file tabs' menu, the window list and the Full Screen bar.
#define IDD_WINDOW_LIST                 159
#define IDR_FULL_SCREEN                 160
#define IDR_FILE_TABS                   162
#define IDC_WINDOW_LIST_ACTIVATE        1097
#define IDC_WINDOW_LIST_CLOSE           1098
#define IDC_WINDOW_LIST_SAVE            1099
#define IDC_WINDOW_LIST_TILE_HORZ       1100
#define IDC_WINDOW_LIST_MINIMIZE        1101
#define IDC_WINDOW_LIST_CASCADE         1102
#define IDC_WINDOW_LIST_TILE_VERT       1103
#define IDC_WINDOW_LIST                 1104

// ---- Preferences ---------------------------------------------------------------

// The Preferences pages (dialog templates) and their controls.
#define IDD_PREFS_EDITOR                152
#define IDD_PREFS_FONTS_AND_COLORS      153
#define IDD_PREFS_GENERAL               155
#define IDD_PREFS_PROJECTS              156
#define IDD_PREFS_EXPORT                193
// General
#define IDC_PREFS_AT_STARTUP            1084
#define IDC_PREFS_UI_STYLE              1085
#define IDC_PREFS_REFERENCE_MANUAL      1244
#define IDC_PREFS_BROWSE_MANUAL         1245
// Editor
#define IDC_PREFS_INDENT_NONE           1057
#define IDC_PREFS_INDENT_AUTOMATIC      1059
#define IDC_PREFS_TAB_SIZE              1060
#define IDC_PREFS_INSERT_SPACES         1062
#define IDC_PREFS_LIST_MEMBERS          1063
#define IDC_PREFS_PARAMETER_INFO        1064
#define IDC_PREFS_COMPLETE_WORD         1065
#define IDC_PREFS_COMPLETE_IGNORE_CASE  1066
#define IDC_PREFS_LINE_NUMBERS          1067
#define IDC_PREFS_MARKERS_MARGIN        1068
#define IDC_PREFS_FOLDING_MARGIN        1069
#define IDC_PREFS_INDENTATION_GUIDES    1070
#define IDC_PREFS_CHECK_BRACES          1071
#define IDC_PREFS_INDENT_SIZE           1072
// Fonts and Colors
#define IDC_PREFS_FONT_SIZE             1074
#define IDC_PREFS_DISPLAY_ITEMS         1075
#define IDC_PREFS_FORE_CUSTOM           1076
#define IDC_PREFS_BACK_CUSTOM           1077
#define IDC_PREFS_BOLD                  1078
#define IDC_PREFS_FONT                  1080
#define IDC_PREFS_FORE_SWATCH           1081
#define IDC_PREFS_BACK_SWATCH           1082
// Projects
#define IDC_PREFS_BROWSE_LOCATION       1086
#define IDC_PREFS_PROJECTS_LOCATION     1087
#define IDC_PREFS_BACKUP_FILE_NAME      1090
#define IDC_PREFS_BACKUP_INTERVAL       1091
#define IDC_PREFS_BACKUP_MODE           1092
#define IDC_PREFS_BACKUP_SAVE_DOCS      1093
#define IDC_PREFS_BACKUP_INCREMENT      1105
#define IDC_PREFS_LUA_EXTENSIONS        1189
// Export
#define IDC_PREFS_XML_COLLAPSE_SPACES   1175
#define IDC_PREFS_XML_COLLAPSE_LINES    1176
#define IDC_PREFS_PDF_FONT              1177
#define IDC_PREFS_HTML_WYSIWYG          1178
#define IDC_PREFS_HTML_TABS             1179
#define IDC_PREFS_HTML_FOLDING          1180
#define IDC_PREFS_HTML_STYLES_USED      1181
#define IDC_PREFS_HTML_TITLE_FULL_PATH  1182
#define IDC_PREFS_PDF_PAGE_SIZE         1183
#define IDC_PREFS_MARGIN_LEFT           1185
#define IDC_PREFS_MARGIN_RIGHT          1186
#define IDC_PREFS_MARGIN_BOTTOM         1187
#define IDC_PREFS_MARGIN_TOP            1188

// ---- External tools -------------------------------------------------------------

// The External Tools dialog.
#define IDD_EXTERNAL_TOOLS              192
#define IDC_EXTTOOLS_LIST               1162
#define IDC_EXTTOOLS_ADD                1163
#define IDC_EXTTOOLS_DELETE             1164
#define IDC_EXTTOOLS_MOVE_UP            1165
#define IDC_EXTTOOLS_MOVE_DOWN          1166
#define IDC_EXTTOOLS_APPLY              1167
#define IDC_EXTTOOLS_TITLE              1168
#define IDC_EXTTOOLS_COMMAND            1169
#define IDC_EXTTOOLS_ARGUMENTS          1170
#define IDC_EXTTOOLS_COMMAND_BROWSE     1172
#define IDC_EXTTOOLS_ARGUMENTS_MENU     1173
#define IDC_EXTTOOLS_PROMPT             1174
// The arguments prompt of a tool run.
#define IDD_EXTTOOL_ARGS_PROMPT         203
#define IDC_EXTTOOL_PROMPT_ARGUMENTS    1212
#define IDC_EXTTOOL_PROMPT_COMMAND_LINE 1213
#define IDC_EXTTOOL_PROMPT_ARGS_MENU    1214
// The argument-macro popup of both dialogs (commands ID_TOOLARGS_*).
#define IDR_EXTTOOL_ARGS_POPUP          204

// ---- File hotlist ---------------------------------------------------------------

// The Manage File Hotlist dialog.
#define IDD_MANAGE_FILE_HOTLIST         214
#define IDC_HOTLIST_LIST                1216
#define IDC_HOTLIST_MOVE_UP             1217
#define IDC_HOTLIST_MOVE_DOWN           1218
#define IDC_HOTLIST_REMOVE              1219
#define IDC_HOTLIST_GO_TO               1220

// ---- Debugger panes and breakpoint dialogs --------------------------------------

// The Breakpoints window: its toolbar, list, row images and popup menu.
#define IDR_BREAKPOINTS_TOOLBAR         175
#define IDR_BREAKPOINTS_POPUP           177
#define IDB_BREAKPOINT_IMAGES           178
#define IDC_BREAKPOINTS_LIST            112
// The Call Stack and variables lists and their images.
#define IDC_CALL_STACK_LIST             115
#define IDC_GLOBALS_LIST                116
#define IDC_LOCALS_LIST                 117
#define IDC_WATCHES_LIST                118
#define IDB_DEBUG_LIST_IMAGES           183
#define IDR_WATCHES_POPUP               185
#define IDR_GLOBALS_POPUP               191
// The breakpoint dialog and its two sub-dialogs.
#define IDD_BREAKPOINT                  179
#define IDD_BREAKPOINT_CONDITION        187
#define IDD_BREAKPOINT_HIT_COUNT        189
#define IDC_BREAKPOINT_FILE             1145
#define IDC_BREAKPOINT_LINE             1146
#define IDC_BREAKPOINT_CONDITION_BUTTON 1150
#define IDC_BREAKPOINT_HIT_COUNT_BUTTON 1151
#define IDC_BREAKPOINT_CONDITION_TEXT   1152
#define IDC_BREAKPOINT_HIT_COUNT_TEXT   1153
#define IDC_BREAKPOINT_CONDITION_ENABLE 1154
#define IDC_BREAKPOINT_CONDITION_EXPRESSION 1155
#define IDC_BREAKPOINT_CONDITION_KIND   1156
#define IDC_BREAKPOINT_HIT_MODE         1157
#define IDC_BREAKPOINT_HIT_RESET        1158
#define IDC_BREAKPOINT_HIT_VALUE        1159
#define IDC_BREAKPOINT_HIT_COUNT        1160
#define IDC_BREAKPOINT_CONDITION_HELP   1290
#define IDC_BREAKPOINT_HIT_TEXT         1291
// Add Watch.
#define IDD_ADD_WATCH                   186
#define IDC_WATCH_EXPRESSION            1149
// ---- Find, Replace and Find in Files ---------------------------------------------

#define IDD_FIND                        140
#define IDD_FIND_IN_FILES               141
#define IDD_REPLACE                     142
#define IDC_FIND_MARK_ALL               1027
#define IDC_FIND_WHAT                   1029
#define IDC_FIND_ALL_OPEN_DOCS          1031
#define IDC_FIND_MATCH_CASE             1032
#define IDC_FIND_WHOLE_WORD             1033
#define IDC_FIND_SEARCH_UP              1034
#define IDC_FIND_WRAP_AROUND            1035
#define IDC_FIND_REGULAR_EXPRESSION     1036
#define IDC_REPLACE                     1038
#define IDC_REPLACE_ALL                 1039
#define IDC_REPLACE_WITH                1041
#define IDC_FIND_IN_FILES_PANE2         1215
// ---- Code snippets ----------------------------------------------------------------

// Code Snippet Manager: the snippets, the favourites in their order, and the editor of
// the selected snippet's text.
#define IDD_CODE_SNIPPET_MANAGER        170
#define IDC_SNIPPET_LIST                1122
#define IDC_SNIPPET_FAVOURITES          1123
#define IDC_SNIPPET_FAVOURITES_LABEL    1124
#define IDC_SNIPPET_RENAME              1125
#define IDC_SNIPPET_ADD_TO_FAVOURITES   1126
#define IDC_SNIPPET_MOVE_UP             1127
#define IDC_SNIPPET_MOVE_DOWN           1128
#define IDC_SNIPPET_REMOVE_FAVOURITE    1129
#define IDC_SNIPPET_TEXT_GROUP          1130
#define IDC_SNIPPET_TEXT                1131
#define IDC_SNIPPET_NEW                 1132
#define IDC_SNIPPET_MACROS              1136
#define IDC_SNIPPET_SAVE                1137
// Create new Code Snippet.
#define IDD_NEW_CODE_SNIPPET            171
#define IDC_NEW_SNIPPET_NAME            1133
#define IDC_NEW_SNIPPET_FILE_NAME       1134
// Rename Code Snippet (its name field shares the Rename button's number).
#define IDD_RENAME_CODE_SNIPPET         172
#define IDC_RENAME_SNIPPET_NAME         1125
// Insert Macro: the macros, the chosen one's description, and the chosen macro.
#define IDD_INSERT_SNIPPET_MACRO        173
#define IDC_SNIPPET_MACRO_LIST          1138
#define IDC_SNIPPET_MACRO_DESCRIPTION   1139
#define IDC_SNIPPET_MACRO_DESCRIPTION_LABEL 1140
#define IDC_SNIPPET_MACRO_CHOSEN        1141
// Insert Code Snippet: the snippets and the selected one's text.
#define IDD_INSERT_CODE_SNIPPET         174
#define IDC_INSERT_SNIPPET_LIST         1142
#define IDC_INSERT_SNIPPET_TEXT         1143
