// CFontsAndColorsPg: the Fonts and Colors page of the Preferences: the editor's font
// and size, and the colours and weight of each kind of text. Colours and bold flags go
// into the settings as soon as they are chosen; the font and size are members that
// the Preferences command copies.
#pragma once

#include "CAppSettings.h"
#include "CPreferencesPage.h"

class CFontsAndColorsPg : public CPreferencesPage
{
    DECLARE_DYNAMIC(CFontsAndColorsPg)
public:
    enum
    {
        FIRST_FONT_SIZE = 6,
        DISPLAY_ITEM_COUNT = 14
    };

    // The settings whose colours the page edits: the application's unless given.
    explicit CFontsAndColorsPg(CAppSettings* pSettings = NULL);
    virtual ~CFontsAndColorsPg();

    CString m_strFont;       // FandCFont, kept as stored unless the user picks another face
    int m_nSizeIndex;        // FandCSize - 6

    // The style of the settings that a display item's text stands for; -1 for a text
    // that names none.
    static int StyleOfDisplayItem(LPCTSTR pszText);
    static LPCTSTR GetDisplayItemText(int nItem);
    // The style of the selected display item, or -1.
    int GetSelectedStyle() const;
    HBRUSH GetSwatchBrush(BOOL bForeground) const;

protected:
    CAppSettings* m_pSettings;
    CBrush m_brushFore;
    CBrush m_brushBack;
    int m_nSwatchStyle;      // the style the brushes were made for
    CString m_strFaceShown;  // the face the editor really draws m_strFont in

    CAppSettings& Settings() const;
    // Makes the two swatch brushes again from the selected style's colours and
    // repaints the swatches.
    void RemakeSwatches();
    void ChooseColor(BOOL bForeground);
    // Shows the face in use; takes a face only when the user chose another one.
    void ExchangeFontFace(CDataExchange* pDX);

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnSelectDisplayItem();
    afx_msg void OnForeCustom();
    afx_msg void OnBackCustom();
    afx_msg void OnBold();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
