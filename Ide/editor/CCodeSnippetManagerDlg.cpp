#include "CCodeSnippetManagerDlg.h"

#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "CInsertCodeSnippetMacroDlg.h"
#include "CNewCodeSnippetDlg.h"
#include "CRenameCodeSnippetDlg.h"
#include "CodeTextFont.h"
#include "IEditorHost.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CCodeSnippetManagerDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_SNIPPET_LIST, CCodeSnippetManagerDlg::OnSnippetSelChange)
    ON_LBN_SELCHANGE(IDC_SNIPPET_FAVOURITES, CCodeSnippetManagerDlg::OnFavouriteSelChange)
    ON_EN_CHANGE(IDC_SNIPPET_TEXT, CCodeSnippetManagerDlg::OnTextChange)
    ON_BN_CLICKED(IDC_SNIPPET_NEW, CCodeSnippetManagerDlg::OnNew)
    ON_BN_CLICKED(IDC_SNIPPET_RENAME, CCodeSnippetManagerDlg::OnRename)
    ON_BN_CLICKED(IDC_SNIPPET_ADD_TO_FAVOURITES, CCodeSnippetManagerDlg::OnAddToFavourites)
    ON_BN_CLICKED(IDC_SNIPPET_MOVE_UP, CCodeSnippetManagerDlg::OnMoveUp)
    ON_BN_CLICKED(IDC_SNIPPET_MOVE_DOWN, CCodeSnippetManagerDlg::OnMoveDown)
    ON_BN_CLICKED(IDC_SNIPPET_REMOVE_FAVOURITE, CCodeSnippetManagerDlg::OnRemoveFavourite)
    ON_BN_CLICKED(IDC_SNIPPET_MACROS, CCodeSnippetManagerDlg::OnMacros)
    ON_BN_CLICKED(IDC_SNIPPET_SAVE, CCodeSnippetManagerDlg::OnSave)
END_MESSAGE_MAP()

CCodeSnippetManagerDlg::CCodeSnippetManagerDlg(IEditorHost& host, CWnd* pParent)
    : CExtResizableDialog(IDD_CODE_SNIPPET_MANAGER, pParent),
      m_bFavouritesChanged(FALSE),
      m_host(host),
      m_list(host.GetCodeSnippets()),
      m_bTextEdited(FALSE),
      m_bShowingText(FALSE)
{
}

void CCodeSnippetManagerDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNIPPET_LIST, m_listSnippets);
    DDX_Control(pDX, IDC_SNIPPET_FAVOURITES, m_listFavourites);
    DDX_Control(pDX, IDC_SNIPPET_TEXT, m_editText);
    DDX_Control(pDX, IDC_SNIPPET_NEW, m_btnNew);
    DDX_Control(pDX, IDC_SNIPPET_RENAME, m_btnRename);
    DDX_Control(pDX, IDC_SNIPPET_ADD_TO_FAVOURITES, m_btnAddToFavourites);
    DDX_Control(pDX, IDC_SNIPPET_MOVE_UP, m_btnMoveUp);
    DDX_Control(pDX, IDC_SNIPPET_MOVE_DOWN, m_btnMoveDown);
    DDX_Control(pDX, IDC_SNIPPET_REMOVE_FAVOURITE, m_btnRemove);
    DDX_Control(pDX, IDC_SNIPPET_MACROS, m_btnMacros);
    DDX_Control(pDX, IDC_SNIPPET_SAVE, m_btnSave);
    DDX_Control(pDX, IDOK, m_btnClose);
}

BOOL CCodeSnippetManagerDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    // The snippets take the upper half of the left side, the favourites the lower;
    // the text edit takes whatever the dialog grows by.
    AddAnchor(IDC_SNIPPET_LIST, 0, 0, 0, 50);
    AddAnchor(IDC_SNIPPET_FAVOURITES, 0, 50, 0, 100);
    for (UINT nID : { IDC_SNIPPET_MOVE_UP, IDC_SNIPPET_MOVE_DOWN, IDC_SNIPPET_REMOVE_FAVOURITE })
        AddAnchor(nID, 0, 50);
    AddAnchor(IDC_SNIPPET_FAVOURITES_LABEL, 0, 50);
    AddAnchor(IDC_SNIPPET_TEXT_GROUP, 0, 0, 100, 100);
    AddAnchor(IDC_SNIPPET_TEXT, 0, 0, 100, 100);
    AddAnchor(IDC_SNIPPET_MACROS, 0, 100);
    AddAnchor(IDC_SNIPPET_SAVE, 100, 100);
    AddAnchor(IDOK, 100, 100);
    UseCodeTextFont(m_editText, m_fontText);
    // A snippet may be longer than an edit takes by default.
    m_editText.LimitText(0);

    for (int i = 0; i < m_list.GetCount(); i++)
        m_listSnippets.AddString(m_list.GetAt(i)->GetName());
    if (m_list.GetCount() > 0)
    {
        m_listSnippets.SetCurSel(0);
        SelectSnippetEntry(m_strPreset);
        ShowSelectedSnippet();
    }
    else
    {
        EnableSnippetButtons(FALSE);
    }
    FillFavourites();
    UpdateFavouriteButtons();
    m_bFavouritesChanged = FALSE;
    return TRUE;
}

// Names are exact: "abc" and "ABC" are two snippets, which the list box's own search
// (without case) and its prefix match would mix up.
int CCodeSnippetManagerDlg::FindSnippetEntry(const CString& strName)
{
    for (int i = 0; i < m_listSnippets.GetCount(); i++)
    {
        CString strEntry;
        m_listSnippets.GetText(i, strEntry);
        if (strEntry == strName)
            return i;
    }
    return -1;
}

void CCodeSnippetManagerDlg::SelectSnippetEntry(const CString& strName)
{
    const int nIndex = FindSnippetEntry(strName);
    if (nIndex >= 0)
        m_listSnippets.SetCurSel(nIndex);
}

void CCodeSnippetManagerDlg::EnableSnippetButtons(BOOL bEnable)
{
    m_btnRename.EnableWindow(bEnable);
    m_btnMacros.EnableWindow(bEnable);
    m_btnSave.EnableWindow(bEnable);
}

CCodeSnippet* CCodeSnippetManagerDlg::GetSelectedSnippet()
{
    const int nSel = m_listSnippets.GetCurSel();
    if (nSel < 0)
        return NULL;
    CString strName;
    m_listSnippets.GetText(nSel, strName);
    return m_list.FindByName(strName);
}

void CCodeSnippetManagerDlg::ShowSelectedSnippet()
{
    const CCodeSnippet* pSnippet = GetSelectedSnippet();
    if (pSnippet != NULL)
        ShowSnippet(pSnippet);
}

void CCodeSnippetManagerDlg::ShowSnippet(const CCodeSnippet* pSnippet)
{
    m_bShowingText = TRUE;
    m_editText.SetSel(0, -1);
    m_editText.SetWindowText(pSnippet->GetText());
    m_editText.SetSel(0, 0);
    m_bShowingText = FALSE;
    m_bTextEdited = FALSE;
    m_strShownName = pSnippet->GetName();
}

void CCodeSnippetManagerDlg::SaveText(CCodeSnippet* pSnippet)
{
    // The whole text, however long its lines.
    CString strText;
    m_editText.GetWindowText(strText);
    pSnippet->SetText(strText);
    pSnippet->m_nModified = 1;
    m_bTextEdited = FALSE;
}

BOOL CCodeSnippetManagerDlg::ResolveUnsavedEdit()
{
    if (!m_bTextEdited)
        return TRUE;
    CCodeSnippet* pShown = m_list.FindByName(m_strShownName);
    if (pShown == NULL)
        return TRUE;
    CString strQuestion;
    strQuestion.Format("Save changes to Code Snippet '%s'?", m_strShownName.GetString());
    switch (AfxMessageBox(strQuestion, MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES:
        SaveText(pShown);
        return TRUE;
    case IDNO:
        // The edit goes back to the snippet's text, which stays shown after Rename.
        ShowSnippet(pShown);
        return TRUE;
    default:
        return FALSE;
    }
}

void CCodeSnippetManagerDlg::OnSnippetSelChange()
{
    // The snippet already shown keeps its edit.
    const CCodeSnippet* pSelected = GetSelectedSnippet();
    if (pSelected != NULL && pSelected->GetName() == m_strShownName)
        return;
    if (!ResolveUnsavedEdit())
    {
        // The edit stays with its snippet, and so does the selection.
        SelectSnippetEntry(m_strShownName);
        return;
    }
    ShowSelectedSnippet();
}

void CCodeSnippetManagerDlg::OnTextChange()
{
    if (!m_bShowingText)
        m_bTextEdited = TRUE;
}

void CCodeSnippetManagerDlg::OnNew()
{
    if (!ResolveUnsavedEdit())
        return;
    CCodeSnippet* pSnippet = CNewCodeSnippetDlg::CreateSnippet(m_list, m_host.GetCodeSnippetFolder(), this);
    if (pSnippet == NULL)
        return;
    m_listSnippets.SetCurSel(m_listSnippets.AddString(pSnippet->GetName()));
    if (m_list.GetCount() == 1)
        EnableSnippetButtons(TRUE);
    ShowSelectedSnippet();
}

void CCodeSnippetManagerDlg::OnRename()
{
    CCodeSnippet* pSnippet = GetSelectedSnippet();
    if (pSnippet == NULL || !ResolveUnsavedEdit())
        return;
    const CString strOldName = pSnippet->GetName();
    CRenameCodeSnippetDlg dlg(m_list, this);
    dlg.m_strName = strOldName;
    if (dlg.DoModal() != IDOK)
        return;
    pSnippet->SetName(dlg.m_strName);
    pSnippet->m_nModified = 1;
    m_listSnippets.DeleteString(FindSnippetEntry(strOldName));
    m_listSnippets.SetCurSel(m_listSnippets.AddString(dlg.m_strName));
    if (m_strShownName == strOldName)
        m_strShownName = dlg.m_strName;
    // A favourite keeps its place under its new name; the favourite names follow when
    // the manager closes, so its command and the next start still find it.
    const int nFavourite = pSnippet->m_nFavourite;
    if (nFavourite >= 0 && nFavourite < m_listFavourites.GetCount())
    {
        const int nSel = m_listFavourites.GetCurSel();
        m_listFavourites.DeleteString(nFavourite);
        m_listFavourites.InsertString(nFavourite, dlg.m_strName);
        m_listFavourites.SetCurSel(nSel);
        m_bFavouritesChanged = TRUE;
    }
}

void CCodeSnippetManagerDlg::FillFavourites()
{
    m_listFavourites.ResetContent();
    for (CCodeSnippet* pFavourite = m_list.NextFavourite(-1); pFavourite != NULL;
         pFavourite = m_list.NextFavourite(pFavourite->m_nFavourite))
        m_listFavourites.AddString(pFavourite->GetName());
    if (m_listFavourites.GetCount() > 0)
        m_listFavourites.SetCurSel(0);
}

void CCodeSnippetManagerDlg::UpdateFavouriteButtons()
{
    const int nCount = m_listFavourites.GetCount();
    const int nSel = m_listFavourites.GetCurSel();
    m_btnMoveUp.EnableWindow(nCount > 0 && nSel != 0);
    m_btnMoveDown.EnableWindow(nCount > 0 && nSel != nCount - 1);
    m_btnRemove.EnableWindow(nCount > 0);
}

void CCodeSnippetManagerDlg::OnFavouriteSelChange()
{
    UpdateFavouriteButtons();
}

void CCodeSnippetManagerDlg::OnAddToFavourites()
{
    const int nCount = m_listFavourites.GetCount();
    if (nCount >= CCodeSnippetList::MAX_FAVOURITES)
        return;
    CCodeSnippet* pSnippet = GetSelectedSnippet();
    if (pSnippet == NULL || pSnippet->m_nFavourite >= 0)
        return;
    pSnippet->m_nFavourite = nCount;
    m_listFavourites.SetCurSel(m_listFavourites.AddString(pSnippet->GetName()));
    UpdateFavouriteButtons();
    m_bFavouritesChanged = TRUE;
}

void CCodeSnippetManagerDlg::MoveFavourite(int nOffset)
{
    const int nSel = m_listFavourites.GetCurSel();
    CCodeSnippet* pMoved = m_list.FindByFavourite(nSel);
    CCodeSnippet* pOther = m_list.FindByFavourite(nSel + nOffset);
    if (nSel < 0 || pMoved == NULL || pOther == NULL)
        return;
    pMoved->m_nFavourite = nSel + nOffset;
    pOther->m_nFavourite = nSel;
    CString strName;
    m_listFavourites.GetText(nSel, strName);
    m_listFavourites.DeleteString(nSel);
    m_listFavourites.InsertString(nSel + nOffset, strName);
    m_listFavourites.SetCurSel(nSel + nOffset);
    UpdateFavouriteButtons();
    m_bFavouritesChanged = TRUE;
}

void CCodeSnippetManagerDlg::OnMoveUp()
{
    MoveFavourite(-1);
}

void CCodeSnippetManagerDlg::OnMoveDown()
{
    MoveFavourite(+1);
}

void CCodeSnippetManagerDlg::OnRemoveFavourite()
{
    const int nSel = m_listFavourites.GetCurSel();
    CCodeSnippet* pRemoved = nSel >= 0 ? m_list.FindByFavourite(nSel) : NULL;
    if (pRemoved == NULL)
        return;
    pRemoved->m_nFavourite = -1;
    // The favourites after it close the gap, keeping their order.
    int nIndex = nSel;
    for (CCodeSnippet* pNext = m_list.NextFavourite(nIndex); pNext != NULL; pNext = m_list.NextFavourite(nIndex))
        pNext->m_nFavourite = nIndex++;
    m_listFavourites.DeleteString(nSel);
    if (m_listFavourites.GetCount() > 0)
        m_listFavourites.SetCurSel(0);
    UpdateFavouriteButtons();
    m_bFavouritesChanged = TRUE;
}

void CCodeSnippetManagerDlg::OnMacros()
{
    CInsertCodeSnippetMacroDlg dlg(this);
    if (dlg.DoModal() == IDOK)
        m_editText.ReplaceSel(dlg.m_strMacro, TRUE);
    m_editText.SetFocus();
}

void CCodeSnippetManagerDlg::OnSave()
{
    CCodeSnippet* pSnippet = GetSelectedSnippet();
    if (pSnippet != NULL)
        SaveText(pSnippet);
}

void CCodeSnippetManagerDlg::CloseManager(int nResult)
{
    if (!ResolveUnsavedEdit())
        return;
    if (m_bFavouritesChanged)
        m_host.RebuildFavouriteSnippetNames();
    EndDialog(nResult);
}

void CCodeSnippetManagerDlg::OnOK()
{
    CloseManager(IDOK);
}

void CCodeSnippetManagerDlg::OnCancel()
{
    CloseManager(IDCANCEL);
}
