// The font of the edits that show Lua text inside dialogs: the editor's fixed-pitch
// face at the dialog font's height, so indentation lines up as it does in the editor.
#pragma once

#include <afxwin.h>

// Creates the font into font (which must outlive the control) and gives it to the control.
void UseCodeTextFont(CWnd& control, CFont& font);
