// Port options: the buttons and lists on the picture and the exchanges their
// procedures make to nodes and lines.
#include "EditorFixture.h"

#include "ModelTables.h"

#include <QApplication>

using namespace editortest;

class EditorOptionsTest : public EditorTest {
protected:
    void clickButton(int row)
    {
        clickWidget(dlg->optionButtons.Item(row)->GetWidget());
        QApplication::processEvents();
    }
    // The user choosing `choice` in the list of option `row`.
    void choose(int row, int choice) { pick(*dlg->optionCombos.Item(row), choice); }
    bool active(const IODesc* n) const { return dlg->activeNodes.Find(n); }
    // Which of the nodes are on the page, as '1' and '0'.
    std::string onPage(std::initializer_list<const IODesc*> ns) const
    {
        std::string out;
        for (const IODesc* n : ns)
            out += active(n) ? '1' : '0';
        return out;
    }
    CString buttonText(int row) const
    {
        CString t;
        dlg->optionButtons.Item(row)->GetWindowText(t);
        return t;
    }
};

TEST_F(EditorOptionsTest, TwoChoiceButtonsToggleWithoutShowingTheirList)
{
    openConnected(0);
    EXPECT_STREQ(buttonText(0), "off");
    clickButton(0);
    EXPECT_EQ(dlg->optionCombos.Item(0)->GetCurSel(), 1);
    EXPECT_STREQ(buttonText(0), "on");
    EXPECT_TRUE(dlg->optionButtons.Item(0)->IsWindowVisible());
    EXPECT_FALSE(dlg->optionCombos.Item(0)->IsWindowVisible());
    clickButton(0);
    EXPECT_STREQ(buttonText(0), "off");
    EXPECT_EQ(onPage({ node(SPDIFcin, 0), node(AESin, 0) }), "01");
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 1001005d 1", "60 1001005d 0" }));
}

TEST_F(EditorOptionsTest, FiveChoiceButtonsOpenTheirList)
{
    openConnected(2);
    clickButton(1);
    EXPECT_TRUE(dlg->optionCombos.Item(1)->IsWindowVisible());
    EXPECT_FALSE(dlg->optionButtons.Item(1)->IsWindowVisible());
    choose(1, 2);
    EXPECT_FALSE(dlg->optionCombos.Item(1)->IsWindowVisible());
    EXPECT_TRUE(dlg->optionButtons.Item(1)->IsWindowVisible());
    EXPECT_STREQ(buttonText(1), "aes13/14");
    // Pair 2 of AES10in (members 2 and 3) left the page for the two SPDIFoin nodes.
    EXPECT_EQ(onPage({ node(AES10in, 2), node(AES10in, 3), node(AES10in, 1), node(SPDIFoin, 0) }),
        "0011");
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 10010888 2" }));
}

TEST_F(EditorOptionsTest, AnalogueInputsComeAndGoWhileSpdifStaysWithItsLines)
{
    openConnected(0);
    clickButton(0); // S/PDIF on
    drag(node(SPDIFcin, 0), node(MAINinL, 0));
    drag(node(SPDIFcin, 1), node(MAINinL, 1));
    drag(node(AESin, 6), node(MAINinL, 6));
    ASSERT_EQ(lineCount(), 3);
    const int value6 = node(MAINinL, 6)->value;

    clickButton(1); // analogue on: ANAin takes AESin 6 and 7's places
    EXPECT_EQ(onPage({ node(ANAin, 0), node(AESin, 6), node(AESin, 7), node(SPDIFcin, 0),
                  node(SPDIFcin, 1), node(AESin, 0) }),
        "100110");
    // The line from AESin 6 moved to the analogue input in its place.
    EXPECT_TRUE(hasLine(node(ANAin, 0), node(MAINinL, 6)));
    EXPECT_EQ(node(MAINinL, 6)->source, node(ANAin, 0));
    EXPECT_EQ(node(MAINinL, 6)->value, value6);

    clickButton(1); // analogue off
    EXPECT_EQ(onPage({ node(ANAin, 0), node(AESin, 6), node(SPDIFcin, 0), node(SPDIFcin, 1),
                  node(AESin, 1) }),
        "01110");
    for (auto [g, i] : { std::pair(SPDIFcin, 0), std::pair(SPDIFcin, 1), std::pair(AESin, 6) })
        EXPECT_TRUE(hasLine(node(g, i), node(MAINinL, i))) << i;
    EXPECT_EQ(lineCount(), 3);
    // No value changed on the way: nothing but the two option keys went out.
    EXPECT_EQ(setTexts(),
        std::vector<std::string>({ "60 1001005d 1", "60 1001081a 0", "60 1001081b 0",
            "60 10010820 0", "60 1001082d 1", "60 1001082d 0" }));
}

TEST_F(EditorOptionsTest, OpticalSpdifDisablesAdatInputsAndRestoresTheirLines)
{
    openConnected(2);
    drag(node(ADATin, 0), node(ADATout, 0));
    drag(node(ADATin, 3), node(MAINinL, 2));
    drag(node(AES10in, 0), node(FWIRE1out, 0));
    ASSERT_EQ(lineCount(), 3);

    choose(1, 1); // SPDIFoin in place of AES10in pair 1
    EXPECT_TRUE(node(ADATin, 0)->disabled);
    EXPECT_FALSE(active(node(ADATin, 3)));
    EXPECT_FALSE(hasLine(node(ADATin, 0), node(ADATout, 0)));
    EXPECT_FALSE(hasLine(node(ADATin, 3), node(MAINinL, 2)));
    // The destinations keep their sources for later.
    EXPECT_EQ(node(ADATout, 0)->source, node(ADATin, 0));
    EXPECT_EQ(node(MAINinL, 2)->source, node(ADATin, 3));
    // The line from AES10in 0 moved to SPDIFoin 0, which took its place.
    EXPECT_TRUE(hasLine(node(SPDIFoin, 0), node(FWIRE1out, 0)));
    // The other AES10 pair option is locked while this one is on.
    EXPECT_FALSE(dlg->optionButtons.Item(2)->IsWindowEnabled());
    // A disabled input cannot be connected.
    drag(node(ADATin, 5), node(MAINinL, 5));
    EXPECT_EQ(node(MAINinL, 5)->source, nullptr);

    choose(1, 0);
    EXPECT_FALSE(node(ADATin, 0)->disabled);
    EXPECT_TRUE(hasLine(node(ADATin, 0), node(ADATout, 0)));
    EXPECT_TRUE(hasLine(node(ADATin, 3), node(MAINinL, 2)));
    EXPECT_TRUE(hasLine(node(AES10in, 0), node(FWIRE1out, 0)));
    EXPECT_EQ(lineCount(), 3);
    EXPECT_TRUE(dlg->optionButtons.Item(2)->IsWindowEnabled());
}

TEST_F(EditorOptionsTest, SecondCoaxialSpdifLocksTheOpticalOption)
{
    openConnected(2);
    clickButton(2);
    EXPECT_EQ(onPage({ node(SPDIFcin2, 0), node(AES10in, 0) }), "10");
    EXPECT_FALSE(dlg->optionButtons.Item(1)->IsWindowEnabled());
    clickButton(2);
    EXPECT_TRUE(dlg->optionButtons.Item(1)->IsWindowEnabled());
    EXPECT_TRUE(active(node(AES10in, 0)));
}

TEST_F(EditorOptionsTest, OpticalOutputMirrorsAnAes10PairAndGivesAdatOutputsBack)
{
    openConnected(2);
    drag(node(ADATin, 2), node(AES10out, 2));
    drag(node(MAINoutR, 1), node(AES10out, 3));
    drag(node(ADATin, 5), node(ADATout, 4));
    choose(3, 2); // mirror of AES10out pair 2 (members 2 and 3)
    EXPECT_EQ(node(SPDIFoout, 0)->source, node(ADATin, 2));
    EXPECT_EQ(node(SPDIFoout, 1)->source, node(MAINoutR, 1));
    EXPECT_TRUE(hasLine(node(ADATin, 2), node(SPDIFoout, 0)));
    EXPECT_TRUE(hasLine(node(MAINoutR, 1), node(SPDIFoout, 1)));
    EXPECT_TRUE(node(ADATout, 4)->disabled);
    EXPECT_FALSE(hasLine(node(ADATin, 5), node(ADATout, 4)));
    EXPECT_EQ(setTexts().back(), "60 10010889 2");

    choose(3, 0);
    EXPECT_EQ(node(SPDIFoout, 0)->source, nullptr);
    EXPECT_FALSE(hasLine(node(ADATin, 2), node(SPDIFoout, 0)));
    EXPECT_FALSE(node(ADATout, 4)->disabled);
    EXPECT_TRUE(hasLine(node(ADATin, 5), node(ADATout, 4)));
    EXPECT_EQ(lineCount(), 3);
}

TEST_F(EditorOptionsTest, DeviceReportsSetOptionsWithoutSendingThemBack)
{
    openConnected(0);
    dlg->PutSetValue(0x1001082d, 1);
    EXPECT_EQ(dlg->optionCombos.Item(1)->GetCurSel(), 1);
    EXPECT_STREQ(buttonText(1), "on");
    EXPECT_TRUE(active(node(ANAin, 1)));
    // A choice beyond the option's texts changes nothing.
    dlg->PutSetValue(0x1001005d, 40);
    EXPECT_FALSE(active(node(SPDIFcin, 0)));
    EXPECT_TRUE(setTexts().empty());
}

TEST_F(EditorOptionsTest, RebuildingThePageResetsEveryOption)
{
    openConnected(2);
    choose(1, 4);
    clickButton(0);
    dlg->LoadGraphics();
    EXPECT_EQ(dlg->activeNodes.GetCount(), 158);
    EXPECT_FALSE(active(node(SPDIFoin, 0)));
    EXPECT_FALSE(node(ADATin, 0)->disabled);
    // The procedures forgot their old choices: switching on works again.
    choose(1, 4);
    EXPECT_TRUE(active(node(SPDIFoin, 0)));
    EXPECT_FALSE(active(node(AES10in, 6)));
}
