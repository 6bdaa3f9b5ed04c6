// CExtRegistryArchive: chunked registry values, the checksum and the key path.
#include "CExtRegistryArchive.h"

#include <algorithm>
#include <vector>

namespace
{
const UINT nChunkSize = 16;
const UINT nChunksPerBlock = 128;
const char szDataSize[] = "data_size";
const char szIntegrity[] = "data_integrity";
const char szGenerator[] = "data_generator";
const char szCommandSection[] = "CommandManager";
const char szBarStateSection[] = "ControlBar";
// The largest stream kept: far above any layout or profile, far below harm.
const DWORD nMaxStreamSize = 4 * 1024 * 1024;
// "XX XX ... XX": 16 bytes in hexadecimal separated by blanks.
const DWORD nChecksumLength = 47;

CString ChunkValueName(UINT nChunk)
{
    CString strName;
    strName.Format("data_0x%08lX", (unsigned long)nChunk);
    return strName;
}

CString BlockKeyName(UINT nChunk)
{
    CString strName;
    strName.Format("block_0x%08lX", (unsigned long)(nChunk / nChunksPerBlock));
    return strName;
}

// Deletes a key with all its subkeys, deepest first.
void DeleteKeyTree(HKEY hKeyParent, LPCTSTR lpszKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(hKeyParent, lpszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    DWORD nSubKeys = 0;
    ::RegQueryInfoKey(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    for (DWORD i = nSubKeys; i > 0; i--)
    {
        char szName[256];
        DWORD cchName = sizeof(szName);
        if (::RegEnumKeyEx(hKey, i - 1, szName, &cchName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            DeleteKeyTree(hKey, szName);
    }
    ::RegCloseKey(hKey);
    ::RegDeleteKey(hKeyParent, lpszKey);
}

bool WriteString(HKEY hKey, LPCTSTR lpszName, const CString& strValue)
{
    return ::RegSetValueEx(hKey, lpszName, 0, REG_SZ, (const BYTE*)(LPCTSTR)strValue,
                           (DWORD)strValue.GetLength() + 1) == ERROR_SUCCESS;
}

// A REG_BINARY value of at most cbCapacity bytes.
bool ReadBinary(HKEY hKey, LPCTSTR lpszName, BYTE* pBuffer, DWORD cbCapacity, DWORD& cbRead)
{
    DWORD dwType = 0;
    cbRead = cbCapacity;
    return ::RegQueryValueEx(hKey, lpszName, NULL, &dwType, pBuffer, &cbRead) == ERROR_SUCCESS &&
           dwType == REG_BINARY;
}

class CRegKey
{
public:
    CRegKey() : m_hKey(NULL) {}
    ~CRegKey() { Close(); }
    bool Open(HKEY hParent, LPCTSTR lpszName, bool bCreate)
    {
        Close();
        if (bCreate)
            return ::RegCreateKeyEx(hParent, lpszName, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL) == ERROR_SUCCESS;
        return ::RegOpenKeyEx(hParent, lpszName, 0, KEY_READ, &m_hKey) == ERROR_SUCCESS;
    }
    void Close()
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
        m_hKey = NULL;
    }
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
};
}

CExtRegistryArchive::CChecksum::CChecksum()
    : m_nLane(0)
{
    memset(m_arrLanes, 0, sizeof(m_arrLanes));
}

void CExtRegistryArchive::CChecksum::Add(const BYTE* pData, UINT nCount)
{
    for (UINT i = 0; i < nCount; i++)
    {
        DWORD& h = m_arrLanes[m_nLane];
        h = (h << 4) + pData[i];
        DWORD g = h & 0xF0000000;
        if (g != 0)
            h = h ^ (g >> 24) ^ g;
        m_nLane = (m_nLane + 1) % 4;
    }
}

CString CExtRegistryArchive::CChecksum::GetText() const
{
    CString strText;
    for (int i = 0; i < 4; i++)
    {
        const DWORD h = m_arrLanes[i];
        CString strLane;
        strLane.Format("%s%02X %02X %02X %02X", i == 0 ? "" : " ", (unsigned)(h >> 24) & 0xFF, (unsigned)(h >> 16) & 0xFF,
                       (unsigned)(h >> 8) & 0xFF, (unsigned)h & 0xFF);
        strText += strLane;
    }
    return strText;
}

DWORD CExtRegistryArchive::GetLibraryVersion(bool bShort)
{
    return bShort ? 0x202 : 0x02020301;
}

CString CExtRegistryArchive::GetLibraryVersionString(char chSeparator)
{
    const DWORD dw = GetLibraryVersion(false);
    CString strText;
    strText.Format("%d%c%d%c%d%c%d", (int)(dw >> 24) & 0xFF, chSeparator, (int)(dw >> 16) & 0xFF, chSeparator,
                   (int)(dw >> 8) & 0xFF, chSeparator, (int)dw & 0xFF);
    return strText;
}

CString CExtRegistryArchive::BuildProfilePath(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                              LPCTSTR lpszProfileName, LPCTSTR lpszSection)
{
    CString strPath;
    strPath.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s", lpszRegistryKey != NULL ? lpszRegistryKey : "",
                   lpszProductKey != NULL ? lpszProductKey : "", "Ulvane223", "Profiles",
                   lpszProfileName != NULL ? lpszProfileName : "", lpszSection != NULL ? lpszSection : "");
    for (char ch : {'\r', '\t', '\n', '?', '*'})
        strPath.Replace(ch, '_');
    return strPath;
}

CString CExtRegistryArchive::BuildBarStatePath(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                               LPCTSTR lpszProfileName)
{
    return BuildProfilePath(lpszRegistryKey, lpszProductKey, lpszProfileName, szBarStateSection);
}

bool CExtRegistryArchive::SaveProfileSection(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                             LPCTSTR lpszProfileName, CFile& fileSource)
{
    return Save(fileSource, BuildProfilePath(lpszRegistryKey, lpszProductKey, lpszProfileName, szCommandSection));
}

bool CExtRegistryArchive::LoadProfileSection(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                             LPCTSTR lpszProfileName, CFile& fileTarget)
{
    return Load(fileTarget, BuildProfilePath(lpszRegistryKey, lpszProductKey, lpszProfileName, szCommandSection));
}

bool CExtRegistryArchive::Save(CFile& fileSource, LPCTSTR lpszPath)
{
    // The whole stream is in memory, and within the limit, before the old key goes.
    fileSource.SeekToBegin();
    const ULONGLONG nLength = fileSource.GetLength();
    if (nLength > nMaxStreamSize)
        return false;
    std::vector<BYTE> stream((size_t)nLength);
    if (!stream.empty() && fileSource.Read(&stream[0], (UINT)stream.size()) != (UINT)stream.size())
        return false;
    const DWORD dwSize = (DWORD)stream.size();

    DeleteKeyTree(HKEY_CURRENT_USER, lpszPath);
    CRegKey key;
    if (!key.Open(HKEY_CURRENT_USER, lpszPath, true))
        return false;
    if (::RegSetValueEx(key, szDataSize, 0, REG_DWORD, (const BYTE*)&dwSize, sizeof(dwSize)) != ERROR_SUCCESS)
        return false;
    CChecksum checksum;
    CRegKey block;
    for (UINT nChunk = 0; (size_t)nChunk * nChunkSize < stream.size(); nChunk++)
    {
        const BYTE* pChunk = &stream[(size_t)nChunk * nChunkSize];
        const UINT nBytes = (UINT)std::min<size_t>(nChunkSize, stream.size() - (size_t)nChunk * nChunkSize);
        // One block subkey holds 128 chunks; it is opened once for them.
        if (nChunk % nChunksPerBlock == 0 && !block.Open(key, BlockKeyName(nChunk), true))
            return false;
        if (::RegSetValueEx(block, ChunkValueName(nChunk), 0, REG_BINARY, pChunk, nBytes) != ERROR_SUCCESS)
            return false;
        checksum.Add(pChunk, nBytes);
    }
    block.Close();
    if (!WriteString(key, szIntegrity, checksum.GetText()))
        return false;
    WriteString(key, szGenerator, "Ulvane v. " + GetLibraryVersionString('.') + " registry archiver");
    return true;
}

bool CExtRegistryArchive::Load(CFile& fileTarget, LPCTSTR lpszPath)
{
    // A refused load leaves the target as it found it.
    const ULONGLONG nOriginalLength = fileTarget.GetLength();
    if (LoadChunks(fileTarget, lpszPath))
    {
        fileTarget.SeekToBegin();
        return true;
    }
    fileTarget.SetLength(nOriginalLength);
    return false;
}

bool CExtRegistryArchive::LoadChunks(CFile& fileTarget, LPCTSTR lpszPath)
{
    CRegKey key;
    if (!key.Open(HKEY_CURRENT_USER, lpszPath, false))
        return false;
    DWORD dwType = 0, dwSize = 0, cbSize = sizeof(dwSize);
    if (::RegQueryValueEx(key, szDataSize, NULL, &dwType, (BYTE*)&dwSize, &cbSize) != ERROR_SUCCESS ||
        dwType != REG_DWORD || cbSize != sizeof(dwSize))
        return false;
    // The registry is anybody's to change: a size past the limit is refused before
    // anything is read, and the file grows only by the chunks that arrive.
    if (dwSize > nMaxStreamSize)
        return false;
    if (dwSize == 0)
        return true;
    fileTarget.SeekToEnd();
    CChecksum checksum;
    CRegKey block;
    DWORD dwDone = 0;
    for (UINT nChunk = 0; dwDone < dwSize; nChunk++)
    {
        const DWORD cbExpected = dwSize - dwDone < nChunkSize ? dwSize - dwDone : nChunkSize;
        if (nChunk % nChunksPerBlock == 0 && !block.Open(key, BlockKeyName(nChunk), false))
            return false;
        BYTE arrChunk[nChunkSize];
        DWORD cbRead = 0;
        // A chunk shorter than it should be is as damaged as a missing one.
        if (!ReadBinary(block, ChunkValueName(nChunk), arrChunk, nChunkSize, cbRead) || cbRead != cbExpected)
            return false;
        fileTarget.Write(arrChunk, cbExpected);
        checksum.Add(arrChunk, cbExpected);
        dwDone += cbExpected;
    }
    block.Close();
    // The stored checksum must be the 47 characters of the computed one exactly.
    const CString strComputed = checksum.GetText();
    char szStored[nChecksumLength + 2];
    DWORD cbStored = nChecksumLength + 1;
    if (::RegQueryValueEx(key, szIntegrity, NULL, &dwType, (BYTE*)szStored, &cbStored) != ERROR_SUCCESS ||
        dwType != REG_SZ || cbStored > nChecksumLength + 1)
        return false;
    szStored[cbStored] = '\0';
    return strlen(szStored) == nChecksumLength && strComputed == szStored;
}
