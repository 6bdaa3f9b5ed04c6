#include "CFontsAndColorsPg.h"

#include "CVornApp.h"
#include "CodeTextFont.h"
#include "TrueTypeFontNames.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CFontsAndColorsPg, CPreferencesPage)

BEGIN_MESSAGE_MAP(CFontsAndColorsPg, CPreferencesPage)
    ON_LBN_SELCHANGE(IDC_PREFS_DISPLAY_ITEMS, CFontsAndColorsPg::OnSelectDisplayItem)
    ON_BN_CLICKED(IDC_PREFS_FORE_CUSTOM, CFontsAndColorsPg::OnForeCustom)
    ON_BN_CLICKED(IDC_PREFS_BACK_CUSTOM, CFontsAndColorsPg::OnBackCustom)
    ON_BN_CLICKED(IDC_PREFS_BOLD, CFontsAndColorsPg::OnBold)
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// The list shows Identifier before Operator, the settings keep them the other way
// round: items find their style by name, never by position.
struct CDisplayItem
{
    LPCTSTR pszText;
    int nStyle;
};

const CDisplayItem kDisplayItems[CFontsAndColorsPg::DISPLAY_ITEM_COUNT] = {
    { "Default", CAppSettings::FandCDefault },     { "Keyword", CAppSettings::FandCKeyword },
    { "Comment", CAppSettings::FandCComment },     { "Number", CAppSettings::FandCNumber },
    { "String", CAppSettings::FandCString },       { "Identifier", CAppSettings::FandCIdentifier },
    { "Operator", CAppSettings::FandCOperator },   { "User Word 1", CAppSettings::FandCWord2 },
    { "User Word 2", CAppSettings::FandCWord3 },   { "User Word 3", CAppSettings::FandCWord4 },
    { "User Word 4", CAppSettings::FandCWord5 },   { "User Word 5", CAppSettings::FandCWord6 },
    { "User Word 6", CAppSettings::FandCWord7 },   { "User Word 7", CAppSettings::FandCWord8 },
};
} // namespace

CFontsAndColorsPg::CFontsAndColorsPg(CAppSettings* pSettings)
    : CPreferencesPage(IDD_PREFS_FONTS_AND_COLORS), m_nSizeIndex(10 - FIRST_FONT_SIZE), m_pSettings(pSettings),
      m_nSwatchStyle(-1)
{
}

CFontsAndColorsPg::~CFontsAndColorsPg()
{
    m_brushFore.DeleteObject();
    m_brushBack.DeleteObject();
}

CAppSettings& CFontsAndColorsPg::Settings() const
{
    return m_pSettings != NULL ? *m_pSettings : VornApp()->m_settings;
}

int CFontsAndColorsPg::StyleOfDisplayItem(LPCTSTR pszText)
{
    for (const CDisplayItem& item : kDisplayItems)
    {
        if (lstrcmpA(item.pszText, pszText) == 0)
            return item.nStyle;
    }
    return -1;
}

LPCTSTR CFontsAndColorsPg::GetDisplayItemText(int nItem)
{
    return nItem >= 0 && nItem < DISPLAY_ITEM_COUNT ? kDisplayItems[nItem].pszText : NULL;
}

int CFontsAndColorsPg::GetSelectedStyle() const
{
    if (m_hWnd == NULL)
        return -1;
    CListBox* pList = (CListBox*)GetDlgItem(IDC_PREFS_DISPLAY_ITEMS);
    const int nSelected = pList->GetCurSel();
    if (nSelected == LB_ERR)
        return -1;
    CString strText;
    pList->GetText(nSelected, strText);
    return StyleOfDisplayItem(strText);
}

HBRUSH CFontsAndColorsPg::GetSwatchBrush(BOOL bForeground) const
{
    return (HBRUSH)(bForeground ? m_brushFore.GetSafeHandle() : m_brushBack.GetSafeHandle());
}

BOOL CFontsAndColorsPg::OnInitDialog()
{
    CStringArray fonts;
    GetTrueTypeFontNames(fonts);
    for (int i = 0; i < fonts.GetSize(); i++)
        SendDlgItemMessage(IDC_PREFS_FONT, CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)fonts[i]);
    for (const CDisplayItem& item : kDisplayItems)
        SendDlgItemMessage(IDC_PREFS_DISPLAY_ITEMS, LB_ADDSTRING, 0, (LPARAM)item.pszText);
    SendDlgItemMessage(IDC_PREFS_DISPLAY_ITEMS, LB_SETCURSEL, 0, 0);
    CheckDlgButton(IDC_PREFS_BOLD, Settings().m_FandC[CAppSettings::FandCDefault].m_nBold ? BST_CHECKED : BST_UNCHECKED);
    RemakeSwatches();
    return CPreferencesPage::OnInitDialog();
}

void CFontsAndColorsPg::DoDataExchange(CDataExchange* pDX)
{
    CPreferencesPage::DoDataExchange(pDX);
    ExchangeFontFace(pDX);
    DDX_CBIndexOrKeep(pDX, IDC_PREFS_FONT_SIZE, m_nSizeIndex);
}

void CFontsAndColorsPg::ExchangeFontFace(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate)
    {
        // The list offers TrueType families only; the face in use may be another kind.
        m_strFaceShown = GetInstalledCodeFace(m_strFont);
        if (!m_strFaceShown.IsEmpty()
            && SendDlgItemMessage(IDC_PREFS_FONT, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)m_strFaceShown)
                   == CB_ERR)
            SendDlgItemMessage(IDC_PREFS_FONT, CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)m_strFaceShown);
        CString strShown = m_strFaceShown;
        DDX_CBStringExactOrKeep(pDX, IDC_PREFS_FONT, strShown);
        return;
    }
    CString strChosen = m_strFaceShown;
    DDX_CBStringExactOrKeep(pDX, IDC_PREFS_FONT, strChosen);
    // A stored face this machine lacks stays stored while the user keeps the one shown.
    if (strChosen.CompareNoCase(m_strFaceShown) != 0)
        m_strFont = strChosen;
}

void CFontsAndColorsPg::RemakeSwatches()
{
    m_nSwatchStyle = GetSelectedStyle();
    m_brushFore.DeleteObject();
    m_brushBack.DeleteObject();
    if (m_nSwatchStyle < 0)
        return;
    const CAppSettings::CStyleSetting& style = Settings().m_FandC[m_nSwatchStyle];
    m_brushFore.CreateSolidBrush((COLORREF)style.m_nForeClr);
    m_brushBack.CreateSolidBrush((COLORREF)style.m_nBackClr);
    for (int nID : { IDC_PREFS_FORE_SWATCH, IDC_PREFS_BACK_SWATCH })
    {
        if (CWnd* pSwatch = GetDlgItem(nID))
            pSwatch->Invalidate();
    }
}

void CFontsAndColorsPg::OnSelectDisplayItem()
{
    const int nStyle = GetSelectedStyle();
    if (nStyle < 0)
        return;
    CheckDlgButton(IDC_PREFS_BOLD, Settings().m_FandC[nStyle].m_nBold ? BST_CHECKED : BST_UNCHECKED);
    RemakeSwatches();
}

void CFontsAndColorsPg::ChooseColor(BOOL bForeground)
{
    const int nStyle = GetSelectedStyle();
    if (nStyle < 0)
        return;
    CAppSettings::CStyleSetting& style = Settings().m_FandC[nStyle];
    int& nColor = bForeground ? style.m_nForeClr : style.m_nBackClr;
    CColorDialog dialog((COLORREF)nColor, CC_FULLOPEN, this);
    if (dialog.DoModal() != IDOK)
        return;
    nColor = (int)dialog.GetColor();
    RemakeSwatches();
}

void CFontsAndColorsPg::OnForeCustom()
{
    ChooseColor(TRUE);
}

void CFontsAndColorsPg::OnBackCustom()
{
    ChooseColor(FALSE);
}

void CFontsAndColorsPg::OnBold()
{
    const int nStyle = GetSelectedStyle();
    if (nStyle >= 0)
        Settings().m_FandC[nStyle].m_nBold = IsDlgButtonChecked(IDC_PREFS_BOLD) == BST_CHECKED ? 1 : 0;
}

HBRUSH CFontsAndColorsPg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const int nID = pWnd != NULL ? pWnd->GetDlgCtrlID() : 0;
    if (nID == IDC_PREFS_FORE_SWATCH || nID == IDC_PREFS_BACK_SWATCH)
    {
        if (GetSelectedStyle() != m_nSwatchStyle)
            RemakeSwatches();
        const BOOL bForeground = nID == IDC_PREFS_FORE_SWATCH;
        if (HBRUSH hBrush = GetSwatchBrush(bForeground))
        {
            const CAppSettings::CStyleSetting& style = Settings().m_FandC[m_nSwatchStyle];
            pDC->SetBkColor((COLORREF)(bForeground ? style.m_nForeClr : style.m_nBackClr));
            return hBrush;
        }
    }
    return CPreferencesPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CFontsAndColorsPg::OnDestroy()
{
    CPreferencesPage::OnDestroy();
    m_brushFore.DeleteObject();
    m_brushBack.DeleteObject();
    m_nSwatchStyle = -1;
}
