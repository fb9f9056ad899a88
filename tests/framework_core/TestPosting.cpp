// Posted and sent framework messages: order, threads, destroyed targets.
#include "CCmdTarget.h"
#include "MsgEvent.h"
#include "MsgReceiver.h"
#include "Posting.h"
#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

class Sink : public CCmdTarget {
public:
    std::vector<WPARAM> received;
    std::vector<QThread*> threads;
    std::atomic<int> destroyedCalls { 0 };
    LRESULT OnUser(WPARAM w, LPARAM l)
    {
        received.push_back(w);
        threads.push_back(QThread::currentThread());
        return static_cast<LRESULT>(w + l);
    }
    LRESULT OnZero(WPARAM, LPARAM) { return 0; }
    Q_DECLARE_MESSAGE_MAP(Sink)
};

Q_BEGIN_ROOT_MESSAGE_MAP(Sink)
Q_ON_MESSAGE(msgUser, OnUser)
Q_ON_MESSAGE(msgUser + 1, OnZero)
Q_END_MESSAGE_MAP()

void drainEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

TEST(Posting, MessagesFromAnotherThreadArriveInOrderOnTheTargetThread)
{
    Sink sink;
    MsgReceiver receiver(&sink);
    constexpr int count = 500;
    std::thread poster([&] {
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(PostMessage(&receiver, msgUser, static_cast<WPARAM>(i), 0), 0);
    });
    poster.join();
    EXPECT_TRUE(sink.received.empty()); // nothing runs before the UI thread takes events
    drainEvents();
    ASSERT_EQ(sink.received.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(sink.received[i], static_cast<WPARAM>(i));
        EXPECT_EQ(sink.threads[i], QThread::currentThread());
    }
}

TEST(Posting, TwoPostingThreadsEachKeepTheirOwnOrder)
{
    Sink sink;
    MsgReceiver receiver(&sink);
    auto post = [&](WPARAM base) {
        for (WPARAM i = 0; i < 200; ++i)
            PostMessage(&receiver, msgUser, base + i, 0);
    };
    std::thread a(post, 0), b(post, 10000);
    a.join();
    b.join();
    drainEvents();
    ASSERT_EQ(sink.received.size(), 400u);
    WPARAM nextA = 0, nextB = 10000;
    for (WPARAM w : sink.received) {
        if (w < 10000)
            EXPECT_EQ(w, nextA++);
        else
            EXPECT_EQ(w, nextB++);
    }
}

TEST(Posting, MessageQueuedForADestroyedTargetIsDropped)
{
    Sink sink;
    auto receiver = std::make_unique<MsgReceiver>(&sink);
    std::thread poster([&] { PostMessage(receiver.get(), msgUser, 1, 0); });
    poster.join();
    receiver.reset();
    drainEvents();
    EXPECT_TRUE(sink.received.empty());
}

TEST(Posting, DetachedReceiverDropsMessages)
{
    Sink sink;
    MsgReceiver receiver(&sink);
    PostMessage(&receiver, msgUser, 5, 0);
    receiver.detach();
    drainEvents();
    EXPECT_TRUE(sink.received.empty());
    EXPECT_EQ(SendMessage(&receiver, msgUser, 5, 0), 0);
}

TEST(Posting, NullTargetIsIgnored)
{
    EXPECT_EQ(PostMessage(nullptr, msgUser, 1, 2), 0);
    EXPECT_EQ(SendMessage(nullptr, msgUser, 1, 2), 0);
}

TEST(Sending, OnTheSameThreadRunsAtOnceAndReportsHandled)
{
    Sink sink;
    MsgReceiver receiver(&sink);
    EXPECT_EQ(SendMessage(&receiver, msgUser, 3, 4), 1); // handled (result 7)
    ASSERT_EQ(sink.received.size(), 1u);
    // A handler returning 0 still counts as handled; no entry counts as not handled.
    EXPECT_EQ(SendMessage(&receiver, msgUser + 1, 0, 0), 1);
    EXPECT_EQ(SendMessage(&receiver, msgUser + 2, 0, 0), 0);
}

TEST(Sending, FromAnotherThreadRunsTheLookupThereAndReturnsItsResult)
{
    Sink sink;
    MsgReceiver receiver(&sink);
    int result = -100;
    QThread* ran = nullptr;
    std::thread sender([&] {
        result = SendMessage(&receiver, msgUser, 40, 2);
        ran = sink.threads.empty() ? nullptr : sink.threads.back();
    });
    sender.join();
    EXPECT_EQ(result, 42);
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_NE(ran, QThread::currentThread());

    int missing = -100;
    std::thread other([&] { missing = SendMessage(&receiver, msgUser + 7, 0, 0); });
    other.join();
    EXPECT_EQ(missing, -1); // the lookup's own answer: no entry
}

TEST(Sending, FromAnotherThreadUsesTheInstalledOwnerLookup)
{
    static Sink sink;
    static QObject plain;
    QObject stranger;
    setMsgOwnerLookup([](QObject* o) -> CCmdTarget* { return o == &plain ? &sink : nullptr; });
    int found = -100, notFound = -100;
    std::thread sender([&] {
        found = SendMessage(&plain, msgUser, 1, 1);
        notFound = SendMessage(&stranger, msgUser, 1, 1);
    });
    sender.join();
    setMsgOwnerLookup(nullptr);
    EXPECT_EQ(found, 2);
    EXPECT_EQ(notFound, 0); // nobody owns it
}

TEST(MsgEvents, TypesAndRecognition)
{
    MsgEvent posted(MsgEvent::PostedType, msgUser, 1, -2);
    EXPECT_EQ(static_cast<int>(posted.type()), 1000);
    EXPECT_EQ(MsgEvent::from(&posted), &posted);
    EXPECT_EQ(posted.lParam(), -2);

    // Another event of type 1000 is not a framework message.
    QEvent foreign(static_cast<QEvent::Type>(1000));
    EXPECT_EQ(MsgEvent::from(&foreign), nullptr);
    Sink sink;
    EXPECT_EQ(dispatchMsgEvent(&sink, &foreign), -2);
    EXPECT_EQ(dispatchMsgEvent(nullptr, &posted), -1);
    EXPECT_EQ(dispatchMsgEvent(&sink, &posted), -1); // 1 + -2 = -1 from the handler itself
    MsgEvent sent(MsgEvent::SentType, msgUser, 5, 6);
    EXPECT_EQ(dispatchMsgEvent(&sink, &sent), 11);

    // A pointer carried in lParam survives the trip intact.
    int object = 0;
    MsgEvent carrying(MsgEvent::PostedType, msgUser, 0, reinterpret_cast<LPARAM>(&object));
    EXPECT_EQ(reinterpret_cast<int*>(carrying.lParam()), &object);
}
