// CTempScintillaWnd: a hidden window holding one Scintilla control set up for Lua. The
// main frame owns the one instance and loads into it the Lua files that are not open
// in an editor, to scan them (outline parsing, statistics).
#pragma once

#include <afxwin.h>

#include "CScintillaCtrl.h"

class CTempScintillaWnd : public CWnd
{
    DECLARE_DYNAMIC(CTempScintillaWnd)
public:
    CTempScintillaWnd();
    virtual ~CTempScintillaWnd();

    CScintillaCtrl& GetCtrl() { return m_ctrl; }
    // Lua lexer and keywords, margins, folding and the fold markers.
    void SetupLua();
    // Replaces the control's text with the file's bytes, without undo history, caret at
    // the start, styled throughout. FALSE (the control left empty) when the file cannot
    // be read.
    BOOL LoadFile(LPCTSTR pszPath);

    CScintillaCtrl m_ctrl;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
