// The factory presets the build generates, chosen in the "Factory" list of an
// editor connected to the simulated device of their model.
#include "EditorFixture.h"

#include "AppFolders.h"
#include "CComboBox.h"
#include "ModelTables.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <sstream>

using namespace editortest;

TEST_F(EditorTest, EveryFactoryPresetLeavesTheDeviceHoldingItsValues)
{
    std::mt19937 rng(22);
    for (int m = 0; m < modelCount; ++m) {
        const QString model = main_table[m].modelName;
        SCOPED_TRACE(model.toStdString());
        const QDir shipped(QStringLiteral(FACTORY_PRESET_DIR "/") + model);
        const QString folder = settingsPath().toQString() + "/" + model;
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QStringList files = shipped.entryList({ "*.rft" }, QDir::Files);
        for (const QString& f : files)
            ASSERT_TRUE(QFile::copy(shipped.filePath(f), folder + "/" + f));
        openWithDevice(m, m);
        ASSERT_GE(drain(), 0);
        ASSERT_EQ(dlg->factoryPresets.GetCount(), files.size());
        ASSERT_GE(files.size(), 4);

        for (int i = 0; i < dlg->factoryPresets.GetCount(); ++i) {
            CString name;
            dlg->factoryPresets.GetLBText(i, name);
            SCOPED_TRACE(static_cast<const char*>(name));
            randomizeDevice(rng);
            pick(dlg->factoryPresets, i);
            ASSERT_GE(drain(), 0);
            EXPECT_TRUE(boxes->boxes().empty()) << boxes->boxes()[0].caption.toStdString() << ": "
                                                << boxes->boxes()[0].text.toStdString();

            QFile file(shipped.filePath(QString(name.toQString()) + ".rft"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            std::istringstream lines(file.readAll().toStdString());
            std::string word;
            long key = 0;
            int count = 0;
            while (lines >> std::hex >> key >> word) {
                ++count;
                if (word.find('.') != std::string::npos)
                    EXPECT_NEAR(device->GainOf(key).value_or(1e9), std::stod(word), 0.05)
                        << std::hex << key;
                else
                    EXPECT_EQ(device->Value(key), std::stoi(word)) << std::hex << key;
            }
            EXPECT_GT(count, 50);
        }
        QDir(folder).removeRecursively();
    }
}
