// CCallStackWnd: the Call Stack bar's window: the frames of the stopped script. A click
// on a frame shows its line in the editor and its locals in the Locals page.
#pragma once

#include "CCallStackListCtrl.h"
#include "CPaneWnd.h"

class IDebugPanesHost;

class CCallStackWnd : public CPaneWnd
{
    DECLARE_DYNAMIC(CCallStackWnd)
public:
    CCallStackWnd();
    virtual ~CCallStackWnd();

    void SetHost(IDebugPanesHost* pHost) { m_pHost = pHost; }
    CCallStackListCtrl& GetList() { return m_wndList; }

    void Clear();
    void AddFrame(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat);
    // The frame the panes show, -1 when there is none.
    int GetSelectedFrame() const { return m_wndList.GetSelectedFrame(); }
    void SelectFrame(int nIndex);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    IDebugPanesHost* m_pHost;
    CCallStackListCtrl m_wndList;
};
