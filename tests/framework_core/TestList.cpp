#include "CObString.h"
#include "CStringList.h"
#include "NObList.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// An element that reports when it is deleted.
class Tracked : public CObject {
public:
    Tracked(int v, int* deaths)
        : value(v)
        , m_deaths(deaths)
    {
    }
    ~Tracked() override
    {
        if (m_deaths) {
            ++*m_deaths;
        }
    }
    CString GetText() const override
    {
        CString s;
        s.Format("item%d", value);
        return s;
    }
    int value;

private:
    int* m_deaths;
};

std::vector<CObject*> contents(const CObList& list)
{
    std::vector<CObject*> out;
    POSITION pos = list.GetHeadPosition();
    while (pos) {
        out.push_back(list.GetNext(pos));
    }
    return out;
}

std::vector<CObject*> contentsBackwards(const CObList& list)
{
    std::vector<CObject*> out;
    POSITION pos = list.GetTailPosition();
    while (pos) {
        out.push_back(list.GetPrev(pos));
    }
    return out;
}

} // namespace

TEST(ObjectList, PositionsInsertAndRemoveKeepBothDirectionsConsistent)
{
    CObject a, b, c, d;
    CObList list;
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    POSITION pb = list.AddTail(&b);
    list.AddHead(&a);
    POSITION pd = list.AddTail(&d);
    POSITION pc = list.InsertBefore(pd, &c);
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(contents(list), (std::vector<CObject*> { &a, &b, &c, &d }));
    EXPECT_EQ(contentsBackwards(list), (std::vector<CObject*> { &d, &c, &b, &a }));
    EXPECT_EQ(list.GetAt(pc), &c);

    list.RemoveAt(pb);
    list.InsertAfter(pd, &b);
    EXPECT_EQ(contents(list), (std::vector<CObject*> { &a, &c, &d, &b }));
    EXPECT_EQ(contentsBackwards(list), (std::vector<CObject*> { &b, &d, &c, &a }));
    EXPECT_EQ(list.RemoveHead(), &a);
    EXPECT_EQ(list.RemoveTail(), &b);
    EXPECT_EQ(list.GetHead(), &c);
    EXPECT_EQ(list.GetTail(), &d);
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    // Removing from an empty list gives null instead of touching freed nodes.
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.RemoveTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(ObjectList, FindIndexAndFindFromStartItself)
{
    CObject a, b;
    CObList list;
    list.AddTail(&a);
    POSITION second = list.AddTail(&b);
    POSITION third = list.AddTail(&a);
    EXPECT_EQ(list.FindIndex(0), list.GetHeadPosition());
    EXPECT_EQ(list.FindIndex(2), third);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(list.Find(&a), list.GetHeadPosition());
    EXPECT_EQ(list.Find(&b, second), second); // the start node itself is searched
    EXPECT_EQ(list.Find(&a, second), third);
    EXPECT_EQ(list.Find(&b, third), nullptr);
    CObject absent;
    EXPECT_EQ(list.Find(&absent), nullptr);

    // GetNext walks off the end to null; a null position gives null.
    POSITION pos = third;
    EXPECT_EQ(list.GetNext(pos), &a);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(list.GetNext(pos), nullptr);

    CObList other;
    other.AddTail(&b);
    other.AddTail(&list);
    EXPECT_EQ(other.GetCount(), 4);
    other.AddTail(&other); // appending a list to itself doubles it once
    EXPECT_EQ(other.GetCount(), 8);
}

TEST(NamedList, NamesParentsIndexingAndOwnership)
{
    int deaths = 0;
    NObList parent("parent");
    NObList list(nullptr);
    EXPECT_EQ(list.GetText(), "");
    list.SetText("Sources");
    list.SetParent(&parent);
    EXPECT_EQ(list.GetText(), "Sources");
    EXPECT_EQ(list.GetParent(), &parent);

    auto* one = new Tracked(1, &deaths);
    auto* two = new Tracked(2, &deaths);
    list.AddTail(one);
    list.AddTail(two);
    EXPECT_EQ(list[0], one);
    EXPECT_EQ(list[1], two);
    EXPECT_EQ(list[2], nullptr);
    EXPECT_EQ(list[-1], nullptr);
    EXPECT_EQ(list.FindByName("ITEM2"), two);
    EXPECT_EQ(list.FindByName("item3"), nullptr);

    Tracked outside(9, nullptr);
    EXPECT_FALSE(list.Remove(&outside));
    EXPECT_TRUE(list.Remove(one));
    EXPECT_EQ(list.GetCount(), 1);
    std::unique_ptr<Tracked> keepOne(one); // removed, so deleting it is ours again
    keepOne.reset();
    EXPECT_EQ(deaths, 1);

    list.AddTail(new Tracked(3, &deaths));
    list.DeleteAll();
    EXPECT_EQ(deaths, 3);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(NamedList, SortDescendingIsTheExactReverseOfAscending)
{
    std::vector<std::unique_ptr<Tracked>> items;
    NObList list("nums");
    for (int v : { 5, 3, 9, 1, 7, 3, 8 }) {
        items.push_back(std::make_unique<Tracked>(v, nullptr));
        list.AddTail(items.back().get());
    }
    const auto byValue = [](const void* a, const void* b) {
        const auto* x = static_cast<const Tracked*>(*static_cast<CObject* const*>(a));
        const auto* y = static_cast<const Tracked*>(*static_cast<CObject* const*>(b));
        return x->value - y->value;
    };
    list.Sort(byValue, TRUE);
    std::vector<CObject*> up = contents(list);
    std::vector<int> values;
    for (CObject* o : up) {
        values.push_back(static_cast<Tracked*>(o)->value);
    }
    EXPECT_EQ(values, (std::vector<int> { 1, 3, 3, 5, 7, 8, 9 }));

    list.Sort(byValue, FALSE);
    std::vector<CObject*> down = contents(list);
    // Checked by pointer: the reverse of the ascending array, equal elements included.
    EXPECT_EQ(down, std::vector<CObject*>(up.rbegin(), up.rend()));
    EXPECT_EQ(contentsBackwards(list), up);
    EXPECT_EQ(list.GetCount(), 7);
}

TEST(NamedList, SortByTextIgnoresCase)
{
    CObString b("beta"), a("ALPHA"), c("Gamma");
    NObList list("words");
    list.AddTail(&b);
    list.AddTail(&c);
    list.AddTail(&a);
    list.SortByText();
    EXPECT_EQ(contents(list), (std::vector<CObject*> { &a, &b, &c }));
    list.SortByText(FALSE);
    EXPECT_EQ(contents(list), (std::vector<CObject*> { &c, &b, &a }));
    EXPECT_EQ(list.FindByName("gamma"), &c);
    CObString named("x", &list);
    EXPECT_EQ(named.GetParent(), &list);
}

TEST(StringList, OwnsCopiesAndFindsByValue)
{
    CStringList list;
    CString s("first");
    list.AddTail(s);
    s = "changed";
    EXPECT_EQ(list.GetHead(), "first"); // a copy was stored
    list.AddHead(CString("zero"));
    POSITION p = list.AddTail(CString("second"));
    list.InsertBefore(p, CString("between"));
    list.InsertAfter(p, CString("last"));

    std::vector<std::string> seen;
    POSITION pos = list.GetHeadPosition();
    while (pos) {
        seen.push_back(static_cast<const char*>(list.GetNext(pos)));
    }
    EXPECT_EQ(seen, (std::vector<std::string> { "zero", "first", "between", "second", "last" }));
    EXPECT_EQ(list.Find("second"), p);
    EXPECT_EQ(list.Find("SECOND"), nullptr);
    EXPECT_EQ(list.Find("first", p), nullptr);
    EXPECT_EQ(list.Find("second", p), p);
    list.GetAt(p) = "SECOND";
    EXPECT_EQ(list.Find("SECOND"), p);

    CStringList copy;
    copy.AddTail(list);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(copy.GetCount(), 5);
    EXPECT_EQ(copy.GetTail(), "last");
    EXPECT_EQ(copy.RemoveHead(), "zero");
    EXPECT_EQ(copy.RemoveTail(), "last");
    EXPECT_EQ(copy.GetCount(), 3);
    CStringList empty;
    EXPECT_EQ(empty.GetHead(), "");
    EXPECT_EQ(empty.RemoveHead(), "");
}
