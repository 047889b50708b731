// SPDX-License-Identifier: GPL-3.0-or-later
#include "ptrlist.h"

PtrList::~PtrList()
{
    RemoveAll();
}

int PtrList::AddHead(Value value)
{
    Node *node = new Node{value, nullptr, head};
    if (head)
        head->previous = node;
    else
        tail = node;
    head = node;
    ++count;
    return 0;
}

int PtrList::AddTail(Value value)
{
    Node *node = new Node{value, tail, nullptr};
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    return ++count - 1;
}

// Inserts before the element at position; a position past the end appends.
int PtrList::InsertBefore(Value value, int position)
{
    Node *before = NodeAt(position);
    if (!before)
        return AddTail(value);
    if (before == head)
        return AddHead(value);
    Node *node = new Node{value, before->previous, before};
    before->previous->next = node;
    before->previous = node;
    ++count;
    return position;
}

void PtrList::Remove(Value value)
{
    for (Node *node = head; node; node = node->next) {
        if (node->value == value) {
            Unlink(node);
            return;
        }
    }
}

void PtrList::RemoveAll()
{
    while (head)
        Unlink(head);
}

void PtrList::RemoveAllAndDelete(void (*deleter)(Value))
{
    for (Node *node = head; node; node = node->next)
        deleter(node->value);
    RemoveAll();
}

quint16 PtrList::GetCount() const
{
    return count;
}

int PtrList::IndexOf(Value value) const
{
    int index = 0;
    for (Node *node = head; node; node = node->next, ++index) {
        if (node->value == value)
            return index;
    }
    return -1;
}

PtrList::Value PtrList::GetAt(int index) const
{
    const Node *node = NodeAt(index);
    return node ? node->value : nullptr;
}

void PtrList::ForEach(Visitor visit, void *context) const
{
    for (Node *node = head; node; node = node->next)
        visit(node->value, context);
}

PtrList::Value PtrList::FindFirst(Predicate matches, void *context) const
{
    for (Node *node = head; node; node = node->next) {
        if (matches(node->value, context))
            return node->value;
    }
    return nullptr;
}

PtrList::Node *PtrList::NodeAt(int index) const
{
    if (index < 0 || index >= count)
        return nullptr;
    Node *node = head;
    while (index-- > 0)
        node = node->next;
    return node;
}

void PtrList::Unlink(Node *node)
{
    (node->previous ? node->previous->next : head) = node->next;
    (node->next ? node->next->previous : tail) = node->previous;
    delete node;
    --count;
}
