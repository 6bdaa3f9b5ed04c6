#include "CGoToIncludeDlg.h"

CGoToIncludeDlg::CGoToIncludeDlg(UINT nIDTemplate, UINT nIDCombo, UINT nIDInclude, const char* const* ppszChoices,
                                 int nChoices, const COutline& outline, int nInclude, CWnd* pParent)
    : CGoToOutlineDlg(nIDTemplate, nIDCombo, outline, pParent), m_nInclude(nInclude), m_nIDInclude(nIDInclude),
      m_ppszChoices(ppszChoices), m_nChoices(nChoices)
{
}

void CGoToIncludeDlg::DoDataExchange(CDataExchange* pDX)
{
    CGoToOutlineDlg::DoDataExchange(pDX);
    DDX_Control(pDX, m_nIDInclude, m_comboInclude);
    DDX_CBIndex(pDX, m_nIDInclude, m_nInclude);
}

BOOL CGoToIncludeDlg::OnInitDialog()
{
    // A stored choice from an older or damaged settings file falls back to "All".
    if (m_nInclude < 0 || m_nInclude >= m_nChoices)
        m_nInclude = 0;
    CGoToOutlineDlg::OnInitDialog();
    FillIncludeChoices(m_comboInclude, m_ppszChoices, m_nChoices, m_nInclude);
    AddAnchor(m_nIDInclude, 0, 0, 100, 0);
    return TRUE;
}

void CGoToIncludeDlg::OnIncludeChanged()
{
    UpdateData(TRUE);
    FillEntries();
}
