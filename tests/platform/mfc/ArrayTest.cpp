// CStringArray, CArray and CTypedPtrArray: growth, insertion, removal and the
// invalid-argument exceptions of bad indices.
#include <afxtempl.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::vector<CString> contents(const CStringArray& a) {
    std::vector<CString> out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        out.push_back(a.GetAt(i));
    return out;
}

// True when calling f throws the class library's invalid-argument exception.
bool throwsInvalidArgument(const std::function<void()>& f) {
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(MfcArrayTest, AddReturnsTheIndexAndAccessorsAgree) {
    CStringArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.Add(L"zero"), 0);
    EXPECT_EQ(a.Add(CString(L"one")), 1);
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetCount(), 2);
    EXPECT_EQ(a.GetUpperBound(), 1);
    a.ElementAt(0) += L"!";
    a[1] = L"uno";
    a.SetAt(1, a[1] + L"?");
    EXPECT_EQ(contents(a), (std::vector<CString>{L"zero!", L"uno?"}));
    const CStringArray& constant = a;
    EXPECT_EQ(constant[0], L"zero!");
}

TEST(MfcArrayTest, BadIndicesThrowInvalidArgument) {
    CStringArray a;
    a.Add(L"a");
    a.Add(L"b");
    EXPECT_TRUE(throwsInvalidArgument([&] { (void)a.GetAt(2); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { (void)a.GetAt(-1); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { a.SetAt(5, L"x"); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { (void)a.ElementAt(2); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { a.RemoveAt(1, 2); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { a.RemoveAt(-1); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { a.InsertAt(-1, L"x"); }));
    EXPECT_TRUE(throwsInvalidArgument([&] { a.SetSize(-1); }));
    EXPECT_EQ(contents(a), (std::vector<CString>{L"a", L"b"}));  // unchanged by the failures
}

TEST(MfcArrayTest, InsertRemoveAndGrow) {
    CStringArray a;
    for (const wchar_t* s : {L"a", L"b", L"c", L"d", L"e"})
        a.Add(s);
    a.RemoveAt(1, 2);
    EXPECT_EQ(contents(a), (std::vector<CString>{L"a", L"d", L"e"}));
    a.RemoveAt(2, 0);
    a.InsertAt(1, L"x", 2);
    EXPECT_EQ(contents(a), (std::vector<CString>{L"a", L"x", L"x", L"d", L"e"}));
    a.InsertAt(7, L"far");  // past the end: empty elements fill the gap
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_TRUE(a[5].IsEmpty());
    EXPECT_EQ(a[7], L"far");
    a.SetAtGrow(9, L"grown");
    EXPECT_EQ(a.GetSize(), 10);
    a.SetSize(2);
    EXPECT_EQ(contents(a), (std::vector<CString>{L"a", L"x"}));
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(MfcArrayTest, AppendCopyAndInsertArray) {
    CStringArray a, b;
    a.Add(L"1");
    a.Add(L"2");
    EXPECT_EQ(a.Append(a), 2);  // appending itself doubles it
    EXPECT_EQ(contents(a), (std::vector<CString>{L"1", L"2", L"1", L"2"}));
    b.Copy(a);
    b.InsertAt(1, &a);
    EXPECT_EQ(b.GetSize(), 8);
    EXPECT_EQ(b[1], L"1");
    EXPECT_EQ(b[5], L"2");
    b.Copy(b);
    EXPECT_EQ(b.GetSize(), 8);
}

TEST(MfcArrayTest, DerivedStringListIsDestroyedThroughTheBase) {
    static int destroyed = 0;
    struct StringList : public CStringArray {
        ~StringList() override { ++destroyed; }
    };
    std::unique_ptr<CObject> list = std::make_unique<StringList>();
    static_cast<StringList*>(list.get())->Add(L"x");
    EXPECT_TRUE(list->IsKindOf(RUNTIME_CLASS(CStringArray)));
    EXPECT_TRUE(list->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(list->IsKindOf(RUNTIME_CLASS(CException)));
    list.reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(MfcArrayTest, TemplateArrays) {
    CArray<int, int> ids;
    ids.Add(5);
    ids.InsertAt(0, 4);
    ids.Add(ids[0]);
    EXPECT_EQ(ids.GetSize(), 3);
    EXPECT_EQ(ids.GetData()[1], 5);
    EXPECT_EQ(ids[2], 4);

    struct Point {
        double x = 0, y = 0;
    };
    CArray<Point> points;
    points.SetSize(3);
    points[2].x = 7;
    EXPECT_EQ(points.GetAt(2).x, 7);

    int a = 1, b = 2;
    CTypedPtrArray<CPtrArray, int*> pointers;
    pointers.Add(&a);
    pointers.Add(&b);
    EXPECT_EQ(*pointers[1], 2);
    EXPECT_EQ(pointers.GetAt(0), &a);
}

}  // namespace
