// CVornView's File > Export commands: the save dialog for the format, then its writer
// on the view's control.
#include "CVornView.h"

#include <afxdlgs.h>

#include "CAppSettings.h"
#include "CScintillaStyledText.h"
#include "CVornDoc.h"
#include "ExportSupport.h"
#include "Exporters.h"
#include "IEditorHost.h"
#include "PathUtil.h"
#include "resource.h"

namespace
{
struct CExportFormat
{
    UINT nID;
    LPCTSTR pszExtension;
    LPCTSTR pszFilter;
    LPCTSTR pszFailure;
};

const CExportFormat kExportFormats[] = {
    { ID_EXPORT_XML, "xml", "XML (*.xml)|*.xml|", "Failed to export the document to XML." },
    { ID_EXPORT_PDF, "pdf", "PDF (*.pdf)|*.pdf|", "Failed to export the document to PDF." },
    { ID_EXPORT_HTML, "html", "HTML (*.html)|*.html|", "Failed to export the document to HTML." },
    { ID_EXPORT_RTF, "rtf", "RTF (*.rtf)|*.rtf|", "Failed to export the document to RTF." },
};
} // namespace

void CVornView::OnExport(UINT nID)
{
    const CExportFormat* pFormat = NULL;
    for (const CExportFormat& format : kExportFormats)
        if (format.nID == nID)
            pFormat = &format;
    if (pFormat == NULL)
        return;
    // An untitled document is known by its title.
    CString strDocument = GetDocument()->GetPathName();
    if (strDocument.IsEmpty())
        strDocument = GetDocument()->GetTitle();
    CFileDialog dlg(FALSE, pFormat->pszExtension, ExportSupport::DefaultExportPath(GetDocument()->GetPathName()),
                    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, pFormat->pszFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    const CString strTarget = dlg.GetPathName();
    CScintillaStyledText text(m_ctrl.GetSafeHwnd());
    const CAppSettings& settings = IEditorHost::Get().GetSettings();
    int nResult = 0;
    switch (nID)
    {
    case ID_EXPORT_XML:
        nResult = ExportXml(strTarget, text, FileNameOfPath(strDocument), settings);
        break;
    case ID_EXPORT_PDF:
        nResult = ExportPdf(strTarget, text, settings);
        break;
    case ID_EXPORT_HTML:
        nResult = ExportXhtml(strTarget, text, strDocument, settings);
        break;
    case ID_EXPORT_RTF:
        nResult = ExportRtf(strTarget, text, settings);
        break;
    }
    if (nResult == 0)
        AfxMessageBox(pFormat->pszFailure, MB_ICONEXCLAMATION | MB_OK);
}

void CVornView::OnUpdateExport(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
