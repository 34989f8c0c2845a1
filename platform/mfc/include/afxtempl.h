// Collection templates: a growable array and a doubly linked list addressed by POSITION.
#pragma once

#include <vector>
#include <algorithm>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() {}
    ~CArray() override {}

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return (INT_PTR)m_data.size() - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        m_data.resize(nNewSize > 0 ? (size_t)nNewSize : 0);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { ASSERT(IsIndex(nIndex)); return m_data[(size_t)nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { ASSERT(IsIndex(nIndex)); return m_data[(size_t)nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { ASSERT(IsIndex(nIndex)); m_data[(size_t)nIndex] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { ASSERT(IsIndex(nIndex)); return m_data[(size_t)nIndex]; }
    const TYPE* GetData() const { return m_data.empty() ? NULL : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? NULL : m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            return;
        if ((size_t)nIndex >= m_data.size())
            m_data.resize((size_t)nIndex + 1);
        m_data[(size_t)nIndex] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement) { m_data.push_back(newElement); return (INT_PTR)m_data.size() - 1; }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return nOldSize;
    }
    void Copy(const CArray& src) { if (this != &src) m_data = src.m_data; }

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Inserting past the end grows the array, as the framework's array does.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            return;
        TYPE value = newElement;
        if ((size_t)nIndex >= m_data.size()) {
            m_data.resize((size_t)nIndex + (size_t)nCount, value);
            return;
        }
        m_data.insert(m_data.begin() + nIndex, (size_t)nCount, value);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0 || (size_t)nIndex >= m_data.size())
            return;
        size_t last = std::min(m_data.size(), (size_t)nIndex + (size_t)nCount);
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + last);
    }

private:
    bool IsIndex(INT_PTR nIndex) const { return nIndex >= 0 && (size_t)nIndex < m_data.size(); }
    std::vector<TYPE> m_data;
};

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
        explicit CNode(ARG_TYPE value) : pNext(NULL), pPrev(NULL), data(value) {}
        CNode() : pNext(NULL), pPrev(NULL), data() {}
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { ASSERT(m_pHead != NULL); return m_pHead->data; }
    const TYPE& GetHead() const { ASSERT(m_pHead != NULL); return m_pHead->data; }
    TYPE& GetTail() { ASSERT(m_pTail != NULL); return m_pTail->data; }
    const TYPE& GetTail() const { ASSERT(m_pTail != NULL); return m_pTail->data; }

    TYPE RemoveHead()
    {
        ASSERT(m_pHead != NULL);
        TYPE value = m_pHead->data;
        RemoveAt(ToPosition(m_pHead));
        return value;
    }
    TYPE RemoveTail()
    {
        ASSERT(m_pTail != NULL);
        TYPE value = m_pTail->data;
        RemoveAt(ToPosition(m_pTail));
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
    POSITION AddHead() { return Link(new CNode(), NULL, m_pHead); }
    POSITION AddTail() { return Link(new CNode(), m_pTail, NULL); }
    void AddTail(const CList* pNewList)
    {
        for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
            AddTail(pNewList->GetNext(pos));
    }

    void RemoveAll()
    {
        while (m_pHead != NULL) {
            CNode* pNext = m_pHead->pNext;
            delete m_pHead;
            m_pHead = pNext;
        }
        m_pTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pTail); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { return ToNode(position)->data; }
    const TYPE& GetAt(POSITION position) const { return ToNode(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ToNode(pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        CNode* pNode = ToNode(position);
        if (pNode->pPrev) pNode->pPrev->pNext = pNode->pNext; else m_pHead = pNode->pNext;
        if (pNode->pNext) pNode->pNext->pPrev = pNode->pPrev; else m_pTail = pNode->pPrev;
        delete pNode;
        --m_nCount;
    }

    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pNext = position ? ToNode(position) : m_pHead;
        return Link(new CNode(newElement), pNext ? pNext->pPrev : NULL, pNext);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pPrev = position ? ToNode(position) : m_pTail;
        return Link(new CNode(newElement), pPrev, pPrev ? pPrev->pNext : NULL);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* pNode = startAfter ? ToNode(startAfter)->pNext : m_pHead;
        for (; pNode != NULL; pNode = pNode->pNext)
            if (pNode->data == searchValue)
                return ToPosition(pNode);
        return NULL;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* pNode = m_pHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return ToPosition(pNode);
    }

private:
    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* ToNode(POSITION pos) { ASSERT(pos != NULL); return reinterpret_cast<CNode*>(pos); }
    POSITION Link(CNode* pNode, CNode* pPrev, CNode* pNext)
    {
        pNode->pPrev = pPrev;
        pNode->pNext = pNext;
        if (pPrev) pPrev->pNext = pNode; else m_pHead = pNode;
        if (pNext) pNext->pPrev = pNode; else m_pTail = pNode;
        ++m_nCount;
        return ToPosition(pNode);
    }

    CNode* m_pHead = NULL;
    CNode* m_pTail = NULL;
    INT_PTR m_nCount = 0;
};
