// The library's global objects, built when it is loaded in this order and
// destroyed in reverse: continue event, packet-sent event, locals list, globals
// list, temporary references, worker, engine, global lock.
#ifndef VORN_DEBUGCLIENT_GLOBALS_H
#define VORN_DEBUGCLIENT_GLOBALS_H

#include "dynarray.h"

class Event;
class LuaDebugDataItem;
class NetworkThread;
class DebugClient;
class CriticalSection;

extern Event g_ContinueEvent;      // the stopped script waits on it
extern Event g_PacketSentEvent;    // the script waits on it until its datagram has gone
extern LuaDebugDataItem g_LocalsList;
extern LuaDebugDataItem g_GlobalsList;
extern SimpleArray<int> g_TempReferences;
extern NetworkThread g_Worker;
extern DebugClient g_Engine;
extern CriticalSection g_GlobalLock;

// Set by VornDebugClient_Initialize: the worker starts Windows Sockets.
extern volatile bool g_bWinsockWanted;
// Set by a successful VornDebugClient_Initialize, cleared by VornDebugClient_Shutdown.
extern volatile bool g_bInitialized;

#endif
