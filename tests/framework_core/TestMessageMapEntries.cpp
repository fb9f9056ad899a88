// Map entries written by hand: unknown signature kinds, the end marker, handlers
// reached through a second base class, and virtual handlers.
#include "CCmdTarget.h"
#include <gtest/gtest.h>

namespace {

class Hand : public CCmdTarget {
public:
    int calls = 0;
    void OnA() { ++calls; }
};

class Other {
public:
    virtual ~Other() = default;
    int padding[7] = {};
};

// The command target is the second base: its address differs from the object's.
class Mixed : public Other, public CCmdTarget {
public:
    int marker = 1234;
    int seen = 0;
    void OnMarker() { seen = marker; }
    Q_DECLARE_MESSAGE_MAP(Mixed)
};

Q_BEGIN_ROOT_MESSAGE_MAP(Mixed)
Q_ON_PAINT(OnMarker)
Q_END_MESSAGE_MAP()

class VirtualBase : public CCmdTarget {
public:
    std::string who;
    virtual void OnOK() { who = "base"; }
    Q_DECLARE_MESSAGE_MAP(VirtualBase)
};

Q_BEGIN_ROOT_MESSAGE_MAP(VirtualBase)
Q_ON_CLICKED(IDOK, OnOK)
Q_END_MESSAGE_MAP()

class VirtualDerived : public VirtualBase {
public:
    void OnOK() override { who = "derived"; }
};

} // namespace

TEST(MessageMapEntries, KindsAboveSixteenNeverMatchButTheSearchGoesOn)
{
    Q_MSGMAP_ENTRY entries[4] = {
        qMapEntry<sigVoid, &Hand::OnA>(msgPaint),
        qMapEntry<sigVoid, &Hand::OnA>(msgPaint),
        qMapEntry<sigVoid, &Hand::OnA>(msgTimer),
        qMapEnd(),
    };
    entries[0].sig = sigEnd;
    entries[1].sig = 99;
    const Q_MSGMAP map { nullptr, entries };
    Hand h;
    EXPECT_EQ(h.TraverseMap(&map, 0, 0, msgPaint), -1);
    EXPECT_EQ(h.TraverseMap(&map, 0, 0, msgHasHandler, scCommand, 0), 0); // the timer entry
    EXPECT_EQ(h.TraverseMap(&map, 0, 0, msgTimer), 0);
    EXPECT_EQ(h.calls, 1);

    entries[1].sig = sigVoid;
    EXPECT_EQ(h.TraverseMap(&map, 0, 0, msgPaint), 0);
    EXPECT_EQ(h.calls, 2);
}

TEST(MessageMapEntries, SearchStopsAtTheEndEntry)
{
    const Q_MSGMAP_ENTRY entries[3] = {
        qMapEnd(),
        qMapEntry<sigVoid, &Hand::OnA>(msgPaint),
        qMapEnd(),
    };
    const Q_MSGMAP map { nullptr, entries };
    Hand h;
    EXPECT_EQ(h.TraverseMap(&map, 0, 0, msgPaint), -1);
    EXPECT_EQ(h.calls, 0);
}

TEST(MessageMapEntries, BaseChainOfHandMadeMaps)
{
    const Q_MSGMAP_ENTRY baseEntries[2] = { qMapEntry<sigVoid, &Hand::OnA>(msgPaint), qMapEnd() };
    const Q_MSGMAP_ENTRY ownEntries[1] = { qMapEnd() };
    const Q_MSGMAP base { nullptr, baseEntries };
    const Q_MSGMAP own { &base, ownEntries };
    Hand h;
    EXPECT_EQ(h.TraverseMap(&own, 0, 0, msgPaint), 0);
    EXPECT_EQ(h.calls, 1);
    EXPECT_EQ(h.TraverseMap(&own, 0, 0, msgSize), -1);
}

TEST(MessageMapEntries, HandlerOfAClassWithTwoBasesSeesItsOwnObject)
{
    Mixed m;
    CCmdTarget* t = &m;
    ASSERT_NE(static_cast<void*>(t), static_cast<void*>(&m));
    EXPECT_EQ(t->UpdateMap(0, 0, msgPaint), 0);
    EXPECT_EQ(m.seen, 1234);
}

TEST(MessageMapEntries, VirtualHandlerDispatchesToTheOverride)
{
    VirtualDerived d;
    EXPECT_EQ(d.UpdateMap(0, 0, msgCommand, scClicked, IDOK), 0);
    EXPECT_EQ(d.who, "derived");
}
