// Times the command manager with the IDE's own resources: the per-update lookups of
// a 30-button toolbar two windows below its bound frame (profile of 400 commands),
// with and without the command-update run; filling a profile from menus 128 and 129
// and from toolbar 128; the registry archive and a 1,000-command profile through
// the registry. Medians (and 99th percentiles of the updates) in milliseconds.
#include "CExtCommandManagerHolder.h"
#include "CExtRegistryArchive.h"
#include "BenchClock.h"

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{
struct CTimes
{
    double dMedian;
    double dP99;
};

CTimes Measure(int nRounds, const std::function<void()>& f)
{
    std::vector<double> times;
    times.reserve(nRounds);
    for (int i = 0; i < nRounds; i++)
    {
        const double t0 = Seconds();
        f();
        times.push_back((Seconds() - t0) * 1000.0);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[std::min(times.size() - 1, times.size() * 99 / 100)]};
}

// Every command answers its update: enabled.
class CEnablingTarget : public CCmdTarget
{
public:
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
    {
        if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra != NULL)
        {
            ((CCmdUI*)pExtra)->Enable(nID % 3 != 0);
            return TRUE;
        }
        return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

HWND MakeWindow(HWND hWndParent)
{
    return ::CreateWindow("STATIC", "", hWndParent != NULL ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, hWndParent, NULL,
                          AfxGetInstanceHandle(), NULL);
}

const char szProfile[] = "bench";

// The manager deletes a profile when its last window is unbound.
void RemoveProfile(CExtCommandManager& manager, LPCTSTR lpszName)
{
    static HWND s_hWnd = MakeWindow(NULL);
    bool bDeleted = false;
    manager.BindWindow(s_hWnd, lpszName);
    manager.UnbindWindow(s_hWnd, true, &bDeleted);
}
}

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneCommandBench") {}
};
CBenchApp theApp;

int main()
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE))
        return 2;
    CExtCommandManager& manager = *g_CommandManagerHolder.GetCommandManager();

    // A frame, a dock bar below it and a toolbar below that.
    HWND hWndFrame = MakeWindow(NULL);
    HWND hWndDock = MakeWindow(hWndFrame);
    HWND hWndBar = MakeWindow(hWndDock);
    manager.CreateProfile(szProfile, hWndFrame);
    for (UINT nID = 20000; nID < 20400; nID++)
    {
        CExtCommandItem item(nID);
        item.m_strMenuText.Format("Command %u", nID);
        manager.UpdateCommand(szProfile, item);
    }
    UINT arrButtons[30];
    for (int i = 0; i < 30; i++)
        arrButtons[i] = 20000 + (UINT)i * 13;
    int nFound = 0;
    const CTimes lookup = Measure(10000, [&] {
        for (UINT nID : arrButtons)
        {
            const CString strProfile = manager.GetProfileNameForWindow(hWndBar);
            nFound += manager.GetCommand(strProfile, nID) != NULL ? 1 : 0;
        }
    });
    CEnablingTarget target;
    const CTimes update = Measure(10000, [&] {
        for (UINT nID : arrButtons)
        {
            const CString strProfile = manager.GetProfileNameForWindow(hWndBar);
            CExtCommandItem* pItem = manager.GetCommand(strProfile, nID);
            if (pItem != NULL)
                pItem->UpdateCmdUI(&target);
        }
    });
    printf("30 buttons, profile of 400, lookups:          median %7.4f ms, 99th %7.4f ms (10000 updates)\n",
           lookup.dMedian, lookup.dP99);
    printf("30 buttons, lookups and command update:       median %7.4f ms, 99th %7.4f ms (10000 updates)\n",
           update.dMedian, update.dP99);
    if (nFound != 30 * 10000)
        printf("  (only %d lookups found their command)\n", nFound);

    // The IDE's menus and toolbar into a fresh profile each time.
    const CTimes menus = Measure(200, [&] {
        manager.CreateProfile("menus");
        manager.UpdateFromMenuResource("menus", 128);
        manager.UpdateFromMenuResource("menus", 129);
        RemoveProfile(manager, "menus");
    });
    const CTimes toolbar = Measure(200, [&] {
        manager.CreateProfile("toolbar");
        UINT* pIDs = NULL;
        int nCount = 0;
        manager.UpdateFromToolbarResource("toolbar", MAKEINTRESOURCE(128), &pIDs, &nCount);
        delete[] pIDs;
        RemoveProfile(manager, "toolbar");
    });
    printf("menus 128 and 129 into a profile:             median %7.3f ms (200, with the profile's removal)\n",
           menus.dMedian);
    printf("toolbar 128 into a profile:                   median %7.3f ms (200, with the profile's removal)\n",
           toolbar.dMedian);

    // A 4 KB archive, saved and loaded.
    const char szPath[] = "Software\\Vorn Bench\\Archive\\Ulvane223\\Profiles\\bench\\CommandManager";
    CMemFile source;
    for (int i = 0; i < 4096; i++)
    {
        const BYTE b = (BYTE)(i * 31);
        source.Write(&b, 1);
    }
    const CTimes save = Measure(100, [&] { CExtRegistryArchive::Save(source, szPath); });
    bool bLoaded = true;
    const CTimes load = Measure(100, [&] {
        CMemFile target;
        bLoaded = CExtRegistryArchive::Load(target, szPath) && bLoaded;
    });
    printf("4 KB archive:                                 save %7.3f ms, load %7.3f ms (medians of 100)%s\n",
           save.dMedian, load.dMedian, bLoaded ? "" : " LOAD FAILED");
    // The floor under both: the registry's own cost of the 256 values, written and
    // read one by one in one open key.
    HKEY hKey = NULL;
    ::RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Vorn Bench\\Floor", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL);
    const BYTE arrChunk[16] = {1, 2, 3};
    const CTimes writeFloor = Measure(100, [&] {
        for (int i = 0; i < 256; i++)
        {
            char szName[32];
            sprintf(szName, "data_0x%08X", i);
            ::RegSetValueEx(hKey, szName, 0, REG_BINARY, arrChunk, sizeof(arrChunk));
        }
    });
    const CTimes readFloor = Measure(100, [&] {
        for (int i = 0; i < 256; i++)
        {
            char szName[32];
            BYTE arrRead[16];
            DWORD cb = sizeof(arrRead), dwType = 0;
            sprintf(szName, "data_0x%08X", i);
            ::RegQueryValueEx(hKey, szName, NULL, &dwType, arrRead, &cb);
        }
    });
    ::RegCloseKey(hKey);
    printf("  256 bare registry values (baseline):        write %7.3f ms, read %7.3f ms; archive %.2fx and %.2fx of it\n",
           writeFloor.dMedian, readFloor.dMedian, save.dMedian / writeFloor.dMedian, load.dMedian / readFloor.dMedian);

    // A profile of 1,000 used commands through the registry.
    CExtCommandProfile big("bench 1000");
    for (UINT nID = 1; nID <= 1000; nID++)
        big.AllocateCommand(nID + 30000)->m_nUsageCount = nID;
    big.m_nTotalUsage = 500500;
    bool bProfileDone = true;
    const CTimes saveProfile = Measure(50, [&] { bProfileDone = big.SerializeToRegistry("Vorn Bench", "Profiles", true) && bProfileDone; });
    const CTimes loadProfile = Measure(50, [&] { bProfileDone = big.SerializeToRegistry("Vorn Bench", "Profiles", false) && bProfileDone; });
    printf("1,000-command profile through the registry:   save %7.3f ms, load %7.3f ms (medians of 50)%s\n",
           saveProfile.dMedian, loadProfile.dMedian, bProfileDone ? "" : " FAILED");

    ::DestroyWindow(hWndFrame);
    return 0;
}
