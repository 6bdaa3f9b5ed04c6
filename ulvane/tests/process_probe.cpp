// A program of its own that uses the framework, for the tests of its process-wide
// objects: it prints what another process sees of them, and what is left of them at
// its exit. One mode per run, named by the first argument.
#include <afxwin.h>

#include <stdio.h>
#include <string.h>

#include "CExtControlBar.h"
#include "CExtPaletteGlyph.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "CExtResizableDialog.h"
#include "CExtResizablePropertyPage.h"
#include "CExtResizablePropertySheet.h"
#include "CExtToolControlBar.h"
#include "RegisteredMessages.h"

CWinApp theApp("UlvaneProcessProbe");

namespace
{
void Say(const char* pszLine)
{
    fputs(pszLine, stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

// A tracked menu that tells, when it is freed, whether it was closed first, whether
// the hooks were still in, and whether the glyphs the looks paint with were still there.
class CProbePopup : public CExtPopupMenuWnd
{
public:
    bool m_bClosed = false;

    virtual ~CProbePopup()
    {
        char szLine[96];
        sprintf(szLine, "freed closed=%d hooks=%d glyphs=%d", m_bClosed ? 1 : 0,
                g_PopupTrackContext.HasHooks() ? 1 : 0, CExtPaletteGlyph::GetRecord(6).GetSize().cx != 0 ? 1 : 0);
        Say(szLine);
    }

protected:
    virtual bool BuildItemsFromMenu(HMENU hMenu, bool bTopLevel)
    {
        if (hMenu == NULL)
            m_bClosed = true;
        return CExtPopupMenuWnd::BuildItemsFromMenu(hMenu, bTopLevel);
    }
};

void PrintMessages()
{
    for (UINT nMsg : RegisteredMessages())
    {
        char szLine[16];
        sprintf(szLine, "%u", nMsg);
        Say(szLine);
    }
}

// The brushes of the three kinds of resizable windows, when this run made them.
HBRUSH g_arrLayerBrushes[3];

// Registered before anything is made on first use, so it runs after those are gone
// and before the framework's own objects go.
void AfterFirstUseObjects()
{
    int nDeleted = 0;
    for (HBRUSH hBrush : g_arrLayerBrushes)
        nDeleted += hBrush != NULL && ::GetObjectType(hBrush) == 0 ? 1 : 0;
    char szLine[64];
    sprintf(szLine, "exit live=%d deleted=%d", CExtLayerBackgroundBrush::GetLiveCount(), nDeleted);
    Say(szLine);
}
} // namespace

int main(int argc, char** argv)
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE) || argc < 2)
        return 2;
    const char* pszMode = argv[1];
    if (strcmp(pszMode, "messages") == 0)
        PrintMessages();
    else if (strcmp(pszMode, "exit-with-menu") == 0)
        g_PopupTrackContext.InstallHooks(new CProbePopup);
    else if (strcmp(pszMode, "application-exit-with-menu") == 0)
    {
        g_PopupTrackContext.InstallHooks(new CProbePopup);
        CExtPopupMenuWnd::CancelTracking();
        Say("application ended");
    }
    else if (strcmp(pszMode, "layer-brushes") == 0 || strcmp(pszMode, "no-layer-brushes") == 0)
    {
        char szLine[64];
        sprintf(szLine, "start live=%d", CExtLayerBackgroundBrush::GetLiveCount());
        Say(szLine);
        atexit(AfterFirstUseObjects);
        if (strcmp(pszMode, "layer-brushes") == 0)
        {
            g_arrLayerBrushes[0] = CExtResizableDialog::GetBackgroundBrush();
            g_arrLayerBrushes[1] = CExtResizablePropertyPage::GetBackgroundBrush();
            g_arrLayerBrushes[2] = CExtResizablePropertySheet::GetBackgroundBrush();
            const bool bSame = CExtResizableDialog::GetBackgroundBrush() == g_arrLayerBrushes[0];
            sprintf(szLine, "used live=%d same=%d", CExtLayerBackgroundBrush::GetLiveCount(), bSame ? 1 : 0);
            Say(szLine);
        }
    }
    else
        return 2;
    return 0;
}
