// CExternalToolMacros: the values a tool's argument macros stand for in one run, taken
// from the program, the open project and the active document, and their expansion.
#pragma once

#include <afx.h>

class CProject;
class CProjectFileEntry;

class CExternalToolMacros
{
public:
    // Every value is empty until set.
    CExternalToolMacros() {}

    // $(VornDir): ends with "\".
    void SetProgramDirectory(LPCTSTR pszDirectory);
    // $(ProjectName), $(ProjectDir) (ends with "\"), $(ProjectPath) and
    // $(ProjectFileName): the project file's path and its name.
    void SetProject(LPCTSTR pszName, LPCTSTR pszDirectory);
    void SetProject(CProject& project);
    // The active document is a file of the project: the entry's name, path and extension
    // (with its dot), and its output file, path and the project's output directory.
    void SetProjectFile(const CProjectFileEntry& entry);
    // The active document is no file of the project: its path, name and extension
    // (without the dot); no output values.
    void SetDocumentPath(LPCTSTR pszPath);

    // Replaces each macro's occurrences in one left-to-right pass, in a fixed order;
    // a later macro sees the text an earlier one inserted. Exact and case-sensitive.
    CString Expand(LPCTSTR pszArguments) const;

    CString m_strFileName;
    CString m_strFilePath;
    CString m_strFileExt;
    CString m_strOutputFileName;
    CString m_strOutputPath;
    CString m_strOutputDir;
    CString m_strProjectName;
    CString m_strProjectFileName;
    CString m_strProjectPath;
    CString m_strProjectDir;
    CString m_strVornDir;
};
