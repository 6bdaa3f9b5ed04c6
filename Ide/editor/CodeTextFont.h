// The fixed-pitch face of code text, and the font of the edits that show Lua text inside
// dialogs: the editor's face at the dialog font's height, so indentation lines up as it
// does in the editor.
#pragma once

#include <afxwin.h>

// The face code text is drawn in: the configured face when it is installed, else the
// first installed of "Courier New", "Courier" and "Lucida Console", else the system's
// fixed font. The system would otherwise replace a missing face by a proportional one.
CString GetInstalledCodeFace(LPCTSTR pszConfigured);

// Whether a font family of that name is installed (any kind of font).
BOOL IsFontFaceInstalled(LPCTSTR pszFace);

// Creates the font into font (which must outlive the control) and gives it to the control.
void UseCodeTextFont(CWnd& control, CFont& font);
