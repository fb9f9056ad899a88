#include "NObList.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// An element that counts its deletions.
class Tracked : public CObject {
public:
    explicit Tracked(int* deaths)
        : m_deaths(deaths)
    {
    }
    ~Tracked() override { ++*m_deaths; }

private:
    int* m_deaths;
};

std::vector<CObject*> forwards(const CObList& list)
{
    std::vector<CObject*> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos));
    return out;
}

std::vector<CObject*> backwards(const CObList& list)
{
    std::vector<CObject*> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(list.GetPrev(pos));
    return out;
}

} // namespace

TEST(ObjectList, InsertAndRemoveKeepBothDirectionsConsistent)
{
    CObject a, b, c, d;
    CObList list;
    POSITION pb = list.AddTail(&b);
    list.AddHead(&a);
    POSITION pd = list.AddTail(&d);
    list.InsertBefore(pd, &c);
    EXPECT_EQ(forwards(list), (std::vector<CObject*> { &a, &b, &c, &d }));
    list.RemoveAt(pb);
    list.InsertAfter(pd, &b);
    EXPECT_EQ(forwards(list), (std::vector<CObject*> { &a, &c, &d, &b }));
    EXPECT_EQ(backwards(list), (std::vector<CObject*> { &b, &d, &c, &a }));
    EXPECT_EQ(list.RemoveHead(), &a);
    EXPECT_EQ(list.RemoveTail(), &b);
    EXPECT_EQ(backwards(list), (std::vector<CObject*> { &d, &c }));
    list.RemoveAll();
    EXPECT_EQ(list.RemoveHead(), nullptr); // not a freed node
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(ObjectList, FindStartsAtTheGivenNodeAndFindIndexStaysInRange)
{
    CObject a, b;
    CObList list;
    list.AddTail(&a);
    POSITION second = list.AddTail(&b);
    POSITION third = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), list.GetHeadPosition());
    EXPECT_EQ(list.Find(&b, second), second); // the start node itself is searched
    EXPECT_EQ(list.Find(&a, second), third);
    EXPECT_EQ(list.Find(&b, third), nullptr);
    EXPECT_EQ(list.FindIndex(2), third);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    list.AddTail(&list); // appending a list to itself doubles it once
    EXPECT_EQ(list.GetCount(), 6);
}

TEST(NamedList, DeleteAllDeletesWhatRemoveGaveBack)
{
    int deaths = 0;
    NObList list("Sources");
    auto* one = new Tracked(&deaths);
    list.AddTail(one);
    list.AddTail(new Tracked(&deaths));
    EXPECT_EQ(list[1], list.GetTail());
    EXPECT_EQ(list[2], nullptr);
    CObject outside;
    EXPECT_FALSE(list.Remove(&outside));
    EXPECT_TRUE(list.Remove(one));
    delete one;
    list.DeleteAll();
    EXPECT_EQ(deaths, 2);
    EXPECT_TRUE(list.IsEmpty());
}
