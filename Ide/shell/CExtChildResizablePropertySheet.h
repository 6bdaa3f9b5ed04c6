// CExtChildResizablePropertySheet: a property sheet that lives as a borderless child
// window of a docking bar (the workspace sheets of the main frame). Its page selector
// is one row of flat buttons; the active page fills the area under it.
#pragma once

#include "CExtResizablePropertySheet.h"

class CExtChildResizablePropertySheet : public CExtResizablePropertySheet
{
    DECLARE_DYNCREATE(CExtChildResizablePropertySheet)
public:
    // Bits of the option byte.
    enum Options
    {
        OPTION_SINGLE_LINE = 0x01,      // the multi-line tab style is removed
        OPTION_BUTTONS = 0x02,          // the tabs are buttons
        OPTION_FLAT_BUTTONS = 0x04,     // ... flat buttons (with OPTION_BUTTONS)
        OPTION_FLAT_SEPARATORS = 0x08,  // ... with separators (with both above)
        OPTION_STYLES_APPLIED = 0x10,   // set by the first layout
        OPTIONS_WORKSPACE = 0x0F
    };

    CExtChildResizablePropertySheet();
    virtual ~CExtChildResizablePropertySheet();

    // Creates the sheet as a visible child of the parent, without border or frame.
    bool Create(CWnd* pParentWnd);
    // Adds the pages of the array, then creates the sheet in the parent and makes each
    // page active once, from the last to the first, so that every page window exists
    // and the first one shows.
    bool CreateWithPages(CWnd* pParentWnd, CPropertyPage* const* ppPages, int nCount);

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    BYTE m_nOptions;

protected:
    // The tab styles once; then the active page is moved onto the tab control's
    // display area.
    virtual void OnChildLayoutChanged();
    void ApplyTabStyles(CTabCtrl& tabs);
    // Whether the message is for the sheet or a window inside it.
    bool IsAimedAtSheet(const MSG* pMsg) const;
    // Whether the sheet decides on the message: keys only when they move between its
    // controls or are mnemonics; everything else but keys.
    static bool IsSheetKey(const MSG* pMsg);

    DECLARE_MESSAGE_MAP()
};
