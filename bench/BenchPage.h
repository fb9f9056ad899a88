#pragma once
// Set-up shared by the page benchmarks: private XDG folders holding the
// generated panel files, a private settings store, scripted message boxes, and
// editor windows wired to the simulated device in the same process.
#include "AppFolders.h"
#include "CRoutingDlg.h"
#include "LoopbackMidi.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

class BenchPage {
public:
    BenchPage()
    {
        qputenv("XDG_DATA_HOME", (tmp.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (tmp.path() + "/config").toUtf8());
        const QString data = settingsPath().toQString();
        QDir().mkpath(data);
        for (int m = 0; m < modelCount; ++m)
            for (const char* f : { main_table[m].bitmapFile, main_table[m].panelFile })
                QFile::copy(QStringLiteral(PANEL_DIR "/") + f, data + "/" + f);
        QDir::setCurrent(tmp.path());
        SetProfileStore(&store);
    }
    ~BenchPage() { SetProfileStore(nullptr); }
    BenchPage(const BenchPage&) = delete;
    BenchPage& operator=(const BenchPage&) = delete;

    // An editor showing model m, on line, wired to a new simulated device of m.
    std::unique_ptr<CRoutingDlg> open(int m)
    {
        WriteProfileInt("main", "machine", m);
        WriteProfileInt("main", "local", 0);
        auto dlg = std::make_unique<CRoutingDlg>(nullptr);
        dlg->protocol.InstallTransport(
            std::make_unique<LoopbackMidi>(std::make_shared<SimDevice>(m)), commMidi);
        dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
        return dlg;
    }

    QTemporaryDir tmp;
    QSettings store { tmp.path() + "/s.ini", QSettings::IniFormat };
    MessageBoxScript boxes;
};

// The benchmarks' main, on the offscreen platform unless another is chosen.
inline int benchMain(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
