// The Lua set-up shared by every Scintilla control that holds Lua: the editor views and
// the hidden scanning control. Marker numbers mean the same in every editor.
#pragma once

#include "CScintillaCtrl.h"

enum EditorMarker
{
    MARKER_BOOKMARK = 1,
    MARKER_NAMED_BOOKMARK = 2,
    MARKER_BREAKPOINT = 3,
    MARKER_JUMP_LINE = 4,      // a line opened from the output or find-in-files pane
    MARKER_EXECUTION_LINE = 5  // where the debugged script stopped
};

// The margins, by number.
enum EditorMargin
{
    MARGIN_LINE_NUMBERS = 0,
    MARGIN_MARKERS = 1,
    MARGIN_FOLDING = 2
};

namespace LuaEditorSetup
{
// Keyword set 0 of the Lua lexer.
extern const char kLuaKeywords[];

// Selects a new instance of the Lua lexer and gives it keyword set 0. FALSE when the
// lexer library offers no Lua lexer.
BOOL SelectLuaLexer(CScintillaCtrl& ctrl);
// The folding margin takes clicks and shows the fold markers; the lexer folds.
void SetupFoldMargin(CScintillaCtrl& ctrl);
// Markers 25 to 31 as box-tree fold symbols.
void DefineFoldMarkers(CScintillaCtrl& ctrl);
// Markers 1 to 5: bookmark, named bookmark, breakpoint, jump line, execution line.
void DefineLineMarkers(CScintillaCtrl& ctrl);
}
