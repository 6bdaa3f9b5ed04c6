/* The debug client library's interface for Lua host programs. A host loads the
 * library built for its Lua version and binds these six functions by name. */
#ifndef VORN_DEBUGCLIENT_VORNDEBUGCLIENT_H
#define VORN_DEBUGCLIENT_VORNDEBUGCLIENT_H

#ifdef __cplusplus
extern "C" {
#endif

struct lua_State;
struct lua_Debug;

/* Optional host callbacks; each may be null and their results are ignored. */
typedef struct VornDebugClientImports
{
    /* After each call and return event, and each line event of a chunk loaded from a
     * file. ar is the record as Lua gave it to the hook (event, current line): ask
     * lua_getinfo for more. Not called once the session has ended. */
    void (*hookChain)(struct lua_State* L, struct lua_Debug* ar);
    void (*sessionEnded)(void);                                   /* the IDE stopped the session */
    void (*aboutToBreak)(void);                                   /* the script is about to stop */
    void (*resumed)(void);                                        /* the stopped script goes on */
    void (*printEcho)(const char* text);                          /* after each output was sent */
} VornDebugClientImports;

/* Return codes of VornDebugClient_Initialize and VornDebugClient_Connect. */
enum
{
    VORNDEBUGCLIENT_OK = 0,
    VORNDEBUGCLIENT_NO_MEMORY = 1,
    VORNDEBUGCLIENT_NO_THREAD = 2,
    VORNDEBUGCLIENT_NOT_INITIALIZED = 3,
    VORNDEBUGCLIENT_NO_STATE = 4,
    VORNDEBUGCLIENT_NO_IDE = 5
};

#if defined(VORN_DEBUGCLIENT_BUILD)
#define VORN_DEBUGCLIENT_API __declspec(dllexport)
#else
#define VORN_DEBUGCLIENT_API __declspec(dllimport)
#endif

VORN_DEBUGCLIENT_API void __cdecl VornDebugClient_InitImportAPI(const VornDebugClientImports* imports);
VORN_DEBUGCLIENT_API int __cdecl VornDebugClient_Initialize(struct lua_State* L);
VORN_DEBUGCLIENT_API void __cdecl VornDebugClient_RegisterPrintFunc(void);
VORN_DEBUGCLIENT_API int __cdecl VornDebugClient_Connect(const char* host);
VORN_DEBUGCLIENT_API void __cdecl VornDebugClient_Disconnect(void);
VORN_DEBUGCLIENT_API int __cdecl VornDebugClient_Shutdown(void);

/* The same functions as pointer types, for hosts that bind them at run time. */
typedef void(__cdecl* VornDebugClient_InitImportAPI_t)(const VornDebugClientImports*);
typedef int(__cdecl* VornDebugClient_Initialize_t)(struct lua_State*);
typedef void(__cdecl* VornDebugClient_RegisterPrintFunc_t)(void);
typedef int(__cdecl* VornDebugClient_Connect_t)(const char*);
typedef void(__cdecl* VornDebugClient_Disconnect_t)(void);
typedef int(__cdecl* VornDebugClient_Shutdown_t)(void);

#ifdef __cplusplus
}
#endif

#endif
