// CExecutor: runs a command line as a hidden child process whose standard output and
// standard error share one pipe, collects what it writes on a reading thread, and
// hands the whole text back once the child has finished. The calling thread waits
// without a time limit. The child's standard input is given content only when the
// caller passes some, and is closed right after, so a child that reads its input
// always sees its end.
//
// Use: construct, Execute, GetOutput (and WasStarted / GetExitCode), destroy.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "IApiErrorSink.h"
#include "IProcessRunner.h"

class CExecutor : public IProcessRunner
{
public:
    // Failed system calls go to the sink, by step name; without one they are dropped.
    explicit CExecutor(IApiErrorSink* pErrors = NULL);
    virtual ~CExecutor();

    // Runs the child to its end. FALSE when a step before the child's start failed or
    // the child could not be started; no later step runs then.
    BOOL Execute(LPCTSTR pszCommandLine, CFile* pInput = NULL);
    // The collected output, up to its first NUL byte.
    CString GetOutput() const;
    // All of it, NUL bytes included (RunCommand hands this back).
    CString GetWholeOutput() const;
    BOOL WasStarted() const { return m_bStarted; }
    // The child's exit code (meaningful when it started).
    DWORD GetExitCode() const { return m_dwExitCode; }
    // Writes to the child's standard input while Execute runs.
    BOOL WriteWriteFile(const void* pData, DWORD nCount);

    virtual BOOL RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode);

protected:
    BOOL PrepAndLaunchRedirectedChild(LPCTSTR pszCommandLine, HANDLE hChildStdOut, HANDLE hChildStdIn,
                                      HANDLE hChildStdErr);
    void ReadAndHandleOutput();

private:
    IApiErrorSink* m_pErrors;
    HANDLE m_hOutputRead;   // parent's end of the child's output, not inherited
    HANDLE m_hInputWrite;   // parent's end of the child's input, not inherited
    HANDLE m_hThread;
    HANDLE m_hProcess;
    CMemFile m_output;
    BOOL m_bStarted;
    DWORD m_dwExitCode;
    // Failures met on the reading thread, reported by the calling thread afterwards.
    CStringArray m_readerErrorSteps;
    CDWordArray m_readerErrorCodes;

    static DWORD WINAPI ReaderThreadEntry(LPVOID pParam);
    void ReportApiError(LPCTSTR pszStep, DWORD dwError);
    BOOL CheckApi(BOOL bResult, LPCTSTR pszStep);
    void CloseHandleChecked(HANDLE& hHandle, LPCTSTR pszStep);
    void WriteInput(CFile* pInput);
    void WaitForReader();
    void WaitForChild();
    void CloseAllHandles();

    CExecutor(const CExecutor&) = delete;
    CExecutor& operator=(const CExecutor&) = delete;
};
