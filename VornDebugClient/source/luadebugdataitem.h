// One variable as the IDE sees it; an item owns its children.
#ifndef VORN_DEBUGCLIENT_LUADEBUGDATAITEM_H
#define VORN_DEBUGCLIENT_LUADEBUGDATAITEM_H

#include "dynarray.h"
#include "vstring.h"

class LuaDebugDataItem
{
public:
    LuaDebugDataItem(const char* name, const char* typeName, int kind, const char* valueText, int id);
    virtual ~LuaDebugDataItem();

    const String& GetName() const { return m_Name; }
    const String& GetTypeName() const { return m_TypeName; }
    int GetKind() const { return m_nKind; }
    const String& GetValueText() const { return m_ValueText; }
    int GetId() const { return m_nId; }
    LuaDebugDataItem* GetParent() const { return m_pParent; }

    int GetChildCount() const { return m_Children.GetCount(); }
    LuaDebugDataItem* GetChild(int index) const;
    // Takes ownership; false (and the child deleted) when it cannot be added.
    bool AddChild(LuaDebugDataItem* child);
    void DeleteChildren();

private:
    LuaDebugDataItem(const LuaDebugDataItem&) = delete;
    LuaDebugDataItem& operator=(const LuaDebugDataItem&) = delete;

    String m_Name;
    String m_TypeName;
    int m_nKind;
    String m_ValueText;
    int m_nId;
    int m_nExtra;
    LuaDebugDataItem* m_pParent;
    DynArray m_Children;
};

#endif
