// A model whose panel picture or description is missing or cut short: that
// model says which file it cannot load and builds no page, the others work as
// before, and nothing the user saved is overwritten by the empty page.
#include "EditorFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"

#include <QFile>
#include <QFileInfo>

using namespace editortest;

namespace {

constexpr int kA = 1, kFW = 2;

TEST_F(EditorTest, MissingOrCutPanelFileBuildsNoPageAndKeepsTheSavedRouting)
{
    const QString previous
        = configPath().toQString() + "/" + main_table[kA].modelName + "/-Previous.rut";
    const QString picture = settingsPath().toQString() + "/" + main_table[kA].bitmapFile;
    const QString description = settingsPath().toQString() + "/" + main_table[kA].panelFile;
    enum Fault { noPicture, cutDescription, noDescription };
    for (Fault fault : { noPicture, cutDescription, noDescription }) {
        SCOPED_TRACE(fault);
        writePanelFiles(kA);
        // A good run leaves "-Previous" of Q7300A behind.
        open(kA);
        ASSERT_TRUE(connectSomething());
        dlg->OnOkExit();
        const std::string saved = fileBytes(previous);
        ASSERT_GT(saved.size(), 100u);

        const QString broken = fault == noPicture ? picture : description;
        if (fault == cutDescription)
            writeFile(broken, fileBytes(broken).substr(0, fileBytes(broken).size() / 2));
        else
            ASSERT_TRUE(QFile::remove(broken));
        boxes.reset();
        boxes = std::make_unique<MessageBoxScript>();
        open(kFW);
        ASSERT_TRUE(boxes->boxes().empty());
        dlg->ChangeTable(kA);
        EXPECT_EQ(boxesMentioning("Cannot load file: " + QFileInfo(broken).absoluteFilePath()), 1);
        EXPECT_EQ(boxes->boxes().size(), 1u);
        EXPECT_EQ(nodeCount(), 0);
        EXPECT_EQ(dlg->optionButtons.GetCount(), 0);
        if (fault == noDescription) {
            EXPECT_TRUE(title().startsWith("Q7300A Routing - "));
            // The picture itself is loaded and shown.
            EXPECT_EQ(boxesCaptioned("loading EMF txt"), 1);
            EXPECT_GT(dlg->picture.GetScale(), 0.0);
        }
        window()->grab();
        // Another model works as before.
        dlg->ChangeTable(kFW);
        EXPECT_EQ(nodeCount(), ioNodeCount(main_table[kFW]));
        EXPECT_TRUE(connectSomething());
        // OK on the empty page must not store it over the routing the user had.
        dlg->ChangeTable(kA);
        dlg->OnOkExit();
        EXPECT_EQ(fileBytes(previous), saved);
    }
}

} // namespace
