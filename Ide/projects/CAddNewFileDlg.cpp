#include "CAddNewFileDlg.h"

#include "CProject.h"
#include "IPathChooser.h"
#include "PathUtil.h"
#include "resource.h"

namespace
{
const char kNamePrompt[] = "<Enter name>";
} // namespace

BEGIN_MESSAGE_MAP(CAddNewFileDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_BROWSE, CAddNewFileDlg::OnBrowse)
END_MESSAGE_MAP()

CAddNewFileDlg::CAddNewFileDlg(const CProject& project, IPathChooser& chooser, CWnd* pParent)
    : CExtResizableDialog(IDD_ADD_NEW_FILE, pParent), m_project(project), m_chooser(chooser)
{
}

void CAddNewFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NEWFILE_NAME, m_editName);
    DDX_Control(pDX, IDC_NEWFILE_LOCATION, m_editLocation);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_BROWSE, m_btnBrowse);
}

BOOL CAddNewFileDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_NEWFILE_NAME, 0, 0, 100, 0);
    AddAnchor(IDC_NEWFILE_LOCATION, 0, 0, 100, 0);
    AddAnchor(IDC_BROWSE, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    m_editName.SetWindowText(kNamePrompt);
    m_editLocation.SetWindowText(m_project.GetDirectory());
    return TRUE;
}

void CAddNewFileDlg::OnBrowse()
{
    CString strFolder;
    if (m_chooser.ChooseFolder(strFolder))
        m_editLocation.SetWindowText(strFolder);
}

void CAddNewFileDlg::OnOK()
{
    CString strName, strLocation;
    m_editName.GetWindowText(strName);
    m_editLocation.GetWindowText(strLocation);
    UpdateData(TRUE);
    if (strName.IsEmpty() || strName.CompareNoCase(kNamePrompt) == 0)
    {
        AfxMessageBox("You must enter a valid name.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    const CString strDirectory = WithTrailingBackslash(strLocation);
    if (!DirectoryExists(strDirectory) && !CreateDirectoryPath(strDirectory))
    {
        AfxMessageBox("Cannot create file directory.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    if (ExtensionOfFileName(strName).IsEmpty())
        strName += ".lua";
    const CString strPath = strDirectory + strName;
    if (PathExists(strPath) || m_project.IsProjectFile(strPath))
    {
        AfxMessageBox("A file of that name already exists.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    // CREATE_NEW: a file that appeared meanwhile is never emptied.
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        AfxMessageBox(::GetLastError() == ERROR_FILE_EXISTS ? "A file of that name already exists."
                                                            : "Cannot create file.",
                      MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    ::CloseHandle(hFile);
    m_strFileName = strName;
    m_strLocation = strDirectory;
    CExtResizableDialog::OnOK();
}
