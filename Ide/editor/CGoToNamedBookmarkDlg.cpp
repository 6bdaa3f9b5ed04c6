#include "CGoToNamedBookmarkDlg.h"

#include "CProject.h"
#include "CProjectFileEntry.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CGoToNamedBookmarkDlg, CExtResizableDialog)
    ON_LBN_DBLCLK(IDC_GOTO_NAMED_BOOKMARK_LIST, OnDoubleClickList)
END_MESSAGE_MAP()

CGoToNamedBookmarkDlg::CGoToNamedBookmarkDlg(const CProject* pProject, CWnd* pParent)
    : CExtResizableDialog(IDD_GOTO_NAMED_BOOKMARK, pParent), m_pChosenFile(NULL), m_pChosenBookmark(NULL),
      m_pProject(pProject)
{
}

void CGoToNamedBookmarkDlg::CollectBookmarks(const CProject* pProject, std::vector<CEntry>& entries)
{
    entries.clear();
    if (pProject == NULL || !pProject->IsOpen())
        return;
    for (int i = 0; i < pProject->GetFileCount(); i++)
    {
        CProjectFileEntry* pFile = pProject->GetFileAt(i);
        for (int j = 0; j < pFile->GetNamedBookmarkCount(); j++)
            entries.push_back({pFile, pFile->GetNamedBookmarkAt(j)});
    }
}

CString CGoToNamedBookmarkDlg::GetEntryText(const CEntry& entry)
{
    return entry.pBookmark->GetName() + " [" + entry.pFile->GetFileName() + "]";
}

void CGoToNamedBookmarkDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GOTO_NAMED_BOOKMARK_LIST, m_listBookmarks);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CGoToNamedBookmarkDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    CollectBookmarks(m_pProject, m_entries);
    m_listBookmarks.ResetContent();
    // The list box sorts its entries itself.
    for (CEntry& entry : m_entries)
    {
        const int nIndex = m_listBookmarks.AddString(GetEntryText(entry));
        if (nIndex >= 0)
            m_listBookmarks.SetItemDataPtr(nIndex, &entry);
    }
    if (m_listBookmarks.GetCount() > 0)
        m_listBookmarks.SetCurSel(0);
    AddAnchor(IDC_GOTO_NAMED_BOOKMARK_LIST, 0, 0, 100, 100);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CGoToNamedBookmarkDlg::OnOK()
{
    const int nSelected = m_listBookmarks.GetCurSel();
    m_strChosen.Empty();
    m_pChosenFile = NULL;
    m_pChosenBookmark = NULL;
    if (nSelected >= 0)
    {
        m_listBookmarks.GetText(nSelected, m_strChosen);
        const CEntry* pEntry = static_cast<const CEntry*>(m_listBookmarks.GetItemDataPtr(nSelected));
        m_pChosenFile = pEntry->pFile;
        m_pChosenBookmark = pEntry->pBookmark;
    }
    CExtResizableDialog::OnOK();
}

void CGoToNamedBookmarkDlg::OnDoubleClickList()
{
    if (m_listBookmarks.GetCurSel() >= 0)
        OnOK();
}
