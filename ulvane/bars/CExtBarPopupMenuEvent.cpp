// CExtBarPopupMenuEvent: the message it travels with.
#include "CExtBarPopupMenuEvent.h"

#include "CExtControlBar.h"

UINT CExtBarPopupMenuEvent::NotifyMessage()
{
    return CExtControlBar::g_nMsgConstructPopupMenu;
}
