// The application object in this process: the settings store's lifetime, the
// nestable wait cursor and idle.
#include "AppGlobals.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "Posting.h"
#include "ProfileStore.h"
#include "TestReceiver.h"
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A program path with its own argv storage.
struct Args {
    explicit Args(std::string path)
        : text(std::move(path))
    {
    }
    int argc = 1;
    std::string text;
    char* ptrs[2] = { text.data(), nullptr };
};

class Inbox : public CCmdTarget {
public:
    int got = 0;
    LRESULT OnUser(WPARAM, LPARAM)
    {
        ++got;
        return 0;
    }
    Q_DECLARE_MESSAGE_MAP(Inbox)
};
Q_BEGIN_ROOT_MESSAGE_MAP(Inbox)
Q_ON_MESSAGE(msgUser, OnUser)
Q_END_MESSAGE_MAP()

} // namespace

TEST(AppObject, GlobalsAndTheStoreLiveAsLongAsTheObjectAndWaitCursorsNest)
{
    const std::string oldName = QCoreApplication::applicationName().toStdString();
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        Args args("/x/Wait");
        CWinApp app(args.argc, args.ptrs);
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(GetProfileStore(), app.settings());
        {
            WaitCursor noWindow;
        } // no main window: nothing to change, no crash
        CWnd main;
        ASSERT_TRUE(main.Attach(nullptr));
        app.m_pMainWnd = &main;
        QWidget* w = main.GetWidget();
        {
            WaitCursor outer;
            {
                WaitCursor inner;
            }
            EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
        }
        EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
        app.DoWaitCursor(-1); // an unmatched release leaves no debt
        {
            WaitCursor again;
            EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
        }
        app.m_pMainWnd = nullptr;
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(GetProfileStore(), nullptr);
    QCoreApplication::setApplicationName(QString::fromStdString(oldName));
}

TEST(Idle, PaintsPendingUpdatesButRunsNoPostedMessages)
{
    struct PaintCounter : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    } w;
    w.resize(50, 50);
    w.show();
    QCoreApplication::processEvents();
    const int before = w.paints;
    Inbox inbox;
    TestReceiver receiver(&inbox);
    w.update();
    PostMessage(&receiver, msgUser, 0, 0);
    EXPECT_EQ(idle(), 1);
    EXPECT_GT(w.paints, before);
    EXPECT_EQ(inbox.got, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(inbox.got, 1);
}
