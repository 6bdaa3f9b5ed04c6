#include "luadebugdataitem.h"

LuaDebugDataItem::LuaDebugDataItem(const char* name, const char* typeName, int kind,
                                   const char* valueText, int id)
    : m_Name(name), m_TypeName(typeName), m_nKind(kind), m_ValueText(valueText), m_nId(id),
      m_nExtra(0), m_pParent(nullptr)
{
}

LuaDebugDataItem::~LuaDebugDataItem()
{
    DeleteChildren();
}

LuaDebugDataItem* LuaDebugDataItem::GetChild(int index) const
{
    if (index < 0 || index >= m_Children.GetCount())
        return nullptr;
    return static_cast<LuaDebugDataItem*>(m_Children.Get(index));
}

bool LuaDebugDataItem::AddChild(LuaDebugDataItem* child)
{
    if (!child)
        return false;
    if (m_Children.Add(child) < 0)
    {
        delete child;
        return false;
    }
    child->m_pParent = this;
    return true;
}

void LuaDebugDataItem::DeleteChildren()
{
    for (int i = 0; i < m_Children.GetCount(); ++i)
        delete static_cast<LuaDebugDataItem*>(m_Children.Get(i));
    m_Children.RemoveAll();
}
