#include "CCodeSnippetList.h"

#include "ArrayUtil.h"
#include "CCodeSnippet.h"
#include "PathUtil.h"

namespace
{
const char kSnippetExtension[] = ".vcs";

BOOL IsDeviceName(CString strBase)
{
    strBase.TrimRight(" ");
    strBase.MakeUpper();
    static const char* const kDevices[] = { "CON", "PRN", "AUX", "NUL" };
    for (const char* pszDevice : kDevices)
    {
        if (strBase == pszDevice)
            return TRUE;
    }
    // COM1-9 and LPT1-9.
    return strBase.GetLength() == 4 && (strBase.Left(3) == "COM" || strBase.Left(3) == "LPT") &&
           strBase[3] >= '1' && strBase[3] <= '9';
}
} // namespace

CCodeSnippetList::CCodeSnippetList()
{
}

CCodeSnippetList::~CCodeSnippetList()
{
    RemoveAll();
}

void CCodeSnippetList::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++)
        delete GetAt(i);
    m_snippets.RemoveAll();
}

CCodeSnippet* CCodeSnippetList::FindByName(LPCTSTR pszName) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i)->GetName() == pszName)
            return GetAt(i);
    }
    return NULL;
}

CCodeSnippet* CCodeSnippetList::FindByPath(LPCTSTR pszFileName) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (CompareNameNoCase(GetAt(i)->GetFileName(), pszFileName) == 0)
            return GetAt(i);
    }
    return NULL;
}

CCodeSnippet* CCodeSnippetList::FindByFavourite(int nIndex) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i)->m_nFavourite == nIndex)
            return GetAt(i);
    }
    return NULL;
}

CCodeSnippet* CCodeSnippetList::NextFavourite(int nAfter) const
{
    CCodeSnippet* pNext = NULL;
    for (int i = 0; i < GetCount(); i++)
    {
        CCodeSnippet* pSnippet = GetAt(i);
        if (pSnippet->m_nFavourite > nAfter && (pNext == NULL || pSnippet->m_nFavourite < pNext->m_nFavourite))
            pNext = pSnippet;
    }
    return pNext;
}

CCodeSnippet* CCodeSnippetList::Add(LPCTSTR pszName, LPCTSTR pszFileName)
{
    if (*pszName == 0 || *pszFileName == 0 || FindByName(pszName) != NULL || FindByPath(pszFileName) != NULL)
        return NULL;
    CCodeSnippet* pSnippet = new CCodeSnippet;
    pSnippet->SetName(pszName);
    pSnippet->SetFileName(pszFileName);
    m_snippets.Add(pSnippet);
    return pSnippet;
}

void CCodeSnippetList::LoadFolder(LPCTSTR pszFolder)
{
    const CString strFolder = WithTrailingBackslash(pszFolder);
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strFolder + "*" + kSnippetExtension, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CCodeSnippet* pSnippet = new CCodeSnippet;
        if (pSnippet->Load(strFolder, data.cFileName))
            m_snippets.Add(pSnippet);
        else
            delete pSnippet;
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
}

BOOL CCodeSnippetList::SaveAll(LPCTSTR pszFolder, CString* pstrFailures)
{
    const CString strFolder = WithTrailingBackslash(pszFolder);
    BOOL bFolderMade = FALSE;
    BOOL bAllSaved = TRUE;
    for (int i = 0; i < GetCount(); i++)
    {
        CCodeSnippet* pSnippet = GetAt(i);
        if (pSnippet->m_nModified == 0)
            continue;
        // The folder may never have existed: the first snippet of a new user.
        if (!bFolderMade)
            bFolderMade = CreateDirectoryPath(strFolder);
        if (pSnippet->Save(strFolder))
            continue;
        bAllSaved = FALSE;
        if (pstrFailures != NULL)
        {
            CString strLine;
            strLine.Format("Failed to save Code Snippet '%s' to %s.", pSnippet->GetName().GetString(),
                           (strFolder + pSnippet->GetFileName()).GetString());
            if (!pstrFailures->IsEmpty())
                *pstrFailures += "\n";
            *pstrFailures += strLine;
        }
    }
    return bAllSaved;
}

void CCodeSnippetList::AssignFavourites(const CString* pNames, int nCount)
{
    int nNext = 0;
    for (int i = 0; i < nCount; i++)
    {
        CCodeSnippet* pSnippet = pNames[i].IsEmpty() ? NULL : FindByName(pNames[i]);
        if (pSnippet != NULL && pSnippet->m_nFavourite < 0)
            pSnippet->m_nFavourite = nNext++;
    }
}

void CCodeSnippetList::GetFavouriteNames(CString* pSlots, int nCount) const
{
    int nSlot = 0;
    for (CCodeSnippet* pFavourite = NextFavourite(-1); pFavourite != NULL && nSlot < nCount;
         pFavourite = NextFavourite(pFavourite->m_nFavourite))
        pSlots[nSlot++] = pFavourite->GetName();
    for (; nSlot < nCount; nSlot++)
        pSlots[nSlot].Empty();
}

BOOL CCodeSnippetList::IsValidFileTitle(LPCTSTR pszTitle, LPCTSTR pszFolder)
{
    const CString strTitle(pszTitle);
    const int nLength = strTitle.GetLength();
    if (nLength == 0 || strTitle.Find("..") >= 0)
        return FALSE;
    for (int i = 0; i < nLength; i++)
    {
        const unsigned char ch = (unsigned char)strTitle[i];
        if (ch < 0x20 || strchr("\\/:*?\"<>|", ch) != NULL)
            return FALSE;
    }
    const char chFirst = strTitle[0];
    const char chLast = strTitle[nLength - 1];
    if (chFirst == ' ' || chFirst == '.' || chLast == ' ' || chLast == '.')
        return FALSE;
    const int nDot = strTitle.Find('.');
    if (IsDeviceName(nDot < 0 ? strTitle : strTitle.Left(nDot)))
        return FALSE;
    return (WithTrailingBackslash(pszFolder) + strTitle + kSnippetExtension).GetLength() < MAX_PATH;
}
