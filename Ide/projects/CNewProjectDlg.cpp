#include "CNewProjectDlg.h"

#include "IPathChooser.h"
#include "PathUtil.h"
#include "resource.h"

namespace
{
const char kNamePrompt[] = "<Enter name>";
} // namespace

BEGIN_MESSAGE_MAP(CNewProjectDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_BROWSE, CNewProjectDlg::OnBrowse)
    ON_EN_CHANGE(IDC_NEWPROJ_NAME, CNewProjectDlg::UpdateLocationPreview)
    ON_EN_CHANGE(IDC_NEWPROJ_LOCATION, CNewProjectDlg::UpdateLocationPreview)
    ON_BN_CLICKED(IDC_NEWPROJ_CREATE_DIRECTORY, CNewProjectDlg::UpdateLocationPreview)
END_MESSAGE_MAP()

CNewProjectDlg::CNewProjectDlg(LPCTSTR pszInitialLocation, IPathChooser& chooser, CWnd* pParent)
    : CExtResizableDialog(IDD_NEW_PROJECT, pParent),
      m_nCreateDirectory(1),
      m_chooser(chooser),
      m_strInitialLocation(pszInitialLocation)
{
}

void CNewProjectDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_NEWPROJ_CREATE_DIRECTORY, m_nCreateDirectory);
    DDX_Control(pDX, IDC_NEWPROJ_NAME, m_editName);
    DDX_Control(pDX, IDC_NEWPROJ_LOCATION, m_editLocation);
    DDX_Control(pDX, IDC_NEWPROJ_PREVIEW, m_staticPreview);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_BROWSE, m_btnBrowse);
    DDX_Control(pDX, IDC_NEWPROJ_CREATE_DIRECTORY, m_checkCreateDirectory);
}

BOOL CNewProjectDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_NEWPROJ_NAME, 0, 0, 100, 0);
    AddAnchor(IDC_NEWPROJ_LOCATION, 0, 0, 100, 0);
    AddAnchor(IDC_BROWSE, 100, 0);
    AddAnchor(IDC_NEWPROJ_PREVIEW, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    m_strLocation = m_strInitialLocation;
    m_editName.SetWindowText(kNamePrompt);
    m_editLocation.SetWindowText(m_strLocation);
    UpdateLocationPreview();
    return TRUE;
}

void CNewProjectDlg::UpdateLocationPreview()
{
    if (m_staticPreview.GetSafeHwnd() == NULL)
        return;
    CString strName, strLocation;
    m_editName.GetWindowText(strName);
    m_editLocation.GetWindowText(strLocation);
    UpdateData(TRUE);
    CString strText = "Project will be created at " + WithTrailingBackslash(strLocation);
    if (m_nCreateDirectory)
        strText += strName;
    m_staticPreview.SetWindowText(strText + ".");
}

void CNewProjectDlg::OnBrowse()
{
    CString strFolder;
    if (m_chooser.ChooseFolder(strFolder))
        m_editLocation.SetWindowText(strFolder);
}

BOOL CNewProjectDlg::IsValidProjectName(const CString& strName)
{
    return !strName.IsEmpty() && strName.CompareNoCase(kNamePrompt) != 0 && strName.FindOneOf("\\/:*?\"<>|") < 0;
}

void CNewProjectDlg::OnOK()
{
    CString strName, strLocation;
    m_editName.GetWindowText(strName);
    m_editLocation.GetWindowText(strLocation);
    UpdateData(TRUE);
    if (!IsValidProjectName(strName))
    {
        AfxMessageBox("You must enter a valid name.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    CString strDirectory = strLocation;
    if (m_nCreateDirectory)
        strDirectory = WithTrailingBackslash(strDirectory) + strName;
    // A project file of the name is never replaced.
    if (PathExists(WithTrailingBackslash(strDirectory) + strName + ".vpr"))
    {
        AfxMessageBox("A project of that name already exists there.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    if (!DirectoryExists(strDirectory) && !CreateDirectoryPath(strDirectory))
    {
        AfxMessageBox("Cannot create project directory.", MB_OK);
        return;
    }
    m_strName = strName;
    m_strLocation = strDirectory;
    CExtResizableDialog::OnOK();
}
