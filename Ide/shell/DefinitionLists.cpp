#include "DefinitionLists.h"
#include "CTextFile.h"
#include "CWordList.h"
#include "PathUtil.h"
#include "COutline.h"

#include <string.h>

BOOL LoadUserWordFile(LPCTSTR pszPath, CString (&words)[USER_WORD_CLASSES])
{
    CTextFile file;
    if (!file.Open(pszPath, TRUE, FALSE))
        return FALSE;

    // Headers must come in order, each one above the last: "[UserWords1]" first. One out
    // of order ends the file; what was read before it stays.
    int nClass = 0; // 1..7 once a header was read
    CString strLine;
    while (file.Line(strLine))
    {
        if (strLine.IsEmpty() || strLine[0] == '#' || strLine == "[End]")
            continue;
        int nHeader = 0;
        for (int i = 1; i <= USER_WORD_CLASSES && nHeader == 0; i++)
        {
            CString strHeader;
            strHeader.Format("[UserWords%d]", i);
            if (strLine == strHeader)
                nHeader = i;
        }
        if (nHeader != 0)
        {
            if (nHeader != nClass + 1)
                break;
            nClass = nHeader;
            continue;
        }
        if (nClass == 0)
            continue;
        CString& strWords = words[nClass - 1];
        if (!strWords.IsEmpty())
            strWords += " ";
        strWords += strLine;
    }
    return TRUE;
}

int LoadUserWordLists(LPCTSTR pszFolder, CString (&words)[USER_WORD_CLASSES])
{
    CStringArray paths;
    ListFolderFiles(pszFolder, "*.uwl", paths);
    int nRead = 0;
    for (int i = 0; i < (int)paths.GetSize(); i++)
    {
        if (LoadUserWordFile(paths[i], words))
            nRead++;
    }
    return nRead;
}

// A line "A base B": table A derives from table B (both defined by earlier lines).
static BOOL ParseBaseLine(COutline& outline, COutlineFile* pFile, LPCTSTR pszLine)
{
    CWordList words;
    words.SetText(pszLine);
    if (words.Split(" ") != 3 || strcmp(words.GetWord(1), "base") != 0)
        return FALSE;
    outline.SetTableBase(words.GetWord(0), words.GetWord(2), pFile);
    return TRUE;
}

COutlineFile* LoadFunctionDefinitionFile(LPCTSTR pszPath, COutline& outline)
{
    CTextFile file;
    if (!file.Open(pszPath, TRUE, FALSE))
        return NULL;
    COutlineFile* pFile = outline.AddFile(TitleOfFileName(FileNameOfPath(pszPath)));
    if (pFile == NULL)
        return NULL; // no name, or a list of that name is loaded already
    pFile->m_nFlag = 1;

    CString strLine;
    while (file.Line(strLine))
    {
        COutline::CleanLine(strLine, FALSE);
        if (strLine.IsEmpty() || strLine[0] == '#')
            continue;
        if (!ParseBaseLine(outline, pFile, strLine))
            outline.ParseDefinitionLine(pFile, strLine, FALSE, TRUE);
    }
    return pFile;
}

int LoadFunctionDefinitions(LPCTSTR pszFolder, COutline& outline)
{
    CStringArray paths;
    ListFolderFiles(pszFolder, "*.fdl", paths);
    int nLoaded = 0;
    for (int i = 0; i < (int)paths.GetSize(); i++)
    {
        if (LoadFunctionDefinitionFile(paths[i], outline) != NULL)
            nLoaded++;
    }
    return nLoaded;
}
