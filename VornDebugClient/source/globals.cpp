#include "globals.h"

#include "criticalsection.h"
#include "debugclient.h"
#include "event.h"
#include "luadebugdataitem.h"
#include "networkthread.h"
#include "wireprotocol.h"

// One translation unit, so the order below is the order of construction.
Event g_ContinueEvent;
Event g_PacketSentEvent;
LuaDebugDataItem g_LocalsList("Locals", "", 0, "", Wire::NO_ID);
LuaDebugDataItem g_GlobalsList("Globals", "", 0, "", Wire::NO_ID);
SimpleArray<int> g_TempReferences;
NetworkThread g_Worker;
DebugClient g_Engine(g_LocalsList, g_GlobalsList, g_TempReferences);
CriticalSection g_GlobalLock(true);

volatile bool g_bWinsockWanted = false;
volatile bool g_bInitialized = false;
