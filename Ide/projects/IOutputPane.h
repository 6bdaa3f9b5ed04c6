// IOutputPane: a text page of the output bar (the Output page or the Debug page).
// Build, execute, attach and backup write their reports through it.
#pragma once

#include <afx.h>

class IOutputPane
{
public:
    virtual ~IOutputPane() {}
    // Brings the pane's page to the front.
    virtual void ShowPage() = 0;
    virtual void Clear() = 0;
    // Appends at the end; the caret stays at the end.
    virtual void AppendText(LPCTSTR pszText) = 0;
};
