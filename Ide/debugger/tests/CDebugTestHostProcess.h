// Test support: the debug client's test host as a process of its own (attach mode).
#pragma once

#include <afx.h>

#include <vector>

// The test host of the debug client, started for attach mode; killed by its
// process handle if it outlives the session.
class CDebugTestHostProcess
{
public:
    ~CDebugTestHostProcess() { End(0); }
    bool Start(const CString& strScript, const CString& strFolder)
    {
        char szExe[MAX_PATH];
        ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
        CString strExe(szExe);
        strExe = strExe.Left(strExe.ReverseFind('\\') + 1) + "vorn_dbg_testhost.exe";
        CString strCommand;
        strCommand.Format("\"%s\" --report \"%shost.report\" \"%s\"", (LPCTSTR)strExe, (LPCTSTR)strFolder,
                          (LPCTSTR)strScript);
        STARTUPINFOA startup;
        memset(&startup, 0, sizeof(startup));
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info;
        std::vector<char> line((LPCTSTR)strCommand, (LPCTSTR)strCommand + strCommand.GetLength() + 1);
        // The script's own relative names are taken from the project folder.
        if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, strFolder, &startup, &info))
            return false;
        ::CloseHandle(info.hThread);
        m_hProcess = info.hProcess;
        return true;
    }
    // Waits for the end; a host still running then is killed.
    void End(DWORD dwWaitMs)
    {
        if (m_hProcess == NULL)
            return;
        if (::WaitForSingleObject(m_hProcess, dwWaitMs) != WAIT_OBJECT_0)
        {
            ::TerminateProcess(m_hProcess, 99);
            ::WaitForSingleObject(m_hProcess, 5000);
        }
        ::CloseHandle(m_hProcess);
        m_hProcess = NULL;
    }

private:
    HANDLE m_hProcess = NULL;
};
