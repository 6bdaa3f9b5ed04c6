// What the four exporters share: the colour entry of each Lua style, colour parts, tab
// stops, and the reading of one character (a double-byte pair is one) for the formats
// that write characters above 0x7F as references to their code points.
#pragma once

#include <afx.h>

#include <functional>

#include <Scintilla.h>

#include "CAppSettings.h"
#include "IStyledText.h"

class CExportFile;

namespace ExportSupport
{
// Styles without a Fonts and Colors entry. Scintilla's STYLE_DEFAULT (32) is the one
// the Default entry colours.
const int NO_ENTRY = -1;

// What every writer does around its own work: opens the target (nothing else happens
// when that fails), restyles the text, lets the writer write, and replaces the target
// only when every write succeeded. Returns 1 or 0, as the export commands expect.
int RunExport(LPCTSTR pszOutputPath, BOOL bTextMode, IStyledText& text,
              const std::function<void(CExportFile& out)>& write);

// The Fonts and Colors entry (CAppSettings::FandCStyle) of a Lua lexer style, or
// NO_ENTRY for styles the settings do not colour.
int ColourEntryOfStyle(int nStyle);

// Components of a colour stored as 0x00BBGGRR.
inline int RedOf(int nColour) { return nColour & 0xFF; }
inline int GreenOf(int nColour) { return (nColour >> 8) & 0xFF; }
inline int BlueOf(int nColour) { return (nColour >> 16) & 0xFF; }
// "#RRGGBB" in upper-case hexadecimal.
CString HtmlColour(int nColour);

// Writes the decimal digits (and sign) of the number without the C run-time, which
// formats by the locale; returns their count. The buffer holds 24 bytes at least.
int FormatDecimal(char* pBuffer, LONGLONG nValue);

// The tab stop distance: the setting, or nFallback when it is not positive (no writer
// divides by a zero tab size).
int TabSize(const CAppSettings& settings, int nFallback);
// Blanks from the column to the next tab stop.
inline int BlanksToTabStop(int nColumn, int nTabSize) { return nTabSize - nColumn % nTabSize; }

// The code point of one character of the ANSI code page (one byte, or a lead byte
// and its trail byte); U+FFFD when the code page cannot convert it.
int CodePointOfBytes(const char* pBytes, int nCount);
// The code point of the character at the position (a lead byte and its trail byte
// are one character of the ANSI code page); nBytes receives its length in bytes.
// U+FFFD for bytes the code page cannot convert.
int CodePointAt(IStyledText& text, int nPos, int nLength, int& nBytes);
// The name the export commands offer: the document's path without the extension of
// its file name. "C:\my.dir\file" and ".luarc" have none and stay whole.
CString DefaultExportPath(const CString& strDocumentPath);

// Appends "&#N;" for each character of the ANSI text that is not printable ASCII and
// escapes & < > and, with bAttribute, ' and ", so the text can go into XML in any
// encoding.
void AppendXmlEscaped(CString& strOut, LPCTSTR pszText, BOOL bAttribute);
}
