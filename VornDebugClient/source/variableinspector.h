// Answers the IDE's questions about a stopped script: locals, globals, table
// members, hover values, watch and condition expressions. Runs on the worker
// thread, and only while the script thread waits, on the Lua state that stopped.
// Every operation runs inside a protected call, so a Lua error (out of memory, a
// failing metamethod) ends that one answer and never reaches the panic handler.
#ifndef VORN_DEBUGCLIENT_VARIABLEINSPECTOR_H
#define VORN_DEBUGCLIENT_VARIABLEINSPECTOR_H

#include "luacompat.h"
#include "referencetable.h"
#include "valueformatter.h"
#include "winheaders.h"
#include "wireprotocol.h"

class LuaDebugDataItem;

class VariableInspector
{
public:
    enum { VALUE_TEXT_SIZE = Wire::DATAGRAM_SIZE, REPLY_SIZE = 256 };

    VariableInspector(LuaDebugDataItem& locals, LuaDebugDataItem& globals, SimpleArray<int>& temporaries);
    ~VariableInspector();

    bool CreateTableMembersItem();
    void FreeItems();

    ReferenceTable& GetReferences() { return m_References; }
    // True while the worker runs Lua on the stopped script's state (an expression,
    // a metamethod, a finalizer the collector calls): hook events and output that
    // come meanwhile are the worker's.
    bool IsRunningScript() const { return m_bRunningScript != 0; }
    // A counter raised each time the worker starts running Lua: the hook's quiet
    // path holds only within one value of it, so it never takes the worker's events.
    void SetRunCounter(volatile LONG* counter) { m_pRunCounter = counter; }
    // Runs fn protected on the worker, as every request does; the stack is left as
    // it was. False on a Lua error.
    bool ProtectedCall(lua_State* L, lua_CFunction fn, void* userData);

    // level: a row of the IDE's call stack, counting only the levels whose source is
    // a file (0: where the script stopped).
    bool CollectLocals(lua_State* L, int level);
    bool CollectGlobals(lua_State* L);
    bool ExpandTable(lua_State* L, int number);
    bool GetVariable(lua_State* L, const char* name, int level);
    // Leaves the watch result, or the error text when the expression failed.
    bool EvaluateWatch(lua_State* L, const char* expression, int level);
    // Leaves the condition reply: value text and type name, or the error text and
    // "Nil". Evaluated at row 0.
    bool EvaluateExpression(lua_State* L, const char* expression);

    const LuaDebugDataItem& GetLocals() const { return m_Locals; }
    const LuaDebugDataItem& GetGlobals() const { return m_Globals; }
    const LuaDebugDataItem* GetTableMembers() const { return m_pTableMembers; }
    int GetExpandedTableId() const { return m_nExpandedId; }
    const LuaDebugDataItem* GetWatchResult() const { return m_pWatchResult; }
    const char* GetWatchError() const { return m_szWatchError; }
    const char* GetConditionValue() const { return m_szConditionValue; }
    const char* GetConditionType() const { return m_szConditionType; }
    const char* GetHoverReply() const { return m_szHover; }

private:
    VariableInspector(const VariableInspector&) = delete;
    VariableInspector& operator=(const VariableInspector&) = delete;

    struct Request;
    struct Evaluation;
    static Request* RequestOf(lua_State* L);
    static int ProtectedLocals(lua_State* L);
    static int ProtectedGlobals(lua_State* L);
    static int ProtectedExpand(lua_State* L);
    static int ProtectedVariable(lua_State* L);
    static int ProtectedEvaluate(lua_State* L);
    bool Run(lua_State* L, lua_CFunction fn, Request& request);

    // Makes an item of the value on top of the stack (popping it) under parent.
    void AddValueItem(lua_State* L, LuaDebugDataItem& parent, const char* name);
    void FillTableMembers(lua_State* L, int number, LuaDebugDataItem& parent);
    bool FindLocal(lua_State* L, int level, const char* name);
    static void SetLevelEnvironment(lua_State* L, int level, int saveTable);
    static void RestoreGlobals(lua_State* L, int saveTable);
    void Evaluate(lua_State* L, const char* expression, int level, Evaluation& result);

    LuaDebugDataItem& m_Locals;
    LuaDebugDataItem& m_Globals;
    LuaDebugDataItem* m_pTableMembers;
    LuaDebugDataItem* m_pWatchResult;
    ReferenceTable m_References;
    int m_nExpandedId;
    volatile LONG m_bRunningScript;
    volatile LONG* m_pRunCounter;
    char m_szWatchError[VALUE_TEXT_SIZE];
    char m_szConditionValue[REPLY_SIZE];
    char m_szConditionType[REPLY_SIZE];
    char m_szHover[ValueFormatter::HOVER_TEXT_SIZE];
};

#endif
