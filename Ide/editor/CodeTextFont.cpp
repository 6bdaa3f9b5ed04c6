#include "CodeTextFont.h"

#include "CAppSettings.h"
#include "IEditorHost.h"

#include <string.h>

namespace
{
const char* const kFixedPitchFaces[] = { "Courier New", "Courier", "Lucida Console" };

// Called by the system: throws nothing. The first family found ends the enumeration.
int CALLBACK NoteFamilyFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<BOOL*>(lParam) = TRUE;
    return 0;
}

CString SystemFixedFace()
{
    LOGFONTA logFont;
    memset(&logFont, 0, sizeof(logFont));
    HGDIOBJ hFont = ::GetStockObject(SYSTEM_FIXED_FONT);
    if (hFont == NULL || ::GetObjectA(hFont, sizeof(logFont), &logFont) == 0)
        return CString();
    return logFont.lfFaceName;
}
} // namespace

BOOL IsFontFaceInstalled(LPCTSTR pszFace)
{
    if (pszFace == NULL || pszFace[0] == '\0' || lstrlenA(pszFace) >= LF_FACESIZE)
        return FALSE;
    LOGFONTA logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, pszFace, LF_FACESIZE);
    BOOL bFound = FALSE;
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;
    ::EnumFontFamiliesExA(hDC, &logFont, NoteFamilyFound, (LPARAM)&bFound, 0);
    ::ReleaseDC(NULL, hDC);
    return bFound;
}

CString GetInstalledCodeFace(LPCTSTR pszConfigured)
{
    if (IsFontFaceInstalled(pszConfigured))
        return pszConfigured;
    for (const char* pszFace : kFixedPitchFaces)
    {
        if (IsFontFaceInstalled(pszFace))
            return pszFace;
    }
    return SystemFixedFace();
}

void UseCodeTextFont(CWnd& control, CFont& font)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    CFont* pDialogFont = control.GetFont();
    if (pDialogFont == NULL || pDialogFont->GetObject(sizeof(logFont), &logFont) == 0)
        logFont.lfHeight = -12;
    const CString strFace = GetInstalledCodeFace(IEditorHost::Get().GetSettings().m_strFandCFont);
    lstrcpynA(logFont.lfFaceName, strFace, LF_FACESIZE);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfItalic = FALSE;
    logFont.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    if (font.CreateFontIndirect(&logFont))
        control.SetFont(&font);
}
