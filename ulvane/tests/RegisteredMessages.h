// The framework's sixteen registered window messages, in the order they are built:
// what the process test and its probe program compare between two processes.
#pragma once

#include <vector>

#include "CExtControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"
#include "CInPlaceEditWnd.h"

inline std::vector<UINT> RegisteredMessages()
{
    return {
        CExtPopupMenuWnd::g_nMsgPrepareMenu,
        CExtPopupMenuWnd::g_nMsgPopupNext,
        CExtPopupMenuWnd::g_nMsgPopupPrev,
        CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded,
        CExtPopupMenuWnd::g_nMsgNotifyMenuClosed,
        CExtPopupMenuWnd::g_nMsgPopupDrawItem,
        CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea,
        CExtPopupMenuWnd::g_nMsgCreateInplaceEdit,
        CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection,
        CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll,
        CExtToolControlBar::g_nMsgTrackButtonMenu,
        CExtToolControlBar::g_nMsgContinueTrackMenu,
        CExtControlBar::g_nMsgQueryRepositionCalcEffect,
        CExtControlBar::g_nMsgQueryIcon,
        CExtControlBar::g_nMsgPutToPopupMenu,
        CExtControlBar::g_nMsgConstructPopupMenu,
    };
}
