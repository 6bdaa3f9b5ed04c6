#include "CExecutor.h"

namespace
{
const DWORD kReadChunk = 256;
const UINT kOutputGrowBytes = 1024;
}

CExecutor::CExecutor(IApiErrorSink* pErrors)
    : m_pErrors(pErrors),
      m_hOutputRead(NULL),
      m_hInputWrite(NULL),
      m_hThread(NULL),
      m_hProcess(NULL),
      m_output(kOutputGrowBytes),
      m_bStarted(FALSE),
      m_dwExitCode(0)
{
}

CExecutor::~CExecutor()
{
    CloseAllHandles();
}

void CExecutor::ReportApiError(LPCTSTR pszStep, DWORD dwError)
{
    if (m_pErrors != NULL)
        m_pErrors->ShowApiError(pszStep, dwError);
}

BOOL CExecutor::CheckApi(BOOL bResult, LPCTSTR pszStep)
{
    if (!bResult)
        ReportApiError(pszStep, ::GetLastError());
    return bResult;
}

void CExecutor::CloseHandleChecked(HANDLE& hHandle, LPCTSTR pszStep)
{
    if (hHandle == NULL)
        return;
    CheckApi(::CloseHandle(hHandle), pszStep);
    hHandle = NULL;
}

void CExecutor::CloseAllHandles()
{
    for (HANDLE* phHandle : { &m_hOutputRead, &m_hInputWrite, &m_hThread, &m_hProcess })
    {
        if (*phHandle != NULL)
        {
            ::CloseHandle(*phHandle);
            *phHandle = NULL;
        }
    }
}

BOOL CExecutor::Execute(LPCTSTR pszCommandLine, CFile* pInput)
{
    CloseAllHandles();
    m_bStarted = FALSE;
    m_dwExitCode = 0;
    m_output.SetLength(0);
    m_output.SeekToBegin();
    m_readerErrorSteps.RemoveAll();
    m_readerErrorCodes.RemoveAll();

    SECURITY_ATTRIBUTES sa = { sizeof(SECURITY_ATTRIBUTES), NULL, TRUE };
    const HANDLE hSelf = ::GetCurrentProcess();
    HANDLE hOutputReadTmp = NULL, hOutputWrite = NULL, hErrorWrite = NULL;
    HANDLE hInputRead = NULL, hInputWriteTmp = NULL;

    // Each step runs only when every step before it succeeded; whatever was opened
    // is closed on the way out.
    BOOL bOk = CheckApi(::CreatePipe(&hOutputReadTmp, &hOutputWrite, &sa, 0), "CExecutor::Execute::CreatePipe")
        && CheckApi(::DuplicateHandle(hSelf, hOutputWrite, hSelf, &hErrorWrite, 0, TRUE, DUPLICATE_SAME_ACCESS),
                    "CExecutor::Execute::DuplicateHandle")
        && CheckApi(::CreatePipe(&hInputRead, &hInputWriteTmp, &sa, 0), "CExecutor::Execute::CreatePipe")
        && CheckApi(::DuplicateHandle(hSelf, hOutputReadTmp, hSelf, &m_hOutputRead, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS),
                    "CExecutor::Execute::DupliateHandle")
        && CheckApi(::DuplicateHandle(hSelf, hInputWriteTmp, hSelf, &m_hInputWrite, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS),
                    "DupliateHandle");
    CloseHandleChecked(hOutputReadTmp, "CExecutor::Execute::CloseHandle");
    CloseHandleChecked(hInputWriteTmp, "CExecutor::Execute::CloseHandle");

    if (bOk)
        bOk = PrepAndLaunchRedirectedChild(pszCommandLine, hOutputWrite, hInputRead, hErrorWrite);

    // The parent's copies of the child's ends go, so the output pipe breaks when the
    // child (and whatever inherited its handles) has ended.
    CloseHandleChecked(hOutputWrite, "CExecutor::Execute::CloseHandle");
    CloseHandleChecked(hInputRead, "CExecutor::Execute::CloseHandle");
    CloseHandleChecked(hErrorWrite, "CExecutor::Execute::CloseHandle");

    if (!bOk)
    {
        CloseAllHandles();
        return FALSE;
    }
    m_bStarted = TRUE;

    DWORD dwThreadId = 0;
    m_hThread = ::CreateThread(NULL, 0, ReaderThreadEntry, this, 0, &dwThreadId);
    if (m_hThread == NULL)
    {
        // Without a reading thread the output is read here, after the input is closed.
        ReportApiError("CExecutor::Execute::CreateThread", ::GetLastError());
        CloseHandleChecked(m_hInputWrite, "CExecutor::Close::CloseHandle");
        ReadAndHandleOutput();
    }
    else
    {
        WriteInput(pInput);
        CloseHandleChecked(m_hInputWrite, "CExecutor::Close::CloseHandle");
        WaitForReader();
    }

    for (INT_PTR i = 0; i < m_readerErrorSteps.GetSize(); i++)
        ReportApiError(m_readerErrorSteps[i], m_readerErrorCodes[i]);
    WaitForChild();
    return TRUE;
}

BOOL CExecutor::PrepAndLaunchRedirectedChild(LPCTSTR pszCommandLine, HANDLE hChildStdOut, HANDLE hChildStdIn,
                                             HANDLE hChildStdErr)
{
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdOutput = hChildStdOut;
    si.hStdInput = hChildStdIn;
    si.hStdError = hChildStdErr;

    // CreateProcess may write into the command line, so it gets a copy of its own.
    CString strCommandLine(pszCommandLine);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    const BOOL bCreated =
        ::CreateProcessA(NULL, strCommandLine.GetBuffer(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
    const DWORD dwError = ::GetLastError();
    strCommandLine.ReleaseBuffer();
    if (!bCreated)
    {
        ReportApiError("CExecutor::PrepAndLaunchRedirectedChild::CreateProcess", dwError);
        return FALSE;
    }
    m_hProcess = pi.hProcess;
    CloseHandleChecked(pi.hThread, "CExecutor::PrepAndLaunchRedirectedChild::CloseHandle");
    return TRUE;
}

DWORD WINAPI CExecutor::ReaderThreadEntry(LPVOID pParam)
{
    // Nothing may unwind out of a thread entry.
    try
    {
        static_cast<CExecutor*>(pParam)->ReadAndHandleOutput();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return 0;
}

void CExecutor::ReadAndHandleOutput()
{
    BYTE buffer[kReadChunk];
    BOOL bKeep = TRUE;
    for (;;)
    {
        DWORD dwRead = 0;
        if (!::ReadFile(m_hOutputRead, buffer, kReadChunk, &dwRead, NULL))
        {
            const DWORD dwError = ::GetLastError();
            if (dwError != ERROR_BROKEN_PIPE)
            {
                m_readerErrorSteps.Add("CExecutor::ReadAndHandleOutput::ReadFile");
                m_readerErrorCodes.Add(dwError);
            }
            break;
        }
        if (dwRead == 0)
            break;
        // Out of memory: keep draining the pipe so the child can finish, but keep nothing more.
        if (bKeep)
        {
            try
            {
                m_output.Write(buffer, dwRead);
            }
            catch (CException* e)
            {
                e->Delete();
                bKeep = FALSE;
            }
        }
    }
    if (m_hOutputRead != NULL && !::CloseHandle(m_hOutputRead))
    {
        m_readerErrorSteps.Add("CExecutor::ReadAndHandleOutput::CloseHandle");
        m_readerErrorCodes.Add(::GetLastError());
    }
    m_hOutputRead = NULL;
}

void CExecutor::WriteInput(CFile* pInput)
{
    if (pInput == NULL)
        return;
    try
    {
        const ULONGLONG nLength = pInput->GetLength();
        if (nLength == 0 || nLength > 0x7FFFFFFF)
            return;
        CByteArray data;
        data.SetSize((INT_PTR)nLength);
        pInput->SeekToBegin();
        const UINT nRead = pInput->Read(data.GetData(), (UINT)nLength);
        WriteWriteFile(data.GetData(), nRead);
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

BOOL CExecutor::WriteWriteFile(const void* pData, DWORD nCount)
{
    DWORD dwWritten = 0;
    if (m_hInputWrite != NULL && ::WriteFile(m_hInputWrite, pData, nCount, &dwWritten, NULL))
        return TRUE;
    const DWORD dwError = m_hInputWrite == NULL ? ERROR_INVALID_HANDLE : ::GetLastError();
    // The child closing its input is no error worth a message.
    if (dwError != ERROR_NO_DATA && dwError != ERROR_BROKEN_PIPE)
        ReportApiError("CExecutor::WriteWriteFile", dwError);
    return FALSE;
}

void CExecutor::WaitForReader()
{
    if (m_hThread == NULL)
        return;
    if (::WaitForSingleObject(m_hThread, INFINITE) == WAIT_FAILED)
        ReportApiError("CExecutor::Close::WaitForSingleObject", ::GetLastError());
    CloseHandleChecked(m_hThread, "CExecutor::Close::CloseHandle");
}

void CExecutor::WaitForChild()
{
    if (m_hProcess == NULL)
        return;
    if (::WaitForSingleObject(m_hProcess, INFINITE) == WAIT_FAILED)
        ReportApiError("CExecutor::Close::WaitForSingleObject", ::GetLastError());
    if (!::GetExitCodeProcess(m_hProcess, &m_dwExitCode))
        m_dwExitCode = (DWORD)-1;
    CloseHandleChecked(m_hProcess, "CExecutor::Close::CloseHandle");
}

CString CExecutor::GetOutput() const
{
    CMemFile& output = const_cast<CMemFile&>(m_output);
    const ULONGLONG nLength = output.GetLength();
    CString strOutput;
    if (nLength == 0)
        return strOutput;
    LPSTR pBuffer = strOutput.GetBuffer((int)nLength);
    output.SeekToBegin();
    const UINT nRead = output.Read(pBuffer, (UINT)nLength);
    pBuffer[nRead] = 0;
    strOutput.ReleaseBuffer(); // up to the first NUL byte
    return strOutput;
}

CString CExecutor::GetWholeOutput() const
{
    CMemFile& output = const_cast<CMemFile&>(m_output);
    const int nLength = (int)output.GetLength();
    CString strOutput;
    if (nLength == 0)
        return strOutput;
    LPSTR pBuffer = strOutput.GetBuffer(nLength);
    output.SeekToBegin();
    const UINT nRead = output.Read(pBuffer, (UINT)nLength);
    strOutput.ReleaseBuffer((int)nRead);
    return strOutput;
}

BOOL CExecutor::RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode)
{
    const BOOL bStarted = Execute(pszCommandLine);
    strOutput = GetWholeOutput();
    dwExitCode = m_dwExitCode;
    return bStarted;
}
