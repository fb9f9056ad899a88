#include "FaultFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QWidget>

namespace faults {

void installPanelFiles()
{
    const QString folder = settingsPath().toQString();
    QDir().mkpath(folder);
    for (int m = 0; m < modelCount; ++m) {
        for (const char* name : { main_table[m].bitmapFile, main_table[m].panelFile }) {
            const QString to = folder + "/" + name;
            QFile::remove(to);
            QFile::copy(QStringLiteral(PANEL_DIR "/") + name, to);
        }
    }
}

std::string fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

bool pumpUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

void FaultTest::SetUp()
{
    dir = TestEnv::freshDir("faults");
    store = std::make_unique<QSettings>(
        QString::fromStdString(dir + "/settings.ini"), QSettings::IniFormat);
    SetProfileStore(store.get());
    boxes = std::make_unique<MessageBoxScript>();
    installPanelFiles();
    // User presets live in one folder per process; each test starts without any.
    const QString presets = configPath().toQString();
    QDir(presets).removeRecursively();
    QDir().mkpath(presets);
    // The editor makes a folder named after the model in the current folder.
    QDir::setCurrent(QString::fromStdString(dir));
}

void FaultTest::TearDown()
{
    close();
    boxes.reset();
    SetProfileStore(nullptr);
    store.reset();
}

void FaultTest::open(int model, int localMode, bool pump)
{
    close();
    WriteProfileInt("main", "machine", model);
    WriteProfileInt("main", "local", localMode);
    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    if (!pump)
        dlg->KillTimer(dlg->timerId);
    QApplication::processEvents();
}

void FaultTest::close()
{
    if (dlg) {
        dlg->DestroyWindow();
        dlg.reset();
    }
}

QString FaultTest::title() const
{
    return dlg && dlg->GetWidget() ? dlg->GetWidget()->windowTitle() : QString();
}

int FaultTest::boxesCaptioned(const QString& caption) const
{
    int n = 0;
    for (const auto& b : boxes->boxes())
        n += b.caption == caption ? 1 : 0;
    return n;
}

int FaultTest::boxesMentioning(const QString& words) const
{
    int n = 0;
    for (const auto& b : boxes->boxes())
        n += b.caption.contains(words) || b.text.contains(words) ? 1 : 0;
    return n;
}

bool connectSomething(CRoutingDlg& dlg)
{
    for (POSITION d = dlg.activeNodes.GetHeadPosition(); d;) {
        IODesc* dest = dlg.activeNodes.Next(d);
        if (!dest->IsActiveInput() || dest->source)
            continue;
        for (POSITION s = dlg.activeNodes.GetHeadPosition(); s;) {
            IODesc* src = dlg.activeNodes.Next(s);
            if (src->Connects(dest)) {
                dlg.PutLine(dest, src, false);
                dlg.Scan();
                return true;
            }
        }
    }
    return false;
}

} // namespace faults
