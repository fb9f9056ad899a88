// Building a model's page: nodes from the LED regions, their placement, option
// buttons, the title, scaling and the failure of a missing picture.
#include "EditorFixture.h"

#include "LedDescriptor.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "NQLineEdit.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QRegularExpression>
#include <QWidget>

using namespace editortest;

namespace {

int countGroup(const CObList& list, groupID g)
{
    int n = 0;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        if (static_cast<IODesc*>(list.GetNext(pos))->entry->group == g)
            ++n;
    return n;
}

} // namespace

class EditorPageTest : public EditorTest { };

TEST_F(EditorPageTest, EveryModelGetsOneNodePerLedWithItsOptionsOffThePage)
{
    struct Expect {
        int model;
        int nodes;
        int active;
        int buttons;
    };
    // Q7300: SPDIFcin and ANAin start off the page; Q7300A: SPDIFcin only;
    // Q7300FW: SPDIFcin, SPDIFoin and SPDIFcin2.
    for (const Expect e :
        { Expect { 0, 112, 108, 2 }, Expect { 1, 108, 106, 1 }, Expect { 2, 164, 158, 4 } }) {
        // Regions and buttons beyond the tables are ignored.
        writeDescription(e.model,
            gridDescription(e.model) + "LED 900,700,912,712\nLED 920,700,932,712\n"
                + "BUTTON 300,712,360,730\nBUTTON 400,712,460,730\n");
        open(e.model);
        SCOPED_TRACE(main_table[e.model].modelName);
        EXPECT_EQ(dlg->nodes.GetCount(), e.nodes);
        EXPECT_EQ(dlg->activeNodes.GetCount(), e.active);
        EXPECT_EQ(dlg->optionButtons.GetCount(), e.buttons);
        EXPECT_EQ(dlg->optionCombos.GetCount(), e.buttons);
        // Every LED region of a node knows it.
        int known = 0;
        for (POSITION p = dlg->panelDesc.GetLedList().GetHeadPosition(); p;)
            known += static_cast<LedDescriptor*>(dlg->panelDesc.GetLedList().GetNext(p))->node
                != nullptr;
        EXPECT_EQ(known, e.nodes);
        // Front rows lead the active list.
        POSITION pos = dlg->activeNodes.GetHeadPosition();
        for (int i = 0; e.model == 2 && i < 8; ++i)
            EXPECT_EQ(dlg->activeNodes.Next(pos), node(MAINoutR, i));
    }
    open(1);
    EXPECT_EQ(countGroup(dlg->activeNodes, ANAin), 4); // not an option on the Q7300A
}

TEST_F(EditorPageTest, NodeSquareUsesTheLargestLedAndSitsOnePixelRightOfTheRegionCentre)
{
    // A 10 x 14 region first, the rest of the model's regions as usual.
    std::string text = gridDescription(1);
    const auto led = text.find("LED");
    text.replace(led, text.find('\n', led) - led, "LED 500,100,510,114");
    writeDescription(1, text);
    open(1);
    ASSERT_DOUBLE_EQ(dlg->loadScale, 1.0);
    IODesc* first = dlg->nodes[0];
    const CPoint o = dlg->PictureOrigin();
    EXPECT_EQ(first->rect.Width(), 14);
    EXPECT_EQ(first->rect.Height(), 14);
    EXPECT_EQ(first->rect.CenterPoint().x, o.x + 505 + 1);
    EXPECT_EQ(first->rect.CenterPoint().y, o.y + 107);
    // Every node uses the same square size, that of the largest region.
    EXPECT_EQ(dlg->nodes[5]->rect.Width(), 14);
}

TEST_F(EditorPageTest, TitleNamesTheModelAndTheLinkStateAndRefreshFollowsIt)
{
    open(0, 1);
    const struct {
        int deviceModel, local;
        const char* title;
        bool refresh;
    } states[] = { { -1, 1, "Off-line Demo Mode", false }, { 0, 1, "Off-line Demo Mode", true },
        { 0, 0, "connected", true }, { 2, 0, "connecting..", false } };
    for (const auto& st : states) {
        dlg->deviceModel = st.deviceModel;
        dlg->local = st.local;
        dlg->MakeTitle();
        EXPECT_EQ(title(), QString("Q7300 Routing - ") + st.title);
        EXPECT_EQ(dlg->refreshButton->IsWindowEnabled(), st.refresh) << st.title;
    }
}

TEST_F(EditorPageTest, BiggerThenSmallerComesBackWithinAPixelPerStepAndNodesFollow)
{
    open(2);
    const CRect saved = dlg->sizer.rect;
    // "Bigger" and "Smaller" of the command list.
    auto step = [this](int d) { dlg->UpdateMap(0, 0, msgCommand, scCommand, d > 0 ? 111 : 112); };
    IODesc* n = node(DSPBin, 3);
    const CRect base = n->baseRect;
    // Dragging the frame does not resize the window; only the page's own steps do.
    QWidget* w = dlg->GetWidget();
    const QSize laidOut = w->size();
    w->resize(laidOut + QSize(150, 90));
    QApplication::processEvents();
    EXPECT_EQ(w->size(), laidOut);
    step(1);
    EXPECT_EQ(dlg->sizer.rect.Width(), static_cast<int>(1.2 * saved.Width()));
    EXPECT_EQ(w->width(), dlg->sizer.rect.Width());
    w->resize(w->size() - QSize(150, 90));
    EXPECT_EQ(w->width(), dlg->sizer.rect.Width());
    EXPECT_GT(n->rect.Width(), base.Width());
    step(1);
    step(1);
    // Three steps compound to about 1.728 times the size.
    EXPECT_NEAR(dlg->sizer.rect.Width(), 1.728 * saved.Width(), 3);
    EXPECT_NEAR(dlg->sizer.rect.Height(), 1.728 * saved.Height(), 3);
    step(-1);
    step(-1);
    step(-1);
    EXPECT_NEAR(dlg->sizer.rect.Width(), saved.Width(), 3);
    EXPECT_NEAR(dlg->sizer.rect.Height(), saved.Height(), 3);
    EXPECT_NEAR(n->rect.left, base.left, 3);
    EXPECT_NEAR(n->rect.Width(), base.Width(), 1);
    // The option buttons are rescaled from their creation rectangles too.
    RButton* b = dlg->optionButtons.Item(0);
    CRect now;
    b->GetWindowRect(&now);
    dlg->ScreenToClient(&now);
    EXPECT_NEAR(now.left, b->createRect.left, 3);
    // Shrinking stops before the picture vanishes.
    for (int i = 0; i < 40; ++i)
        step(-1);
    EXPECT_GE(dlg->sizer.rect.Width(), 200);
    EXPECT_GT(dlg->picture.GetScale(), 0.0);
    EXPECT_GE(n->rect.Width(), 0);
}

// A model number outside the table is a broken assumption: reported with the
// framework's assertion box, and the page stays as it is.
TEST_F(EditorPageTest, ModelOutsideTheTableIsReportedAndChangesNothing)
{
    open(1);
    const size_t before = boxes->boxes().size();
    dlg->ChangeTable(modelCount);
    EXPECT_EQ(tablenum, 1);
    EXPECT_EQ(dlg->nodes.GetCount(), ioNodeCount(main_table[1]));
    ASSERT_EQ(boxes->boxes().size(), before + 1);
    const QString caption = boxes->boxes().back().caption;
    EXPECT_TRUE(QRegularExpression("^Assertion failed at line [0-9]+ in RoutingDlgSync\\.cpp$")
                    .match(caption)
                    .hasMatch())
        << caption.toStdString();
}
