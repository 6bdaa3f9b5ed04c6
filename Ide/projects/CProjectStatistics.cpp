#include "CProjectStatistics.h"

#include "COutlineFile.h"
#include "CProject.h"

CProjectStatistics::CProjectStatistics()
    : m_nFiles(0),
      m_nLines(0),
      m_nGlobalFunctions(0),
      m_nLocalFunctions(0),
      m_nTableMemberFunctions(0),
      m_nTables(0),
      m_nGlobalVariables(0)
{
}

void CProjectStatistics::Collect(const CProject& project)
{
    *this = CProjectStatistics();
    m_nFiles = project.GetFileCount();
    for (int i = 0; i < project.GetFileCount(); i++)
    {
        CProjectFileEntry* pEntry = project.GetFileAt(i);
        int nLines = 0;
        if (CountFileLines(pEntry->GetPath(), nLines))
            m_nLines += nLines;
        const COutlineFile* pFile = pEntry->GetOutlineFile();
        if (pFile == NULL || pFile->m_nFlag != 0)
            continue;
        for (int n = 0; n < pFile->GetFunctionCount(); n++)
        {
            const COutlineFunction* pFunction = pFile->GetFunction(n);
            if (pFunction->m_pParentTable != NULL)
                m_nTableMemberFunctions++;
            else if (pFunction->IsLocal())
                m_nLocalFunctions++;
            else
                m_nGlobalFunctions++;
        }
        for (int n = 0; n < pFile->GetVariableCount(); n++)
        {
            const COutlineVariable* pVariable = pFile->GetVariable(n);
            if (pVariable->m_pParentTable == NULL && !pVariable->IsLocal())
                m_nGlobalVariables++;
        }
        m_nTables += pFile->GetTableCount();
    }
}

BOOL CProjectStatistics::CountFileLines(LPCTSTR pszPath, int& nLines)
{
    nLines = 0;
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    int nEnds = 0;
    // A CR that ended the last chunk: an LF starting the next one belongs to it.
    bool bAfterCR = false;
    char buffer[4096];
    DWORD dwRead = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL) && dwRead > 0)
    {
        for (DWORD i = 0; i < dwRead; i++)
        {
            const char ch = buffer[i];
            if (ch == '\r')
                nEnds++;
            else if (ch == '\n' && !bAfterCR)
                nEnds++;
            bAfterCR = ch == '\r';
        }
    }
    ::CloseHandle(hFile);
    nLines = nEnds + 1;
    return TRUE;
}

CString CProjectStatistics::Unit(int nCount, LPCTSTR pszSingular, LPCTSTR pszPlural)
{
    return nCount == 1 ? pszSingular : pszPlural;
}
