// CExtRegistryArchive: the bytes of an archive kept in the current user's registry
// under a key of their own: cut into 16-byte binary values, 128 to a block subkey,
// with their total size, a checksum text and a generator banner. A load succeeds
// only when every chunk is there and the checksum matches.
#pragma once

#include <afxwin.h>

class CExtRegistryArchive
{
public:
    // Writes the file's whole content under the key path (HKEY_CURRENT_USER),
    // replacing what the key held. A stream above 4 MiB is refused and the key kept.
    static bool Save(CFile& fileSource, LPCTSTR lpszPath);
    // Appends the stored bytes to the file and rewinds it. On false the file is cut
    // back to the length it had.
    static bool Load(CFile& fileTarget, LPCTSTR lpszPath);

    // "Software\<key>\<product>\Ulvane223\Profiles\<profile>\<section>", with CR, TAB,
    // LF, "?" and "*" made "_".
    static CString BuildProfilePath(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                                    LPCTSTR lpszSection);
    // The path of a frame's bar layout ("ControlBar").
    static CString BuildBarStatePath(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName);
    // A command profile's usage statistics under "CommandManager".
    static bool SaveProfileSection(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                                   CFile& fileSource);
    static bool LoadProfileSection(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                                   CFile& fileTarget);

    // The checksum of a stream: four lanes of the ELF hash, byte i of the stream
    // going to lane i mod 4, shown as 16 bytes in hexadecimal separated by blanks.
    class CChecksum
    {
    public:
        CChecksum();
        void Add(const BYTE* pData, UINT nCount);
        CString GetText() const;

    private:
        DWORD m_arrLanes[4];
        UINT m_nLane;
    };

    // The library's version: 0x02020301 (long) or 0x202 (short, the streams' version).
    static DWORD GetLibraryVersion(bool bShort = false);
    // The long version's four bytes in decimal, joined by chSeparator.
    static CString GetLibraryVersionString(char chSeparator = '.');

private:
    static bool LoadChunks(CFile& fileTarget, LPCTSTR lpszPath);
};
