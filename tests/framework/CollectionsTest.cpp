#include "framework/core/Collections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <class A> std::vector<int> Items(const A& a)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(int(a[i]));
    return v;
}

TEST(CArray, InsertRemoveAndGrow)
{
    CArray<int, int> a;
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(a.Add(i * 10), i - 1);
    a.InsertAt(0, 5);
    a.InsertAt(5, 99);   // at the end
    a.InsertAt(2, 7, 2); // two copies
    EXPECT_EQ(Items(a), (std::vector<int>{5, 10, 7, 7, 20, 30, 40, 99}));
    a.RemoveAt(2, 2);
    a.RemoveAt(a.GetUpperBound());
    EXPECT_EQ(Items(a), (std::vector<int>{5, 10, 20, 30, 40}));
    a.SetAtGrow(7, 1);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 10, 20, 30, 40, 0, 0, 1}));
    a.SetSize(2);
    a.ElementAt(1) = 11;
    a.SetAt(0, 4);
    EXPECT_EQ(Items(a), (std::vector<int>{4, 11}));

    // Inserting an element of the array itself copies it before the storage moves.
    CWordArray w;
    w.Add(1);
    w.Add(2);
    for (int i = 0; i < 100; ++i)
        w.InsertAt(0, w[w.GetUpperBound()]);
    EXPECT_EQ(w.GetSize(), 102);
    EXPECT_EQ(w[0], 2);
}

TEST(CArray, CopyAndAppendIncludingItself)
{
    CDWordArray a, b;
    a.Add(1);
    a.Add(2);
    b.Copy(a);
    EXPECT_EQ(b.Append(a), 2);
    EXPECT_EQ(Items(b), (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(b.Append(b), 4);
    EXPECT_EQ(Items(b), (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2}));
    b.Copy(b);
    EXPECT_EQ(b.GetCount(), 8);
    b.InsertAt(1, &a);
    EXPECT_EQ(Items(b).size(), 10u);
    EXPECT_EQ(b[1], 1u);
    b.RemoveAll();
    EXPECT_TRUE(b.IsEmpty());
}

TEST(CArray, StringAndPointerArrays)
{
    CStringArray names;
    names.Add("x");
    names.Add(CString("y"));
    names.InsertAt(0, "w");
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_STREQ(names[0], "w");
    EXPECT_STREQ(names.GetAt(2), "y");

    int a = 1, b = 2;
    CPtrArray p;
    p.Add(&a);
    p.Add(&b);
    EXPECT_EQ(*static_cast<int*>(p[1]), 2);
    CObArray o;
    o.SetSize(3);
    EXPECT_EQ(o[2], nullptr);
}

TEST(CList, HeadTailAndPositions)
{
    CStringList list;
    list.AddTail(CString("b"));
    list.AddHead(CString("a"));
    const POSITION c = list.AddTail(CString("c"));
    list.InsertBefore(c, CString("b2"));
    list.InsertAfter(c, CString("d"));
    std::string order;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        order += list.GetNext(pos).GetString();
    EXPECT_EQ(order, "abb2cd");
    EXPECT_EQ(list.GetCount(), 5);

    const POSITION b2 = list.Find(CString("b2"));
    ASSERT_NE(b2, nullptr);
    list.RemoveAt(b2);
    EXPECT_EQ(list.Find(CString("b2")), nullptr);
    EXPECT_EQ(list.Find(CString("a"), list.GetHeadPosition()), nullptr); // search starts after
    EXPECT_STREQ(list.RemoveHead(), "a");
    EXPECT_STREQ(list.RemoveTail(), "d");
    EXPECT_STREQ(list.GetAt(list.FindIndex(1)), "c");
    EXPECT_EQ(list.FindIndex(2), nullptr);

    order.clear();
    for (POSITION pos = list.GetTailPosition(); pos;)
        order += list.GetPrev(pos).GetString();
    EXPECT_EQ(order, "cb");
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(CList, RemovingWhileWalking)
{
    CPtrList list;
    int v[6] = {};
    for (int& x : v)
        list.AddTail(&x);
    // Removing the element just returned keeps the walk valid.
    int removed = 0;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        void* p = list.GetNext(pos);
        if ((static_cast<int*>(p) - v) % 2 == 0) {
            list.RemoveAt(current);
            ++removed;
        }
    }
    EXPECT_EQ(removed, 3);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetHead(), &v[1]);
    EXPECT_EQ(list.GetTail(), &v[5]);
}

TEST(CMap, LookupRemoveAndOrderedWalk)
{
    CMapStringToString map;
    map.SetAt("one", "1");
    map.SetAt("two", "2");
    map.SetAt("three", "3");
    map.SetAt("two", "II"); // replaces, keeps its place
    map["four"] = "4";
    EXPECT_EQ(map.GetCount(), 4);

    CString value;
    EXPECT_TRUE(map.Lookup("two", value));
    EXPECT_STREQ(value, "II");
    EXPECT_FALSE(map.Lookup("TWO", value)); // keys are case-sensitive
    EXPECT_FALSE(map.Lookup("five", value));

    // The walk follows first insertion; removing the key just returned is allowed.
    std::string walk;
    CString key;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        walk += std::string(key) + "=" + std::string(value) + ";";
        if (key == "one") {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(walk, "one=1;two=II;three=3;four=4;");
    EXPECT_FALSE(map.RemoveKey("one"));
    EXPECT_EQ(map.GetCount(), 3);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMap, PointerAndGenericKeys)
{
    CMapPtrToPtr handles(10);
    int a = 0, b = 0;
    handles.SetAt(&a, &b);
    void* found = nullptr;
    EXPECT_TRUE(handles.Lookup(&a, found));
    EXPECT_EQ(found, &b);
    EXPECT_FALSE(handles.Lookup(&b, found));

    CMap<int, int, double, double> squares;
    for (int i = -3; i <= 3; ++i)
        squares[i] = i * i;
    double d = 0;
    EXPECT_TRUE(squares.Lookup(-3, d));
    EXPECT_EQ(d, 9.0);
    EXPECT_EQ(squares.GetSize(), 7);

    CMapStringToPtr byName;
    byName.SetAt("x", &a);
    EXPECT_TRUE(byName.Lookup(CString("x"), found));
    EXPECT_EQ(found, &a);
}

} // namespace
