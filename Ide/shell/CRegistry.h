// CRegistry: registry keys addressed by full textual paths that begin with a root name
// ("HKEY_CLASSES_ROOT\.lua"), and the one file-type association the IDE writes for
// itself: an extension, its type with the program's icon and its open command.
#pragma once

#include <afx.h>

class CRegistry
{
public:
    // The folder (without a trailing backslash) and file name of the program that opens
    // the type, and the name of the shell file type the extensions are registered under.
    CRegistry(LPCTSTR pszProgramFolder, LPCTSTR pszProgramFileName, LPCTSTR pszTypeName);

    // The answer of GetValue when the value cannot be read.
    static const char kRegistryError[];

    // "HKEY_<root>[\sub\key]" into the root's handle and the sub-key ("" for a root
    // alone). FALSE for a path without the "HKEY_" prefix, one that ends with a
    // backslash, and a root name that is not one of the system's.
    static BOOL SplitKeyPath(LPCTSTR pszPath, HKEY& hRoot, CString& strSubKey);
    // The key's default value; kRegistryError when the key is missing, the value is
    // not a string or it is longer than 255 bytes with its terminating zero.
    static CString GetValue(LPCTSTR pszKeyPath);
    // Sets the default value of an existing key as a string with its terminating zero.
    static BOOL SetValue(LPCTSTR pszKeyPath, LPCTSTR pszValue);
    // Creates the key, or opens it when it exists.
    static BOOL CreateKey(LPCTSTR pszKeyPath);

    // ".lua" and its description: the extension names the type, whose icon and open
    // command are the program's. FALSE for an extension that is not safe to hand to
    // the program, and when a step fails (what earlier steps wrote stays).
    BOOL RegisterFileType(LPCTSTR pszExtension, LPCTSTR pszDescription);

    // "." followed by 1-16 letters, digits, "_" or "-", and not a type the system runs
    // or opens itself (programs, scripts, shortcuts, installers...), ignoring case.
    static BOOL IsSafeExtension(LPCTSTR pszExtension);

    // The program's folder, "\" and its file name, lower-cased.
    CString GetProgramPath() const;
    const CString& GetTypeName() const { return m_strTypeName; }

private:
    CString m_strProgramFolder;
    CString m_strProgramFileName;
    CString m_strTypeName;
};
