// The four writers of File > Export: the styled text of an editor as PDF 1.3, RTF,
// XHTML 1.0 Transitional or XML. Each restyles the whole text first, takes its options
// from the settings, and returns 1 when the file was written whole and 0 otherwise; a
// file that could not be written leaves the target as it was.
#pragma once

#include <afx.h>

class CAppSettings;
class IStyledText;

int ExportPdf(LPCTSTR pszOutputPath, IStyledText& editor, const CAppSettings& settings);
int ExportRtf(LPCTSTR pszOutputPath, IStyledText& editor, const CAppSettings& settings);
// The title is made of the document's path (its file name, or the whole path with
// ExportHTMLTitleFullPath).
int ExportXhtml(LPCTSTR pszOutputPath, IStyledText& editor, LPCTSTR pszDocumentPath, const CAppSettings& settings);
// The document's name goes into the root element's filename attribute.
int ExportXml(LPCTSTR pszOutputPath, IStyledText& editor, LPCTSTR pszDocumentName, const CAppSettings& settings);
