// Presets that cannot be written: the model folder blocked by a file, a full
// disk. Each save says "Cannot save file" with the path, and whatever was on
// disk before stays as it was.
#include "FaultFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace faults {
namespace {

constexpr int kBase = 0;

QString modelFolder(int model)
{
    return configPath().toQString() + "/" + main_table[model].modelName;
}

QString presetPath(int model, const char* name)
{
    return modelFolder(model) + "/" + name + ".rut";
}

void writeFile(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Limits the size of any file this process writes, as a full disk would;
// the signal such a write raises is ignored so the write just fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = old_;
        r.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &r) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit old_ {};
    void (*previous_)(int) = nullptr;
    bool ok_ = false;
};

using PresetFaultTest = FaultTest;

TEST_F(PresetFaultTest, ModelFolderBlockedByAFileSaysSoAndLeavesTheFileAlone)
{
    QDir().mkpath(configPath().toQString());
    QDir(modelFolder(kBase)).removeRecursively();
    const std::string mine = "not a folder: the user's own notes\n";
    writeFile(modelFolder(kBase), mine);
    open(kBase);
    ASSERT_TRUE(connectSomething());

    dlg->Save("Mine");
    dlg->OnOkExit(); // saves "-Previous" on the way out

    ASSERT_EQ(boxesCaptioned("Cannot save file"), 2);
    EXPECT_EQ(boxes->boxes()[0].text, presetPath(kBase, "Mine"));
    EXPECT_EQ(boxes->boxes()[1].text, presetPath(kBase, "-Previous"));
    EXPECT_EQ(fileBytes(modelFolder(kBase)), mine);
    // A name that was not saved is not offered.
    EXPECT_LT(dlg->userPresets.FindStringExact(-1, "Mine"), 0);
}

TEST_F(PresetFaultTest, FullDiskKeepsTheOldPresetWhole)
{
    open(kBase);
    dlg->Save("Mine");
    ASSERT_TRUE(boxes->boxes().empty())
        << boxes->boxes()[0].caption.toStdString() << " | " << boxes->boxes()[0].text.toStdString();
    const std::string before = fileBytes(presetPath(kBase, "Mine"));
    ASSERT_GT(before.size(), 200u);
    ASSERT_TRUE(connectSomething());

    {
        FileSizeLimit full(64);
        ASSERT_TRUE(full.ok());
        dlg->Save("Mine");
        dlg->Save("Other");
    }

    ASSERT_EQ(boxesCaptioned("Cannot save file"), 2);
    EXPECT_EQ(boxes->boxes()[0].text, presetPath(kBase, "Mine"));
    EXPECT_EQ(fileBytes(presetPath(kBase, "Mine")), before);
    EXPECT_EQ(fileBytes(presetPath(kBase, "Other")), "<missing>");
    // No half-written temporary files are left beside the presets.
    const QStringList left = QDir(modelFolder(kBase)).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList { "Mine.rut" });

    // With room again the same save goes through and holds the new routing.
    dlg->Save("Mine");
    EXPECT_EQ(boxesCaptioned("Cannot save file"), 2);
    EXPECT_NE(fileBytes(presetPath(kBase, "Mine")), before);
}

TEST_F(PresetFaultTest, PresetThatIsAFolderLoadsNothingAndKeepsThePage)
{
    open(kBase);
    ASSERT_TRUE(connectSomething());
    const int lines = lineCount();
    QDir().mkpath(presetPath(kBase, "Odd"));
    dlg->Load("Odd", false);
    EXPECT_EQ(lineCount(), lines);
    EXPECT_FALSE(dlg->initialSaved) << "a load that read nothing saved -Initial";
    EXPECT_TRUE(boxes->boxes().empty());
}

} // namespace
} // namespace faults
