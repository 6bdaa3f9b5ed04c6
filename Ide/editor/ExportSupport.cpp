#include "ExportSupport.h"

#include <windows.h>

#include "CExportFile.h"
#include "PathUtil.h"

namespace ExportSupport
{
int RunExport(LPCTSTR pszOutputPath, BOOL bTextMode, IStyledText& text,
              const std::function<void(CExportFile& out)>& write)
{
    CExportFile out;
    if (!out.Open(pszOutputPath, bTextMode))
        return 0;
    text.Colourise();
    write(out);
    return out.Close() ? 1 : 0;
}

int ColourEntryOfStyle(int nStyle)
{
    switch (nStyle)
    {
    case 1:
    case 2:
    case 3:
        return CAppSettings::FandCComment;
    case 4:
        return CAppSettings::FandCNumber;
    case 5:
        return CAppSettings::FandCKeyword;
    case 6:
        return CAppSettings::FandCString;
    case 10:
        return CAppSettings::FandCOperator;
    case 11:
        return CAppSettings::FandCIdentifier;
    case STYLE_DEFAULT:
        return CAppSettings::FandCDefault;
    default:
        if (nStyle >= 13 && nStyle <= 19)
            return CAppSettings::FandCWord2 + (nStyle - 13);
        return NO_ENTRY;
    }
}

CString HtmlColour(int nColour)
{
    CString str;
    str.Format("#%02X%02X%02X", RedOf(nColour), GreenOf(nColour), BlueOf(nColour));
    return str;
}

int FormatDecimal(char* pBuffer, LONGLONG nValue)
{
    char szReversed[24];
    int nCount = 0;
    ULONGLONG nMagnitude = nValue < 0 ? 0ull - static_cast<ULONGLONG>(nValue) : static_cast<ULONGLONG>(nValue);
    do
    {
        szReversed[nCount++] = static_cast<char>('0' + nMagnitude % 10);
        nMagnitude /= 10;
    } while (nMagnitude != 0);
    int nLength = 0;
    if (nValue < 0)
        pBuffer[nLength++] = '-';
    while (nCount > 0)
        pBuffer[nLength++] = szReversed[--nCount];
    return nLength;
}

int TabSize(const CAppSettings& settings, int nFallback)
{
    return settings.m_nEDTabSize > 0 ? settings.m_nEDTabSize : nFallback;
}

CString DefaultExportPath(const CString& strDocumentPath)
{
    const CString strName = FileNameOfPath(strDocumentPath);
    const int nDot = strName.ReverseFind('.');
    if (nDot <= 0)
        return strDocumentPath;
    return DirectoryOfPath(strDocumentPath) + strName.Left(nDot);
}

int CodePointOfBytes(const char* pBytes, int nCount)
{
    WCHAR wc[2];
    if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pBytes, nCount, wc, 2) != 1)
        return 0xFFFD;
    return wc[0];
}

int CodePointAt(IStyledText& text, int nPos, int nLength, int& nBytes)
{
    char bytes[2];
    bytes[0] = static_cast<char>(text.GetCharAt(nPos));
    nBytes = 1;
    if (::IsDBCSLeadByte(static_cast<BYTE>(bytes[0])) && nPos + 1 < nLength)
    {
        bytes[1] = static_cast<char>(text.GetCharAt(nPos + 1));
        // A lead byte before a line end stands alone: the line end is no trail byte.
        if (bytes[1] != '\r' && bytes[1] != '\n')
            nBytes = 2;
    }
    return CodePointOfBytes(bytes, nBytes);
}

void AppendXmlEscaped(CString& strOut, LPCTSTR pszText, BOOL bAttribute)
{
    const int nLength = static_cast<int>(strlen(pszText));
    for (int i = 0; i < nLength; i++)
    {
        const BYTE b = static_cast<BYTE>(pszText[i]);
        switch (b)
        {
        case '&':
            strOut += "&amp;";
            continue;
        case '<':
            strOut += "&lt;";
            continue;
        case '>':
            strOut += "&gt;";
            continue;
        case '\'':
            strOut += bAttribute ? "&apos;" : "'";
            continue;
        case '"':
            strOut += bAttribute ? "&quot;" : "\"";
            continue;
        }
        if (b >= 0x20 && b < 0x80)
        {
            strOut += static_cast<char>(b);
            continue;
        }
        if (b < 0x20)
            continue; // no path or name holds these, and XML allows none of them
        int nBytes = ::IsDBCSLeadByte(b) && i + 1 < nLength ? 2 : 1;
        CString strRef;
        strRef.Format("&#%d;", CodePointOfBytes(pszText + i, nBytes));
        strOut += strRef;
        i += nBytes - 1;
    }
}
}
