// Speed figures of the frame layer: the dock-bar row layout, the dock state stream,
// a frame's layout with docked bars, idle updates, and opening and closing a
// document. Run by hand:
//   build/wine-run.sh build/bench/mfc_frame_bench.exe   (needs a display)
#include <afxwin.h>
#include <afxext.h>
#include <afxadv.h>
#include <afxpriv.h>
#include <stdio.h>
#include <string>
#include "../src/CDockRowLayout.h"
#include "benchtime.h"

namespace
{
class CBenchApp : public CWinApp
{
public:
    virtual int DoMessageBox(LPCTSTR, UINT, UINT) { return IDNO; }
};
CBenchApp theApp;

class CBenchBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent, UINT nID)
    {
        m_dwStyle = CBRS_TOP;
        return CWnd::Create(AfxRegisterWndClass(0), NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz)
    {
        CSize size = bHorz ? CSize(150, 24) : CSize(28, 100);
        if (bStretch)
            (bHorz ? size.cx : size.cy) = 32767;
        return size;
    }
    virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}
};

class CBenchDoc : public CDocument
{
    DECLARE_DYNCREATE(CBenchDoc)
public:
    CString m_strText;
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
        {
            ar.Write((LPCTSTR)m_strText, (UINT)m_strText.GetLength());
            return;
        }
        char buf[4096];
        UINT nRead;
        while ((nRead = ar.Read(buf, sizeof(buf))) > 0)
            m_strText += CString(buf, (int)nRead);
    }
};
IMPLEMENT_DYNCREATE(CBenchDoc, CDocument)

class CBenchView : public CView
{
    DECLARE_DYNCREATE(CBenchView)
public:
    virtual void OnDraw(CDC*) {}
};
IMPLEMENT_DYNCREATE(CBenchView, CView)

class CBenchChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CBenchChild)
};
IMPLEMENT_DYNCREATE(CBenchChild, CMDIChildWnd)
}  // namespace

int main()
{
    AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE);
    printf("per operation:\n");

    // Row layout of 40 bars in a 1200-pixel dock bar (they wrap into rows).
    CDockSlotArray slots;
    slots.Add(DOCKSLOT::RowEnd());
    for (int i = 0; i < 40; i++)
    {
        slots.Add(DOCKSLOT::Bar((void*)(DWORD_PTR)(0x10000 * (i + 1)), TRUE, CSize(100 + i, 24), CRect(-2, -2, -1, -1)));
        if (i % 10 == 9)
            slots.Add(DOCKSLOT::RowEnd());
    }
    CDockRowLayout layout(TRUE, FALSE);
    Measure("row layout, 40 bars", 20000, [&] {
        CDockSlotArray work;
        work.Copy(slots);
        layout.Layout(work, 1200);
    });

    // Dock state of 50 bars through a memory archive and back.
    CDockState state;
    for (int i = 0; i < 50; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        pInfo->m_nBarID = 0xE830 + i;
        pInfo->m_bDocking = TRUE;
        pInfo->m_bDockBar = i % 10 == 0;
        for (int k = 0; pInfo->m_bDockBar && k < 12; k++)
            pInfo->m_arrBarID.Add(k % 4 == 0 ? 0 : 0xE830 + k);
        state.m_arrBarInfo.Add(pInfo);
    }
    Measure("dock state of 50 bars, store and load", 2000, [&] {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            state.Serialize(ar);
        }
        file.SeekToBegin();
        CDockState copy;
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
    });

    // An MDI frame with a status bar and 12 bars docked around its client.
    theApp.AddDocTemplate(new CMultiDocTemplate(1, RUNTIME_CLASS(CBenchDoc), RUNTIME_CLASS(CBenchChild),
                                                RUNTIME_CLASS(CBenchView)));
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    if (!pFrame->Create(NULL, "bench", WS_POPUP | WS_CLIPCHILDREN, CRect(0, 0, 1000, 700)))
        return 1;
    theApp.m_pMainWnd = pFrame;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    CStatusBar statusBar;
    statusBar.Create(pFrame);
    statusBar.SetIndicators(indicators, 3);
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CBenchBar bars[12];
    static const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 12; i++)
    {
        bars[i].Create(pFrame, 0xE830 + i);
        bars[i].EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(&bars[i], sides[i % 4]);
    }
    pFrame->ShowWindow(SW_SHOWNA);
    Measure("frame layout, 12 docked bars and a status bar", 2000, [&] { pFrame->RecalcLayout(); });
    Measure("idle update of that frame", 2000, [&] { theApp.OnIdle(0); });

    // A 100 KB document opened into a child frame and closed again.
    char szPath[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szPath);
    lstrcatA(szPath, "vorn_frame_bench.txt");
    {
        CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
        std::string strLine(99, 'x');
        strLine += '\n';
        for (int i = 0; i < 1024; i++)
            file.Write(strLine.data(), (UINT)strLine.size());
    }
    Measure("open a 100 KB document in a frame and close it", 200, [&] {
        CDocument* pDoc = theApp.OpenDocumentFile(szPath);
        if (pDoc != NULL)
            pDoc->OnCloseDocument();
    });
    CDocument* pDoc = theApp.OpenDocumentFile(szPath);
    Measure("save a 100 KB document (temporary file and replace)", 200, [&] { pDoc->OnSaveDocument(szPath); });
    pDoc->OnCloseDocument();
    ::DeleteFileA(szPath);

    pFrame->DestroyWindow();
    return 0;
}
