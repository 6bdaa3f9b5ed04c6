// IDebugSession: what the editor asks of the debug session: for its value tips, whether a
// debugged script is connected and stopped at a break, the stack level the debugger
// shows, the evaluation of a word; and the breakpoints and Run To Cursor of its
// commands. The main frame hands the session out through the
// editor's host; the answer to a request comes later, on the user-interface thread,
// through CVornView::ShowDebugValueTip of the view that asked.
#pragma once

#include <afx.h>

class CVornView;

class IDebugSession
{
public:
    enum
    {
        STATE_IDLE = 0,
        STATE_CONNECTED = 3
    };

    virtual ~IDebugSession() {}

    // 0 idle, 3 connected to a debug client; other values while a session starts or ends.
    virtual int GetState() const = 0;
    // The debugged script is stopped at a break.
    virtual BOOL IsStoppedAtBreak() const = 0;
    // The stack level the debugger's panes show (0: the innermost).
    virtual int GetStackLevel() const = 0;
    // Sends the evaluation of the name at the level; the answer goes to the view.
    virtual void RequestVariableValue(LPCTSTR pszName, int nLevel, CVornView* pView) = 0;
    // The view is going: no answer may reach it any more.
    virtual void ForgetView(CVornView* pView) = 0;
    // Breakpoints the editor sets or removes, and Run To Cursor, while connected: the
    // file's full path and a 1-based line.
    virtual void AddBreakpoint(LPCTSTR pszFile, int nLine) = 0;
    virtual void RemoveBreakpoint(LPCTSTR pszFile, int nLine) = 0;
    virtual void RunToCursor(LPCTSTR pszFile, int nLine) = 0;
};
