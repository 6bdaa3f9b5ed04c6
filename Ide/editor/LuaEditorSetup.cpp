#include "LuaEditorSetup.h"

namespace
{
struct CMarkerDefinition
{
    int nMarker;
    int nSymbol;
    COLORREF crFore;
    COLORREF crBack;
};

// In the order the markers are defined.
const CMarkerDefinition kFoldMarkers[] = {
    {SC_MARKNUM_FOLDEROPEN, SC_MARK_BOXMINUS, 0xFFFFFF, 0xFF0000},
    {SC_MARKNUM_FOLDER, SC_MARK_BOXPLUS, 0xFFFFFF, 0},
    {SC_MARKNUM_FOLDERSUB, SC_MARK_VLINE, 0xFFFFFF, 0},
    {SC_MARKNUM_FOLDERTAIL, SC_MARK_LCORNER, 0xFFFFFF, 0},
    {SC_MARKNUM_FOLDEREND, SC_MARK_BOXPLUS, 0xFFFFFF, 0},
    {SC_MARKNUM_FOLDEROPENMID, SC_MARK_BOXMINUS, 0xFFFFFF, 0},
    {SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_TCORNER, 0xFFFFFF, 0},
};

const CMarkerDefinition kLineMarkers[] = {
    {MARKER_BOOKMARK, SC_MARK_ROUNDRECT, 0, 0xFFFF00},
    {MARKER_NAMED_BOOKMARK, SC_MARK_CIRCLE, 0, 0xFFFA00},
    {MARKER_BREAKPOINT, SC_MARK_CIRCLE, 0x0F0AA0, 0x0F0AA0},
    {MARKER_JUMP_LINE, SC_MARK_ARROW, 0x00E6FF, 0},
    {MARKER_EXECUTION_LINE, SC_MARK_SHORTARROW, 0, 0x00E6FF},
};

template <size_t N>
void DefineMarkers(CScintillaCtrl& ctrl, const CMarkerDefinition (&markers)[N])
{
    for (const CMarkerDefinition& marker : markers)
    {
        ctrl.MarkerDefine(marker.nMarker, marker.nSymbol);
        ctrl.MarkerSetFore(marker.nMarker, marker.crFore);
        ctrl.MarkerSetBack(marker.nMarker, marker.crBack);
    }
}
} // namespace

namespace LuaEditorSetup
{
const char kLuaKeywords[] = "and break do else elseif end false for function if in local nil not or repeat "
                            "return then true until while";

BOOL SelectLuaLexer(CScintillaCtrl& ctrl)
{
    void* pLexer = CScintillaCtrl::CreateLexer("lua");
    if (pLexer == NULL)
        return FALSE;
    ctrl.SetILexer(pLexer);
    ctrl.SetKeyWords(0, kLuaKeywords);
    return TRUE;
}

void SetupFoldMargin(CScintillaCtrl& ctrl)
{
    ctrl.SetMarginSensitiveN(MARGIN_FOLDING, TRUE);
    ctrl.SetMarginTypeN(MARGIN_FOLDING, SC_MARGIN_SYMBOL);
    ctrl.SetMarginMaskN(MARGIN_FOLDING, (int)SC_MASK_FOLDERS);
    ctrl.SetProperty("fold", "1");
}

void DefineFoldMarkers(CScintillaCtrl& ctrl)
{
    DefineMarkers(ctrl, kFoldMarkers);
}

void DefineLineMarkers(CScintillaCtrl& ctrl)
{
    DefineMarkers(ctrl, kLineMarkers);
}
} // namespace LuaEditorSetup
