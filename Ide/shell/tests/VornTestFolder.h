// Helpers for tests that work on real files: a fresh temporary folder per test, and
// small file readers and writers that fail the test loudly.
#pragma once

#include <afx.h>
#include <gtest/gtest.h>
#include <mbctype.h>

#include "RemoveFileTree.h"

#include <string>

// A new empty folder under the system's temporary folder, removed with everything in
// it when the object goes. Path() ends with "\".
class CTestFolder
{
public:
    CTestFolder()
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        static LONG s_nCounter = 0;
        m_strPath.Format("%svorn_%lu_%ld\\", szTemp, ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nCounter));
        RemoveTree(m_strPath);
        ::CreateDirectoryA(m_strPath, NULL);
    }
    ~CTestFolder() { RemoveTree(m_strPath); }

    const CString& Path() const { return m_strPath; }
    CString operator/(LPCTSTR pszName) const { return m_strPath + pszName; }

    static void RemoveTree(const CString& strFolder) { RemoveFileTree(strFolder); }

private:
    CString m_strPath;
};

inline void WriteTestFile(const CString& strPath, const std::string& content)
{
    FILE* pFile = fopen(strPath, "wb");
    ASSERT_TRUE(pFile != NULL) << (LPCTSTR)strPath;
    if (!content.empty())
        fwrite(content.data(), 1, content.size(), pFile);
    fclose(pFile);
}

inline std::string ReadTestFile(const CString& strPath)
{
    std::string content;
    FILE* pFile = fopen(strPath, "rb");
    if (pFile == NULL)
        return "<missing>";
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        content.append(buffer, n);
    fclose(pFile);
    return content;
}

inline BOOL TestFileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

// The folder of the running test program, ending with "\" (build/tests).
inline CString TestProgramFolder()
{
    char szPath[MAX_PATH];
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath);
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

// The C run-time's multibyte code page set for one test (IsSet() tells whether the
// system has it) and the ANSI code page restored afterwards, however the test ends.
class CTestCodePage
{
public:
    explicit CTestCodePage(int nCodePage) : m_bSet(_setmbcp(nCodePage) == 0) {}
    ~CTestCodePage() { _setmbcp(_MB_CP_ANSI); }
    bool IsSet() const { return m_bSet; }

private:
    bool m_bSet;
};
