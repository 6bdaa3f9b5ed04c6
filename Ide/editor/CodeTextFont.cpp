#include "CodeTextFont.h"

#include "CAppSettings.h"
#include "IEditorHost.h"

#include <string.h>

void UseCodeTextFont(CWnd& control, CFont& font)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    CFont* pDialogFont = control.GetFont();
    if (pDialogFont == NULL || pDialogFont->GetObject(sizeof(logFont), &logFont) == 0)
        logFont.lfHeight = -12;
    const CString& strFace = IEditorHost::Get().GetSettings().m_strFandCFont;
    lstrcpynA(logFont.lfFaceName, strFace.IsEmpty() ? "Courier New" : strFace.GetString(), LF_FACESIZE);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfItalic = FALSE;
    logFont.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    if (font.CreateFontIndirect(&logFont))
        control.SetFont(&font);
}
