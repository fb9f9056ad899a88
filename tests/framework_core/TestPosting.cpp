// Posted and sent framework messages: order, threads, destroyed targets.
#include "CCmdTarget.h"
#include "Posting.h"
#include "TestReceiver.h"
#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

class Sink : public CCmdTarget {
public:
    std::vector<WPARAM> received;
    std::vector<QThread*> threads;
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

} // namespace

TEST(Posting, MessagesOfEachPostingThreadArriveInOrderOnTheTargetThread)
{
    Sink sink;
    TestReceiver receiver(&sink);
    auto post = [&](WPARAM base) {
        for (WPARAM i = 0; i < 300; ++i)
            EXPECT_EQ(PostMessage(&receiver, msgUser, base + i, 0), 0);
    };
    std::thread a(post, 0), b(post, 10000);
    a.join();
    b.join();
    EXPECT_TRUE(sink.received.empty()); // nothing runs before the UI thread takes events
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(sink.received.size(), 600u);
    WPARAM nextA = 0, nextB = 10000;
    for (size_t i = 0; i < sink.received.size(); ++i) {
        const WPARAM w = sink.received[i];
        EXPECT_EQ(w, w < 10000 ? nextA++ : nextB++);
        EXPECT_EQ(sink.threads[i], QThread::currentThread());
    }
}

TEST(Posting, MessagesForADestroyedTargetAreDropped)
{
    Sink sink;
    auto receiver = std::make_unique<TestReceiver>(&sink);
    std::thread poster([&] { PostMessage(receiver.get(), msgUser, 1, 0); });
    poster.join();
    receiver.reset();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(sink.received.empty());
    EXPECT_EQ(PostMessage(nullptr, msgUser, 1, 2), 0);
}

TEST(Sending, RunsAtOnceAndReportsWhetherAnEntryHandledIt)
{
    Sink sink;
    TestReceiver receiver(&sink);
    EXPECT_EQ(SendMessage(&receiver, msgUser, 3, 4), 1); // handled (result 7)
    EXPECT_EQ(SendMessage(&receiver, msgUser + 1, 0, 0), 1); // a result of 0 is handled too
    EXPECT_EQ(SendMessage(&receiver, msgUser + 2, 0, 0), 0); // no entry
    EXPECT_EQ(sink.received.size(), 1u);
}
