/* The debug-interface library's five entry points, as the IDE binds them by name
 * at each internal-mode start, and one the IDE asks where the library has it. All
 * use the C calling convention; the five return no result and each returns at
 * once. */
#ifndef VORN_DEBUGINT_H
#define VORN_DEBUGINT_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(VORN_DEBUGINT_BUILD)
#define VORN_DEBUGINT_API __declspec(dllexport)
#else
#define VORN_DEBUGINT_API __declspec(dllimport)
#endif

VORN_DEBUGINT_API void __cdecl VornDebugInt_Initialize(void);
/* host is always null and port always 7550: the client finds the IDE by itself. */
VORN_DEBUGINT_API void __cdecl VornDebugInt_Connect(const char* host, int port);
/* The full path of the file to run once the client is connected (at most 255
 * characters; a longer one is refused). */
VORN_DEBUGINT_API void __cdecl VornDebugInt_ExecuteFile(const char* path);
VORN_DEBUGINT_API void __cdecl VornDebugInt_Disconnect(void);
/* Waits at most 5 seconds for the script's thread to end. */
VORN_DEBUGINT_API void __cdecl VornDebugInt_Shutdown(void);

/* 1 while the script of an earlier session still runs: one stuck outside Lua (in
 * a C function) that Shutdown gave up waiting for. Until it ends no new session
 * can start. */
VORN_DEBUGINT_API int __cdecl VornDebugInt_IsScriptRunning(void);

typedef void(__cdecl* VornDebugInt_Initialize_t)(void);
typedef void(__cdecl* VornDebugInt_Connect_t)(const char*, int);
typedef void(__cdecl* VornDebugInt_ExecuteFile_t)(const char*);
typedef void(__cdecl* VornDebugInt_Disconnect_t)(void);
typedef void(__cdecl* VornDebugInt_Shutdown_t)(void);
typedef int(__cdecl* VornDebugInt_IsScriptRunning_t)(void);

#ifdef __cplusplus
}
#endif

#endif
