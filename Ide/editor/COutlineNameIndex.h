// COutlineNameIndex: the nodes of one kind of an outline file by name, so that a lookup
// checks only the nodes of its name. Each name holds a chain of its nodes in the order of
// adding, linked through COutlineNode::m_pNextOfName; the names sit in one open-addressed
// table keyed by the first node's name. Adding or finding a node costs no allocation
// and copies no name: a large file adds tens of thousands of nodes in one parse.
#pragma once

#include <stddef.h>
#include <vector>

class COutlineNode;

class COutlineNameIndex
{
public:
    COutlineNameIndex();

    // The first node of the name and the number of nodes of the name; NULL and 0 when
    // there is none. The others follow through m_pNextOfName.
    COutlineNode* Find(const char* pszName, int& nCount) const;
    // Appends the node to the chain of its name.
    void Add(COutlineNode* pNode);
    // Takes the node out of its chain; FALSE when the index does not hold it.
    bool Remove(COutlineNode* pNode);
    bool Holds(const COutlineNode* pNode) const;
    // Forgets every node; the table keeps its size.
    void RemoveAll();
    // Puts each chain into ascending m_nOrder, keeping the order of equal ones.
    void SortChainsByOrder();

private:
    struct CSlot
    {
        unsigned int nHash;
        int nCount;            // nodes in the chain; 0 marks a free slot
        COutlineNode* pFirst;
        COutlineNode* pLast;
    };
    std::vector<CSlot> m_slots; // a power of two in size, never more than three quarters used
    size_t m_nUsed;

    static unsigned int Hash(const char* pName, size_t nLength);
    // The slot of the name, or the free slot where it would go.
    size_t FindSlot(const char* pName, size_t nLength, unsigned int nHash) const;
    size_t SlotOf(const COutlineNode* pNode) const;
    void FreeSlot(size_t nSlot);
    void Grow();
};
