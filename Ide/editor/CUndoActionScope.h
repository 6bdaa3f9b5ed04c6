// CUndoActionScope: groups a Scintilla control's changes into one undo action, however
// the code that makes them ends.
#pragma once

#include "CScintillaCtrl.h"

class CUndoActionScope
{
public:
    explicit CUndoActionScope(CScintillaCtrl& ctrl) : m_ctrl(ctrl) { m_ctrl.BeginUndoAction(); }
    ~CUndoActionScope() { m_ctrl.EndUndoAction(); }

private:
    CScintillaCtrl& m_ctrl;

    CUndoActionScope(const CUndoActionScope&) = delete;
    CUndoActionScope& operator=(const CUndoActionScope&) = delete;
};
