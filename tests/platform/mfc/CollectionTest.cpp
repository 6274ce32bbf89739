// CList and CMap with POSITION iteration, and the CRect/CPoint value types.
#include <afxtempl.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

template <class List>
std::vector<CString> forward(const List& list) {
    std::vector<CString> out;
    for (POSITION p = list.GetHeadPosition(); p;)
        out.push_back(list.GetNext(p));
    return out;
}

TEST(MfcCollectionTest, ListInsertsFindsAndRemoves) {
    CStringList list;
    list.AddTail(L"b");
    list.AddHead(L"a");
    POSITION c = list.AddTail(L"c");
    list.InsertBefore(c, L"b2");
    list.InsertAfter(c, L"d");
    EXPECT_EQ(forward(list), (std::vector<CString>{L"a", L"b", L"b2", L"c", L"d"}));
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetAt(list.Find(L"c")), L"c");
    EXPECT_EQ(list.Find(L"zz"), nullptr);
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), L"b");
    EXPECT_EQ(list.FindIndex(5), nullptr);
    list.RemoveAt(list.Find(L"b2"));
    EXPECT_EQ(list.RemoveHead(), L"a");
    EXPECT_EQ(list.RemoveTail(), L"d");
    EXPECT_EQ(forward(list), (std::vector<CString>{L"b", L"c"}));
    std::vector<CString> backward;
    for (POSITION p = list.GetTailPosition(); p;)
        backward.push_back(list.GetPrev(p));
    EXPECT_EQ(backward, (std::vector<CString>{L"c", L"b"}));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    try {
        list.RemoveHead();
        ADD_FAILURE() << "no exception for an empty list";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

TEST(MfcCollectionTest, MapLooksUpInsertsAndIterates) {
    CMap<CString, LPCWSTR, int, int> map;
    map.SetAt(L"?", 1);
    map[L"_NoPreview"] = 2;
    map[L"C:\\lib\\a.dwg"] = 3;
    map.SetAt(L"?", 4);  // replaces
    EXPECT_EQ(map.GetCount(), 3);
    int value = -1;
    EXPECT_TRUE(map.Lookup(L"?", value));
    EXPECT_EQ(value, 4);
    EXPECT_FALSE(map.Lookup(L"missing", value));
    EXPECT_EQ(value, 4);
    EXPECT_TRUE(map.RemoveKey(L"_NoPreview"));
    EXPECT_FALSE(map.RemoveKey(L"_NoPreview"));
    int sum = 0;
    CString key;
    for (POSITION p = map.GetStartPosition(); p;) {
        map.GetNextAssoc(p, key, value);
        sum += value;
    }
    EXPECT_EQ(sum, 7);

    CMap<int, int, CString, LPCWSTR> byId;
    byId[62000] = L"Tavrix";
    CString text;
    EXPECT_TRUE(byId.Lookup(62000, text));
    EXPECT_EQ(text, L"Tavrix");
    byId.RemoveAll();
    EXPECT_EQ(byId.GetStartPosition(), nullptr);
}

TEST(MfcCollectionTest, RectanglesAndPoints) {
    CRect r(10, 20, 50, 80);
    EXPECT_EQ(r.Width(), 40);
    EXPECT_EQ(r.Height(), 60);
    EXPECT_EQ(r.CenterPoint(), CPoint(30, 50));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(50, 20)));  // right and bottom edges are outside
    r.OffsetRect(5, -5);
    EXPECT_EQ(r.TopLeft(), CPoint(15, 15));
    r.DeflateRect(5, 5);
    EXPECT_EQ(r, CRect(20, 20, 50, 70));
    CRect overlap = r & CRect(40, 0, 100, 30);
    EXPECT_EQ(overlap, CRect(40, 20, 50, 30));
    EXPECT_TRUE((r & CRect(0, 0, 5, 5)).IsRectEmpty());
    EXPECT_EQ(r | CRect(0, 0, 1, 1), CRect(0, 0, 50, 70));
    CRect flipped(10, 10, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
    EXPECT_EQ(CPoint(MAKELONG(static_cast<WORD>(-3), 7)), CPoint(-3, 7));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
}

}  // namespace
