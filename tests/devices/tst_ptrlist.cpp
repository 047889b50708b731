// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/ptrlist.h"

#include <QTest>

#include <vector>

namespace {

int a = 1, b = 2, c = 3, d = 4;

std::vector<void *> Contents(const PtrList &list)
{
    std::vector<void *> out;
    list.ForEach(
        [](void *value, void *context) {
            static_cast<std::vector<void *> *>(context)->push_back(value);
        },
        &out);
    return out;
}

} // namespace

class TestPtrList : public QObject
{
    Q_OBJECT

private slots:
    void addTailReturnsNewIndex();
    void getAtOutsideRangeIsNull();
    void removeUnlinksFirstMatchOnly();
    void removeOfAbsentValueChangesNothing();
    void insertAndIndexOf();
    void findFirstWithoutMatchIsNull();
    void holdsFullWidthPointers();
};

void TestPtrList::addTailReturnsNewIndex()
{
    PtrList list;
    QCOMPARE(list.AddTail(&a), 0);
    QCOMPARE(list.AddTail(&b), 1);
    QCOMPARE(list.AddTail(&c), 2);
    QCOMPARE(list.AddHead(&d), 0);
    QCOMPARE(Contents(list), (std::vector<void *>{&d, &a, &b, &c}));
}

void TestPtrList::getAtOutsideRangeIsNull()
{
    PtrList list;
    list.AddTail(&a);
    list.AddTail(&b);
    QCOMPARE(list.GetAt(1), static_cast<void *>(&b));
    QCOMPARE(list.GetAt(2), nullptr);
    QCOMPARE(list.GetAt(-1), nullptr);
}

void TestPtrList::removeUnlinksFirstMatchOnly()
{
    PtrList list;
    for (void *value : {(void *)&a, (void *)&b, (void *)&a, (void *)&c})
        list.AddTail(value);
    list.Remove(&a);
    QCOMPARE(Contents(list), (std::vector<void *>{&b, &a, &c}));
    list.Remove(&c);
    list.Remove(&b);
    list.Remove(&a);
    QCOMPARE(list.GetCount(), 0);
    QCOMPARE(list.AddTail(&d), 0);
    QCOMPARE(Contents(list), (std::vector<void *>{&d}));
}

void TestPtrList::removeOfAbsentValueChangesNothing()
{
    PtrList list;
    list.AddTail(&a);
    list.Remove(&b);
    QCOMPARE(list.GetCount(), 1);
    QCOMPARE(list.GetAt(0), static_cast<void *>(&a));
}

void TestPtrList::insertAndIndexOf()
{
    PtrList list;
    list.AddTail(&a);
    list.AddTail(&c);
    list.InsertBefore(&b, 1);
    list.InsertBefore(&d, 9);
    QCOMPARE(Contents(list), (std::vector<void *>{&a, &b, &c, &d}));
    QCOMPARE(list.IndexOf(&c), 2);
    QCOMPARE(list.IndexOf(nullptr), -1);
    list.RemoveAll();
    QCOMPARE(list.GetCount(), 0);
    QCOMPARE(list.GetAt(0), nullptr);
}

void TestPtrList::findFirstWithoutMatchIsNull()
{
    PtrList list;
    list.AddTail(&a);
    list.AddTail(&b);
    auto isThree = [](void *value, void *) { return *static_cast<int *>(value) == 3; };
    QCOMPARE(list.FindFirst(isThree, nullptr), nullptr);
    list.AddTail(&c);
    QCOMPARE(list.FindFirst(isThree, nullptr), static_cast<void *>(&c));
}

void TestPtrList::holdsFullWidthPointers()
{
    PtrList list;
    void *high = reinterpret_cast<void *>(quintptr(0x7FFF12345678ull));
    list.AddTail(high);
    QCOMPARE(list.GetAt(0), high);
}

QTEST_GUILESS_MAIN(TestPtrList)
#include "tst_ptrlist.moc"
