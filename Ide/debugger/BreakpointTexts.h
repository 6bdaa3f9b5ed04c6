// The words a breakpoint is shown in, the same in the Breakpoints window and in the
// breakpoint dialogs.
#pragma once

#include <afx.h>

// "(no condition)", or "when '<expression>' is true" / "... has changed".
CString BreakpointConditionText(BOOL bEnabled, LPCTSTR pszExpression, int nKind);
// "break always", "when hit count is equal to 3", ...; "" for an unknown mode.
CString BreakpointHitCountText(int nMode, int nValue);
// "src/main.lua, line 12".
CString BreakpointRowName(LPCTSTR pszRelativePath, int nLine);
