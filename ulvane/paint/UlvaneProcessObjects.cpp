// The framework's process-wide objects, built here in one fixed order before the
// application object starts and destroyed in the reverse order after it has ended.
// Registered messages take their number from their own qualified name, so every
// process using the framework agrees on them. Rows kept for parts that do not exist
// yet are marked where they belong. Objects made on first use (the layers' background
// brushes) join the exit list when they are made, so they go before all of these.
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaletteGlyph.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "CExtSoundPlayerHolder.h"
#include "CExtToolControlBar.h"
#include "CExtWndHookChain.h"
#include "CInPlaceEditWnd.h"

#define VORN_REGISTERED_MESSAGE(owner, name) const UINT owner::name = ::RegisterWindowMessage(#owner "::" #name)

// 1: the popup menu tracking context, before everything a tracked menu uses. It goes
// last, after the looks: the application closes a tracked menu at its exit, and what
// is left here is only unhooked and freed.
CExtPopupTrackContext g_PopupTrackContext;

// 2
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareMenu);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupNext);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupPrev);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgNotifyMenuExpanded);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgNotifyMenuClosed);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawItem);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawLeftArea);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgCreateInplaceEdit);

// 3 to 5: the menu sound player's holder, its named event and its lock.
CExtSoundPlayerHolder g_SoundPlayer;
CExtSoundPlayer::CPlayingEvent CExtSoundPlayer::g_eventIdle;
CCriticalSection CExtSoundPlayer::g_csStart;

// 6
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd, g_nMsgDeleteSelection);
VORN_REGISTERED_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd, g_nMsgSelectAll);

// 7: installs the flat look; deletes the installed look at exit.
CExtPaintManagerHolder g_PaintManagerHolder;

// 8
CExtPaletteGlyphRecords g_PaletteGlyphs;

// 9
VORN_REGISTERED_MESSAGE(CExtToolControlBar, g_nMsgTrackButtonMenu);
VORN_REGISTERED_MESSAGE(CExtToolControlBar, g_nMsgContinueTrackMenu);

// 10: the standard cursors of the resizing and dragging loops.

// 11, 12
CCriticalSection CExtControlBar::g_csBars;
CArray<CExtControlBar*, CExtControlBar*> CExtControlBar::g_arrBars;

// 13: the dock-bar style map.

// 14
VORN_REGISTERED_MESSAGE(CExtControlBar, g_nMsgQueryRepositionCalcEffect);
VORN_REGISTERED_MESSAGE(CExtControlBar, g_nMsgQueryIcon);
VORN_REGISTERED_MESSAGE(CExtControlBar, g_nMsgPutToPopupMenu);
VORN_REGISTERED_MESSAGE(CExtControlBar, g_nMsgConstructPopupMenu);

// 15: the two drag-state records.

// 16
CExtCommandManagerHolder g_CommandManagerHolder;

// 17: the map of hooked windows. At exit it frees only its entries: the chains
// still in it belong to windows that are gone by then.
CExtHookedWindowMap HookedWindowMap(10);
