// The "Level" box: enabling, the slider mapping, typed gains and their sends.
#include "EditorFixture.h"

#include "NQLineEdit.h"
#include "NQSlider.h"

#include <QApplication>
#include <QSlider>

using namespace editortest;

class EditorGainTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        openConnected(0);
        mainR0 = node(MAINinR, 0);
    }
    QString boxText() const
    {
        CString t;
        dlg->gainEdit->GetWindowText(t);
        return t.toQString();
    }
    QSlider* slider() const { return qobject_cast<QSlider*>(dlg->gainSlider->GetWidget()); }
    IODesc* mainR0 = nullptr;
};

TEST_F(EditorGainTest, SelectingANodeShowsItsGainSendsNothingAndNodesWithoutOneEmptyTheBox)
{
    dlg->PutGain(mainR0->gainKey, -3.5, 0, 0, 0);
    click(mainR0);
    EXPECT_TRUE(dlg->gainEdit->IsWindowEnabled());
    EXPECT_EQ(boxText(), "-3.5 dB");
    EXPECT_EQ(slider()->value(), 3);
    EXPECT_NEAR(mainR0->gain, -3.5, 1e-9); // the slider's own position did not move it
    EXPECT_TRUE(setTexts().empty());
    click(node(ADATin, 0));
    EXPECT_FALSE(dlg->gainEdit->IsWindowEnabled());
    EXPECT_FALSE(dlg->gainSlider->IsWindowEnabled());
    EXPECT_TRUE(boxText().isEmpty());
}

TEST_F(EditorGainTest, SliderSetsWholeDecibelsAndSendsOnlyRealChanges)
{
    click(mainR0);
    slider()->setValue(20);
    EXPECT_NEAR(mainR0->gain, -20.0, 1e-9);
    EXPECT_EQ(boxText(), "-20.0 dB");
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "45 1003001a -20.000000" }));
    // The same position reported again changes and sends nothing.
    dlg->OnVScroll(8, 20, nullptr);
    EXPECT_EQ(setTexts().size(), 1u);
    // Within the 0.05 dB threshold nothing goes out either.
    dlg->PutGain(mainR0->gainKey, -20.04, 0, 0, 0.01);
    ASSERT_NEAR(mainR0->gain, -20.04, 1e-9);
    dlg->OnVScroll(8, 20, nullptr);
    EXPECT_NEAR(mainR0->gain, -20.0, 1e-9);
    EXPECT_EQ(setTexts().size(), 1u);
}

TEST_F(EditorGainTest, TypedGainsAreLimitedRoundedSentAndRewritten)
{
    click(mainR0);
    typeGain("-150");
    EXPECT_NEAR(mainR0->gain, -100.0, 1e-9);
    EXPECT_EQ(setTexts().back(), "45 1003001a -100.000000");
    EXPECT_EQ(boxText(), "-100.0 dB");
    typeGain("-12.34 dB");
    EXPECT_NEAR(mainR0->gain, -12.3, 1e-9);
    EXPECT_EQ(boxText(), "-12.3 dB");
    EXPECT_EQ(setTexts().back(), "45 1003001a -12.300000");
    // Text without a number reads as 0 dB.
    typeGain("loud");
    EXPECT_NEAR(mainR0->gain, 0.0, 1e-9);
    EXPECT_EQ(setTexts().back(), "45 1003001a 0.000000");
    // A leading plus sign is read, on a node whose range reaches above 0 dB.
    dlg->PutGain(mainR0->gainKey, 0, -100, 6, 0.1);
    typeGain("+3");
    EXPECT_NEAR(mainR0->gain, 3.0, 1e-9);
}

TEST_F(EditorGainTest, DeviceReportsSetLimitsOnlyWhenTheyMakeSense)
{
    dlg->PutGain(mainR0->gainKey, -10, -60, 6, 0.5);
    EXPECT_DOUBLE_EQ(mainR0->gainMin, -60);
    EXPECT_DOUBLE_EQ(mainR0->gainMax, 6);
    EXPECT_DOUBLE_EQ(mainR0->gainStep, 0.5);
    dlg->PutGain(mainR0->gainKey, -11, 5, 5, 0);
    EXPECT_DOUBLE_EQ(mainR0->gainMin, -60);
    EXPECT_DOUBLE_EQ(mainR0->gainMax, 6);
    EXPECT_DOUBLE_EQ(mainR0->gainStep, 0.5);
    EXPECT_DOUBLE_EQ(mainR0->gain, -11);
    click(mainR0);
    EXPECT_EQ(slider()->maximum(), 66);
    EXPECT_EQ(slider()->value(), 17);
    // A report for a key no node has changes nothing; none of it is sent.
    dlg->PutGain(0x10039999, -5, 0, 0, 0);
    EXPECT_DOUBLE_EQ(mainR0->gain, -11);
    EXPECT_TRUE(setTexts().empty());
    // A report for the selected node refreshes the box.
    dlg->PutGain(mainR0->gainKey, -7.5, 0, 0, 0);
    EXPECT_EQ(boxText(), "-7.5 dB");
}
