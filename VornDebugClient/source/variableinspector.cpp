#include "variableinspector.h"

#include "boundedtext.h"
#include "luadebugdataitem.h"

#include <cstdio>
#include <cstring>

struct VariableInspector::Request
{
    VariableInspector* self;
    int level;
    int number;
    const char* text;
    bool forWatch;
};

struct VariableInspector::Evaluation
{
    bool ok;
    int kind;
    int id;
    const char* typeName;
    char valueText[VALUE_TEXT_SIZE];
};

namespace
{
    // Stands in the save table for a global that did not exist.
    char s_AbsentMarker;

    // An expression gets this long to answer; a loop that never ends is cut off so
    // the worker can go on with the session.
    const DWORD EXPRESSION_TIME_LIMIT_MS = 500;
    // Instructions between two looks at the clock while an expression runs.
    const int EXPRESSION_CHECK_COUNT = 1000;
    const char EXPRESSION_TOO_LONG[] = "expression took too long";

    // Only the worker evaluates, one expression at a time, while the script waits.
    volatile bool s_bEvaluating;
    DWORD s_ExpressionStart;
    bool s_ExpressionCutOff;
    // The stopped thread's hook, which a coroutine the script makes gets.
    lua_Hook s_ScriptHook;
    int s_nScriptHookMask;
    int s_nScriptHookCount;

    // The count hook of the thread an expression runs on. Raises an error, so it
    // keeps no C++ object on its frame.
    void ExpressionBudgetHook(lua_State* L, lua_Debug*)
    {
        if (!s_bEvaluating)
        {
            // A coroutine the expression made took this hook with it and now runs
            // in the script: it gets the hook it would have had from the script.
            lua_sethook(L, s_ScriptHook, s_nScriptHookMask, s_nScriptHookCount);
            return;
        }
        if (GetTickCount() - s_ExpressionStart < EXPRESSION_TIME_LIMIT_MS)
            return;
        // From now on every instruction raises it again, so a loop that catches
        // the error with pcall cannot go on either.
        s_ExpressionCutOff = true;
        lua_sethook(L, ExpressionBudgetHook, LUA_MASKCOUNT, 1);
        lua_pushstring(L, EXPRESSION_TOO_LONG);
        lua_error(L);
    }

    // Calls the function on top of L's stack with no arguments and all results on a
    // thread of its own, whose only hook is the budget's: the stopped thread keeps
    // its hook and mask untouched, and waits inside the client's hook, where Lua
    // would call no hook at all. Leaves the last result (nothing when there is
    // none), or the error message, on L in place of the function; returns the
    // status of the call.
    int CallWithinBudget(lua_State* L)
    {
        int function = lua_gettop(L);
        lua_State* thread = lua_newthread(L);
        lua_pushvalue(L, function);
        lua_xmove(L, thread, 1);
        lua_sethook(thread, ExpressionBudgetHook, LUA_MASKCOUNT, EXPRESSION_CHECK_COUNT);
        s_ScriptHook = lua_gethook(L);
        s_nScriptHookMask = lua_gethookmask(L);
        s_nScriptHookCount = lua_gethookcount(L);
        s_ExpressionCutOff = false;
        s_ExpressionStart = GetTickCount();
        s_bEvaluating = true;
        int status = lua_pcall(thread, 0, LUA_MULTRET, 0);
        s_bEvaluating = false;
        lua_sethook(thread, nullptr, 0, 0);
        if (lua_gettop(thread) > 0)
            lua_xmove(thread, L, 1);
        lua_remove(L, function + 1);   // the thread
        lua_remove(L, function);
        return status;
    }

    // Finds the stack level of a call-stack row as the IDE counts rows: row n is the
    // n-th level whose source is a file, from where the script stopped outward, as
    // the StackEntry messages listed them (C functions and string chunks have no
    // row). Runs inside a protected call, whose own C function is level 0.
    bool GetStopLevel(lua_State* L, int row, lua_Debug* ar)
    {
        if (row < 0)
            return false;
        for (int level = 1; lua_getstack(L, level, ar); ++level)
        {
            if (!lua_getinfo(L, "S", ar) || !ar->source || ar->source[0] != '@')
                continue;
            if (row-- == 0)
                return true;
        }
        return false;
    }

}

// The request handed to a protected call, taken off the Lua stack.
VariableInspector::Request* VariableInspector::RequestOf(lua_State* L)
{
    void* request = lua_touserdata(L, 1);
    lua_settop(L, 0);
    return static_cast<Request*>(request);
}

VariableInspector::VariableInspector(LuaDebugDataItem& locals, LuaDebugDataItem& globals,
                                     SimpleArray<int>& temporaries)
    : m_Locals(locals), m_Globals(globals), m_pTableMembers(nullptr), m_pWatchResult(nullptr),
      m_References(temporaries), m_nExpandedId(-1), m_bRunningScript(0),
      m_pRunCounter(nullptr)
{
    m_szWatchError[0] = m_szConditionValue[0] = m_szConditionType[0] = m_szHover[0] = '\0';
}

VariableInspector::~VariableInspector()
{
    FreeItems();
}

bool VariableInspector::CreateTableMembersItem()
{
    if (!m_pTableMembers)
        m_pTableMembers = new (std::nothrow)
            LuaDebugDataItem("TableMembers", "Table", LUA_TTABLE, "", Wire::NO_ID);
    return m_pTableMembers != nullptr;
}

void VariableInspector::FreeItems()
{
    delete m_pTableMembers;
    m_pTableMembers = nullptr;
    delete m_pWatchResult;
    m_pWatchResult = nullptr;
    m_Locals.DeleteChildren();
    m_Globals.DeleteChildren();
    m_nExpandedId = -1;
}

bool VariableInspector::ProtectedCall(lua_State* L, lua_CFunction fn, void* userData)
{
    if (!L)
        return false;
    int top = lua_gettop(L);
    InterlockedExchange(&m_bRunningScript, 1);
    if (m_pRunCounter)
        InterlockedIncrement(m_pRunCounter);
    int status = LuaCompat::ProtectedCall(L, fn, userData);
    InterlockedExchange(&m_bRunningScript, 0);
    lua_settop(L, top);   // drops the error message of a failed call
    return status == 0;
}

bool VariableInspector::Run(lua_State* L, lua_CFunction fn, Request& request)
{
    request.self = this;
    return ProtectedCall(L, fn, &request);
}

void VariableInspector::AddValueItem(lua_State* L, LuaDebugDataItem& parent, const char* name)
{
    char value[VALUE_TEXT_SIZE];
    ValueFormatter::ValueText(L, -1, value, sizeof(value));
    int kind = lua_type(L, -1);
    const char* typeName = ValueFormatter::TypeName(L, -1);
    int id = Wire::NO_ID;
    if (kind == LUA_TTABLE)
        id = m_References.KeepTemporary(L);
    else
        lua_pop(L, 1);
    parent.AddChild(new (std::nothrow) LuaDebugDataItem(name, typeName, kind, value, id));
}

// ---- locals ---------------------------------------------------------------------

int VariableInspector::ProtectedLocals(lua_State* L)
{
    Request* request = RequestOf(L);
    VariableInspector* self = request->self;
    lua_Debug ar;
    if (!GetStopLevel(L, request->level, &ar))
        return 0;
    for (int i = 1;; ++i)
    {
        const char* name = lua_getlocal(L, &ar, i);
        if (!name)
            break;
        char localName[VALUE_TEXT_SIZE];
        CopyBounded(localName, name);
        self->AddValueItem(L, self->m_Locals, localName);
    }
    return 0;
}

bool VariableInspector::CollectLocals(lua_State* L, int level)
{
    m_Locals.DeleteChildren();
    Request request = {this, level, 0, nullptr, false};
    return Run(L, ProtectedLocals, request);
}

// ---- globals and table members ------------------------------------------------

int VariableInspector::ProtectedGlobals(lua_State* L)
{
    VariableInspector* self = RequestOf(L)->self;
    lua_pushvalue(L, LUA_GLOBALSINDEX);
    int id = self->m_References.KeepTemporary(L);
    self->m_Globals.AddChild(new (std::nothrow) LuaDebugDataItem("Globals", "Table", LUA_TTABLE, "", id));
    return 0;
}

bool VariableInspector::CollectGlobals(lua_State* L)
{
    m_Globals.DeleteChildren();
    Request request = {this, 0, 0, nullptr, false};
    return Run(L, ProtectedGlobals, request);
}

void VariableInspector::FillTableMembers(lua_State* L, int number, LuaDebugDataItem& parent)
{
    m_References.PushReference(L, number);
    if (lua_type(L, -1) != LUA_TTABLE)
    {
        lua_pop(L, 1);
        return;
    }
    int table = lua_gettop(L);
    lua_pushnil(L);
    while (lua_next(L, table))
    {
        if (lua_type(L, -1) == LUA_TFUNCTION)
        {
            lua_pop(L, 1);
            continue;
        }
        char key[VALUE_TEXT_SIZE];
        ValueFormatter::KeyText(L, -2, key, sizeof(key));
        AddValueItem(L, parent, key);   // pops the value, leaves the key for lua_next
    }
    lua_pop(L, 1);
}

int VariableInspector::ProtectedExpand(lua_State* L)
{
    Request* request = RequestOf(L);
    VariableInspector* self = request->self;
    self->FillTableMembers(L, request->number, *self->m_pTableMembers);
    return 0;
}

bool VariableInspector::ExpandTable(lua_State* L, int number)
{
    if (!m_pTableMembers)
        return false;
    m_pTableMembers->DeleteChildren();
    m_nExpandedId = number;
    Request request = {this, 0, number, nullptr, false};
    return Run(L, ProtectedExpand, request);
}

// ---- hover value ------------------------------------------------------------------

bool VariableInspector::FindLocal(lua_State* L, int level, const char* name)
{
    lua_Debug ar;
    if (!GetStopLevel(L, level, &ar))
        return false;
    for (int i = 1;; ++i)
    {
        const char* localName = lua_getlocal(L, &ar, i);
        if (!localName)
            return false;
        if (std::strcmp(localName, name) == 0)
            return true;   // its value stays on the stack
        lua_pop(L, 1);
    }
}

int VariableInspector::ProtectedVariable(lua_State* L)
{
    Request* request = RequestOf(L);
    VariableInspector* self = request->self;
    char description[ValueFormatter::HOVER_TEXT_SIZE];
    const char* scope = "local";
    if (!self->FindLocal(L, request->level, request->text))
    {
        lua_pushstring(L, request->text);
        lua_rawget(L, LUA_GLOBALSINDEX);
        if (lua_isnil(L, -1))
            return 0;
        scope = "global";
    }
    ValueFormatter::Describe(L, -1, description, sizeof(description));
    std::snprintf(self->m_szHover, sizeof(self->m_szHover), "%s %s : %s ", scope, request->text,
                  description);
    return 0;
}

bool VariableInspector::GetVariable(lua_State* L, const char* name, int level)
{
    m_szHover[0] = '\0';
    Request request = {this, level, 0, name ? name : "", false};
    return Run(L, ProtectedVariable, request);
}

// ---- expressions ------------------------------------------------------------------

// Makes the locals of the level visible as globals for the expression; the globals
// they hide are kept in the save table. A later local of the same name wins.
void VariableInspector::SetLevelEnvironment(lua_State* L, int level, int saveTable)
{
    lua_Debug ar;
    if (!GetStopLevel(L, level, &ar))
        return;
    for (int i = 1;; ++i)
    {
        const char* name = lua_getlocal(L, &ar, i);
        if (!name)
            break;
        int value = lua_gettop(L);
        lua_pushstring(L, name);
        lua_rawget(L, saveTable);
        bool saved = !lua_isnil(L, -1);
        lua_pop(L, 1);
        if (!saved)
        {
            lua_pushstring(L, name);
            lua_pushstring(L, name);
            lua_rawget(L, LUA_GLOBALSINDEX);
            if (lua_isnil(L, -1))
            {
                lua_pop(L, 1);
                lua_pushlightuserdata(L, &s_AbsentMarker);
            }
            lua_rawset(L, saveTable);
        }
        lua_pushstring(L, name);
        lua_pushvalue(L, value);
        lua_rawset(L, LUA_GLOBALSINDEX);
        lua_pop(L, 1);
    }
}

void VariableInspector::RestoreGlobals(lua_State* L, int saveTable)
{
    lua_pushnil(L);
    while (lua_next(L, saveTable))
    {
        if (lua_touserdata(L, -1) == &s_AbsentMarker)
        {
            lua_pop(L, 1);
            lua_pushnil(L);
        }
        lua_pushvalue(L, -2);
        lua_insert(L, -2);
        lua_rawset(L, LUA_GLOBALSINDEX);
    }
}

void VariableInspector::Evaluate(lua_State* L, const char* expression, int level, Evaluation& result)
{
    result.ok = false;
    result.kind = LUA_TNIL;
    result.id = Wire::NO_ID;
    result.typeName = "Nil";
    result.valueText[0] = '\0';

    lua_newtable(L);
    int saveTable = lua_gettop(L);
    SetLevelEnvironment(L, level, saveTable);

    lua_pushstring(L, "return ");
    lua_pushstring(L, expression);
    lua_concat(L, 2);
    size_t codeLength = 0;
    const char* code = LuaCompat::ToLString(L, -1, &codeLength);
    int base = lua_gettop(L);
    if (luaL_loadbuffer(L, code, codeLength, code) != 0)
    {
        const char* message = lua_tostring(L, -1);
        CopyBounded(result.valueText, sizeof(result.valueText), message ? message : "");
    }
    else if (CallWithinBudget(L) != 0)
    {
        const char* message = s_ExpressionCutOff ? EXPRESSION_TOO_LONG : lua_tostring(L, -1);
        const char* after = message ? std::strstr(message, ": ") : nullptr;
        CopyBounded(result.valueText, sizeof(result.valueText), after ? after + 2 : (message ? message : ""));
    }
    else
    {
        // An expression that yields no value reads as nil.
        if (lua_gettop(L) == base)
            lua_pushnil(L);
        result.ok = true;
        result.kind = lua_type(L, -1);
        result.typeName = ValueFormatter::TypeName(L, -1);
        ValueFormatter::ValueText(L, -1, result.valueText, sizeof(result.valueText));
        if (result.kind == LUA_TTABLE)
        {
            lua_pushvalue(L, -1);
            result.id = m_References.KeepTemporary(L);
        }
    }
    lua_settop(L, saveTable);
    RestoreGlobals(L, saveTable);
    lua_pop(L, 1);
}

int VariableInspector::ProtectedEvaluate(lua_State* L)
{
    Request* request = RequestOf(L);
    VariableInspector* self = request->self;
    Evaluation result;
    self->Evaluate(L, request->text, request->level, result);
    if (request->forWatch)
    {
        if (result.ok)
            self->m_pWatchResult = new (std::nothrow) LuaDebugDataItem(
                request->text, result.typeName, result.kind, result.valueText, result.id);
        else
            CopyBounded(self->m_szWatchError, result.valueText);
    }
    else
    {
        CopyBounded(self->m_szConditionValue, result.valueText);
        CopyBounded(self->m_szConditionType, result.typeName);
    }
    return 0;
}

bool VariableInspector::EvaluateWatch(lua_State* L, const char* expression, int level)
{
    delete m_pWatchResult;
    m_pWatchResult = nullptr;
    CopyBounded(m_szWatchError, "");
    Request request = {this, level, 0, expression ? expression : "", true};
    bool ran = Run(L, ProtectedEvaluate, request);
    if (!ran && !m_pWatchResult && !m_szWatchError[0])
        CopyBounded(m_szWatchError, "not enough memory");
    return ran;
}

bool VariableInspector::EvaluateExpression(lua_State* L, const char* expression)
{
    // A failed evaluation still answers: the IDE reads type "Nil" as a false condition.
    CopyBounded(m_szConditionValue, "");
    CopyBounded(m_szConditionType, "Nil");
    Request request = {this, 0, 0, expression ? expression : "", false};
    bool ran = Run(L, ProtectedEvaluate, request);
    if (!ran)
    {
        CopyBounded(m_szConditionValue, "not enough memory");
        CopyBounded(m_szConditionType, "Nil");
    }
    return ran;
}
