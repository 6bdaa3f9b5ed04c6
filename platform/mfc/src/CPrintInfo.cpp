// CPrintInfo: the state of one print job, around its print dialog.
#include "afxpriv.h"
#include <afxdlgs.h>

CPrintInfo::CPrintInfo()
    : m_bDocObject(FALSE), m_bPreview(FALSE), m_bDirect(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1),
      m_nNumPreviewPages(0), m_lpUserData(NULL), m_nJobNumber(-1)
{
    m_pPD = new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION);
    m_rectDraw.SetRectEmpty();
    SetMinPage(1);
    SetMaxPage(0xFFFF);   // unknown until the view says
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDC != NULL)
    {
        ::DeleteDC(m_pPD->m_pd.hDC);
        m_pPD->m_pd.hDC = NULL;
    }
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = (WORD)nMinPage;
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = (WORD)nMaxPage;
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->m_pd.nFromPage;
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->m_pd.nToPage;
}
