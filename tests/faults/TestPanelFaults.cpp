// A model whose panel picture or description is missing: that model says
// which file it cannot load, the others work as before, and nothing the user
// saved is overwritten by the empty page.
#include "FaultFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace faults {
namespace {

constexpr int kBase = 0, kA = 1, kFW = 2;

QString dataFile(const char* name)
{
    return settingsPath().toQString() + "/" + name;
}

class PanelFaultTest : public FaultTest {
protected:
    // Paints the window once into an image, as the screen would.
    void paintOnce() { dlg->GetWidget()->grab(); }
};

TEST_F(PanelFaultTest, MissingPictureOfOneModelLeavesTheOthersWorking)
{
    const QString picture = dataFile(main_table[kA].bitmapFile);
    ASSERT_TRUE(QFile::remove(picture));
    open(kBase);
    ASSERT_TRUE(boxes->boxes().empty());
    ASSERT_EQ(nodeCount(), ioNodeCount(main_table[kBase]));

    dlg->ChangeTable(kA);
    ASSERT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(boxesMentioning("Cannot load file: " + QFileInfo(picture).absoluteFilePath()), 1);
    EXPECT_EQ(nodeCount(), 0);
    EXPECT_EQ(dlg->optionButtons.GetCount(), 0);
    paintOnce();

    dlg->ChangeTable(kFW);
    EXPECT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(nodeCount(), ioNodeCount(main_table[kFW]));
    EXPECT_TRUE(title().startsWith("Q7300FW Routing - "));
    EXPECT_TRUE(connectSomething());
    paintOnce();
}

TEST_F(PanelFaultTest, MissingDescriptionShowsThePictureWithoutNodes)
{
    const QString description = dataFile(main_table[kA].panelFile);
    ASSERT_TRUE(QFile::remove(description));
    open(kA);
    ASSERT_EQ(boxesCaptioned("loading EMF txt"), 1);
    EXPECT_EQ(boxesMentioning("Cannot load file: "), 1);
    EXPECT_EQ(nodeCount(), 0);
    EXPECT_TRUE(title().startsWith("Q7300A Routing - "));
    // The picture itself is loaded and shown.
    CRect outline;
    dlg->picture.GetOutlineRect(outline);
    EXPECT_GT(outline.Width(), 100);
    EXPECT_GT(dlg->picture.GetScale(), 0.0);
    paintOnce();

    dlg->ChangeTable(kBase);
    EXPECT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(nodeCount(), ioNodeCount(main_table[kBase]));
}

TEST_F(PanelFaultTest, MissingPictureOrCutDescriptionBuildsNoPageAndKeepsTheSavedRouting)
{
    const QString previous
        = configPath().toQString() + "/" + main_table[kA].modelName + "/-Previous.rut";
    for (bool cut : { false, true }) {
        SCOPED_TRACE(cut ? "description cut in half" : "picture missing");
        installPanelFiles();
        // A good run leaves "-Previous" of Q7300A behind.
        open(kA);
        ASSERT_TRUE(connectSomething());
        dlg->OnOkExit();
        close();
        const std::string saved = fileBytes(previous);
        ASSERT_GT(saved.size(), 100u);

        // Next time a panel file is gone or damaged: no page is built from it,
        // and OK must not store that page over the routing the user had.
        const QString broken = dataFile(cut ? main_table[kA].panelFile : main_table[kA].bitmapFile);
        if (cut) {
            const std::string text = fileBytes(broken);
            QFile f(broken);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.data(), static_cast<qint64>(text.size() / 2));
        } else {
            ASSERT_TRUE(QFile::remove(broken));
        }
        const size_t shown = boxes->boxes().size();
        open(kA);
        EXPECT_EQ(boxes->boxes().size(), shown + 1);
        EXPECT_EQ(boxesMentioning("Cannot load file: " + QFileInfo(broken).absoluteFilePath()), 1);
        EXPECT_EQ(nodeCount(), 0);
        EXPECT_EQ(dlg->optionButtons.GetCount(), 0);
        dlg->OnOkExit();
        EXPECT_EQ(fileBytes(previous), saved);
    }
}

} // namespace
} // namespace faults
