// Editing with real mouse and key events: drags both ways, runs with Control,
// illegal partners, line selection, the rubber band and Delete, and what the
// edits queue for the device.
#include "EditorFixture.h"

#include "ModelTables.h"

#include <QApplication>
#include <QTimer>

using namespace editortest;

using EditorEditingTest = EditorTest;

TEST_F(EditorEditingTest, DragsEitherWayConnectAndANewSourceReplacesTheOldLine)
{
    openConnected(0);
    IODesc* main5 = node(MAINinL, 5);
    drag(node(ADATin, 2), main5);
    EXPECT_EQ(main5->source, node(ADATin, 2));
    EXPECT_TRUE(hasLine(node(ADATin, 2), main5));
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 1001081f 3" })); // AESin 5, ADATin 0..

    clearSetQueue();
    IODesc* main1 = node(MAINinL, 1);
    drag(main1, node(ADATin, 4));
    EXPECT_EQ(main1->source, node(ADATin, 4));
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 1001081b 5" }));
    // The pressed node stays selected; the new line is the selection.
    EXPECT_EQ(dlg->selectedNode, main1);
    ASSERT_EQ(dlg->selectedLines.GetCount(), 1);
    EXPECT_EQ(dlg->selectedLines[0], dlg->lines.GetLine(main1, node(ADATin, 4)));

    drag(node(ADATin, 6), main5);
    EXPECT_FALSE(hasLine(node(ADATin, 2), main5));
    EXPECT_TRUE(hasLine(node(ADATin, 6), main5));
    EXPECT_EQ(lineCount(), 2);
    // The same source again only selects the line.
    clearSetQueue();
    drag(node(ADATin, 6), main5);
    EXPECT_EQ(lineCount(), 2);
    EXPECT_TRUE(setTexts().empty());
    ASSERT_EQ(dlg->selectedLines.GetCount(), 1);
    EXPECT_EQ(dlg->selectedLines[0], dlg->lines.GetLine(main5, node(ADATin, 6)));
}

TEST_F(EditorEditingTest, ControlRunsPairMembersByPlaceUpToTheEndOfTheShorterGroup)
{
    openConnected(0);
    drag(node(ADATin, 2), node(MAINinL, 5), Qt::ControlModifier);
    EXPECT_EQ(node(MAINinL, 5)->source, node(ADATin, 2));
    EXPECT_EQ(node(MAINinL, 6)->source, node(ADATin, 3));
    EXPECT_EQ(node(MAINinL, 7)->source, node(ADATin, 4));
    EXPECT_EQ(lineCount(), 3);
    EXPECT_EQ(dlg->selectedLines.GetCount(), 3);
    EXPECT_EQ(setTexts(),
        std::vector<std::string>({ "60 1001081f 3", "60 10010820 4", "60 10010821 5" }));
    // Limited by the source group this time: ADATin 6 and 7 only.
    clearSetQueue();
    drag(node(ADATin, 6), node(ADATout, 0), Qt::ControlModifier);
    EXPECT_EQ(node(ADATout, 0)->source, node(ADATin, 6));
    EXPECT_EQ(node(ADATout, 1)->source, node(ADATin, 7));
    EXPECT_EQ(node(ADATout, 2)->source, nullptr);
    // Members pair by their place on the page: with S/PDIF on, AESin 0-1 are off
    // the page, yet AESin 2 must still pair with MAINinL 2 and so on.
    pick(*dlg->optionCombos.Item(0), 1);
    drag(node(AESin, 2), node(MAINinL, 2), Qt::ControlModifier);
    for (int k = 2; k < 8; ++k)
        EXPECT_EQ(node(MAINinL, k)->source, node(AESin, k)) << k;
}

TEST_F(EditorEditingTest, ReleasingOnTheNodeItselfOrAnIllegalPartnerChangesNothingButStillScans)
{
    openConnected(0);
    IODesc* main2 = node(MAINinL, 2);
    drag(main2, main2);
    drag(node(AESin, 4), main2); // AESin 4 may only feed MAINinL 4
    drag(node(DSPAout, 0), main2); // not among MAINinL's source groups
    EXPECT_EQ(main2->source, nullptr);
    EXPECT_EQ(lineCount(), 0);
    EXPECT_EQ(dlg->dropTarget, nullptr);
    // Scan still runs: a value changed behind the editor's back goes out.
    main2->MakeConnection(node(ADATin, 1));
    drag(main2, main2);
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 1001081c 2" }));
}

TEST_F(EditorEditingTest, DropTargetFollowsTheMouseOnlyOverLegalPartners)
{
    openConnected(0);
    IODesc* main4 = node(MAINinL, 4);
    press(centre(main4));
    move(centre(node(AESin, 4)), Qt::LeftButton);
    EXPECT_EQ(dlg->dropTarget, node(AESin, 4));
    move(centre(node(AESin, 3)), Qt::LeftButton);
    EXPECT_EQ(dlg->dropTarget, nullptr);
    EXPECT_TRUE(dlg->showRelations);
    release(centre(node(AESin, 3)));
    EXPECT_FALSE(dlg->showRelations);
    EXPECT_EQ(main4->source, nullptr);
    // Onto the partner and back onto the pressed node: no connection.
    press(centre(main4));
    move(centre(node(AESin, 4)), Qt::LeftButton);
    move(centre(main4), Qt::LeftButton);
    release(centre(main4));
    EXPECT_EQ(main4->source, nullptr);
    EXPECT_EQ(lineCount(), 0);
}

TEST_F(EditorEditingTest, NodesOffThePageCanBeSelectedButNotConnected)
{
    openConnected(0);
    IODesc* spdif0 = node(SPDIFcin, 0); // off the page while its option is off
    drag(spdif0, node(MAINinL, 0));
    EXPECT_EQ(dlg->selectedNode, spdif0);
    // A click on a page node after that refused drag connects nothing either.
    click(node(ADATin, 0));
    EXPECT_EQ(node(MAINinL, 0)->source, nullptr);
    EXPECT_EQ(lineCount(), 0);
}

TEST_F(EditorEditingTest, ClicksSelectLinesSinglyWithShiftAndByRowWithControl)
{
    openConnected(0);
    drag(node(ADATin, 0), node(MAINinL, 0), Qt::ControlModifier); // eight lines
    ASSERT_EQ(lineCount(), 8);
    Line* l3 = dlg->lines.GetLine(node(MAINinL, 3), node(ADATin, 3));
    Line* l5 = dlg->lines.GetLine(node(MAINinL, 5), node(ADATin, 5));
    auto midpoint = [](Line* l) {
        const CPoint a = l->source->rect.CenterPoint();
        const CPoint b = l->dest->rect.CenterPoint();
        return QPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
    };
    ASSERT_EQ(dlg->lines.GetClosest(CPoint(midpoint(l3).x(), midpoint(l3).y()), 5.0), l3);
    press(midpoint(l3));
    release(midpoint(l3));
    EXPECT_EQ(dlg->selectedNode, nullptr);
    ASSERT_EQ(dlg->selectedLines.GetCount(), 1);
    EXPECT_EQ(dlg->selectedLines[0], l3);
    press(midpoint(l5), Qt::ShiftModifier);
    release(midpoint(l5), Qt::ShiftModifier);
    EXPECT_EQ(dlg->selectedLines.GetCount(), 2);
    press(midpoint(l3), Qt::ShiftModifier); // Shift on a selected line drops it alone
    release(midpoint(l3), Qt::ShiftModifier);
    ASSERT_EQ(dlg->selectedLines.GetCount(), 1);
    EXPECT_EQ(dlg->selectedLines[0], l5);
    press(midpoint(l3));
    release(midpoint(l3));
    EXPECT_EQ(dlg->selectedLines.GetCount(), 1);
    // Control: the row of l5's destination from its number on (5, 6, 7), added.
    press(midpoint(l5), Qt::ControlModifier);
    release(midpoint(l5), Qt::ControlModifier);
    EXPECT_EQ(dlg->selectedLines.GetCount(), 4);
    // Control again adds nothing twice.
    press(midpoint(l5), Qt::ControlModifier);
    release(midpoint(l5), Qt::ControlModifier);
    EXPECT_EQ(dlg->selectedLines.GetCount(), 4);
    // Delete, and only Delete, removes exactly those and clears their sources.
    clearSetQueue();
    key(Qt::Key_Backspace);
    key(Qt::Key_A);
    EXPECT_EQ(lineCount(), 8);
    key(Qt::Key_Delete);
    EXPECT_EQ(lineCount(), 4);
    for (int k : { 3, 5, 6, 7 })
        EXPECT_EQ(node(MAINinL, k)->source, nullptr) << k;
    EXPECT_EQ(node(MAINinL, 4)->source, node(ADATin, 4));
    EXPECT_EQ(setTexts(),
        std::vector<std::string>(
            { "60 1001081d 99", "60 1001081f 99", "60 10010820 99", "60 10010821 99" }));
    EXPECT_EQ(dlg->selectedLines.GetCount(), 0);
}

TEST_F(EditorEditingTest, RubberBandSelectsLinesWithBothEndsInside)
{
    openConnected(0);
    drag(node(ADATin, 0), node(MAINinL, 0), Qt::ControlModifier);
    drag(node(DSPAout, 0), node(DSPBin, 0));
    ASSERT_EQ(lineCount(), 9);
    // A band around all of ADATin and MAINinL, not around the DSP nodes.
    CRect box = node(ADATin, 0)->rect;
    for (int k = 0; k < 8; ++k) {
        box.UnionRect(box, node(ADATin, k)->rect);
        box.UnionRect(box, node(MAINinL, k)->rect);
    }
    box.InflateRect(3, 3);
    // Start in an empty spot inside the band area's top-left corner.
    const QPoint from(box.left, box.top);
    const QPoint to(box.right, box.bottom);
    ASSERT_EQ(dlg->Select(CPoint(from.x(), from.y())), nullptr);
    QTimer::singleShot(0, [&] {
        move(to, Qt::LeftButton);
        release(to);
    });
    press(from);
    EXPECT_EQ(dlg->selectedLines.GetCount(), 8);
    EXPECT_FALSE(dlg->selectedLines.Find(dlg->lines.GetLine(node(DSPBin, 0), node(DSPAout, 0))));
    EXPECT_TRUE(dlg->bandRect.IsRectEmpty());
}

TEST_F(EditorEditingTest, HoverBubbleShowsTheGainOfNodesThatHaveOne)
{
    openConnected(0);
    IODesc* mainR = node(MAINinR, 2);
    dlg->PutGain(mainR->gainKey, -6.5, 0, 0, 0);
    move(centre(mainR), Qt::NoButton);
    EXPECT_EQ(dlg->hoverNode, mainR);
    EXPECT_TRUE(dlg->bubble.IsWindowVisible());
    EXPECT_STREQ(dlg->bubble.GetText(), "-6.5 dB");
    move(centre(node(ADATin, 0)), Qt::NoButton); // no gain: no bubble
    EXPECT_FALSE(dlg->bubble.IsWindowVisible());
}

TEST_F(EditorEditingTest, RightDragStepsTheHoveredGainByATenthPerMove)
{
    openConnected(0);
    IODesc* mainR = node(MAINinR, 2);
    dlg->PutGain(mainR->gainKey, -6.5, 0, 0, 0);
    QPoint p = centre(mainR);
    move(p, Qt::NoButton);
    press(p, Qt::NoModifier, Qt::RightButton);
    move(p + QPoint(0, 3), Qt::RightButton);
    move(p + QPoint(0, 6), Qt::RightButton);
    EXPECT_NEAR(mainR->gain, -6.7, 1e-9);
    move(p + QPoint(0, 2), Qt::RightButton);
    move(p + QPoint(4, 2), Qt::RightButton); // sideways raises it too
    EXPECT_NEAR(mainR->gain, -6.5, 1e-9);
    release(p + QPoint(4, 2), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(setTexts().size(), 4u);
    EXPECT_EQ(setTexts().back(), "45 1003001c -6.500000");
}
