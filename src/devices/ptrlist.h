// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// A doubly linked list of pointer-sized values, used for the list of links and
// the list of known recorders. The list owns its nodes, not the values.
class PtrList
{
public:
    using Value = void *;
    using Visitor = void (*)(Value value, void *context);
    using Predicate = bool (*)(Value value, void *context);

    PtrList() = default;
    virtual ~PtrList();

    PtrList(const PtrList &) = delete;
    PtrList &operator=(const PtrList &) = delete;

    virtual int AddHead(Value value);
    virtual int AddTail(Value value);
    virtual int InsertBefore(Value value, int position);
    virtual void Remove(Value value);
    virtual void RemoveAll();
    virtual void RemoveAllAndDelete(void (*deleter)(Value));
    virtual quint16 GetCount() const;
    virtual int IndexOf(Value value) const;
    virtual Value GetAt(int index) const;
    virtual void ForEach(Visitor visit, void *context) const;
    virtual Value FindFirst(Predicate matches, void *context) const;

    // Typed helpers over the untyped slots.
    template <typename T>
    T *At(int index) const
    {
        return static_cast<T *>(GetAt(index));
    }

private:
    struct Node
    {
        Value value;
        Node *previous;
        Node *next;
    };

    Node *NodeAt(int index) const;
    void Unlink(Node *node);

    Node *head = nullptr;
    Node *tail = nullptr;
    quint16 count = 0;
};
