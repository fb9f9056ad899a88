// Full repaint of the largest model's page with every destination connected,
// into an offscreen image at a large window size: picture, lines, selection.
#include "AppFolders.h"
#include "CDC.h"
#include "CRoutingDlg.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sstream>

namespace {

// Panel files of the FW model: a 1181-pixel picture, nodes on a grid.
void writePanel(const QString& folder)
{
    const model_entry& m = main_table[2];
    QImage img(1181, 900, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < img.height(); y += 40)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, 0xFFCCCCCC);
    img.save(folder + "/" + m.bitmapFile, "BMP");
    std::ostringstream d;
    d << "OUTLINE 0,0,1180,899\n";
    for (int n = 0; n < ioNodeCount(m); ++n) {
        const int x = 30 + (n / 24) * 160;
        const int y = 20 + (n % 24) * 34;
        d << "LED " << x << "," << y << "," << x + 12 << "," << y + 12 << "\n";
    }
    for (int i = 0; i < comboDescCount(m.comboDescs); ++i)
        d << "BUTTON " << 30 + i * 120 << ",850," << 90 + i * 120 << ",870\n";
    QFile f(folder + "/" + m.panelFile);
    f.open(QIODevice::WriteOnly);
    f.write(d.str().c_str());
}

void connectEveryDestination(CRoutingDlg& dlg)
{
    for (POSITION pos = dlg.activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg.activeNodes.Next(pos);
        if (!n->IsActiveInput())
            continue;
        IODescList sources;
        n->GetPossibleSourceList(sources);
        // Spread the sources so lines cross the page.
        if (sources.GetCount() > 0)
            dlg.PutLine(n, sources[(n->index * 3) % sources.GetCount()], false);
        sources.RemoveAll();
    }
}

// Paints the page: with the picture (a full repaint) or only what the editor
// draws over it (lines, selection, partners).
void repaintFw(benchmark::State& state, bool withPicture)
{
    QTemporaryDir tmp;
    qputenv("XDG_DATA_HOME", (tmp.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/config").toUtf8());
    QDir().mkpath(settingsPath().toQString());
    writePanel(settingsPath().toQString());
    QSettings store(tmp.path() + "/s.ini", QSettings::IniFormat);
    SetProfileStore(&store);
    MessageBoxScript boxes;
    WriteProfileInt("main", "machine", 2);
    WriteProfileInt("main", "local", 1);
    WriteProfileString("Nerilune", "Sizer", "0,0,1200,900");
    QDir::setCurrent(tmp.path());
    {
        CRoutingDlg dlg(nullptr);
        dlg.Create(CRoutingDlg::dialogTemplateId, nullptr);
        // Three "Bigger" steps: about 2070 pixels wide.
        dlg.ChangeSize(1);
        dlg.ChangeSize(1);
        dlg.ChangeSize(1);
        connectEveryDestination(dlg);
        dlg.selectedNode = dlg.activeNodes[40];
        dlg.lines.SelectLines(dlg.selectedNode, dlg.selectedLines);
        dlg.showRelations = true;
        QImage img(dlg.GetWidget()->size(), QImage::Format_RGB32);
        state.counters["lines"] = dlg.lines.GetCount();
        state.counters["width"] = img.width();
        for (auto _ : state) {
            CDC dc(&img);
            if (withPicture)
                dlg.OnEraseBkgnd(&dc);
            dlg.OnDraw(&dc);
            dc.End();
            benchmark::DoNotOptimize(img.constBits());
        }
        dlg.DestroyWindow();
    }
    SetProfileStore(nullptr);
}
void BM_FullRepaintFw(benchmark::State& state)
{
    repaintFw(state, true);
}
void BM_LinesAndSelectionFw(benchmark::State& state)
{
    repaintFw(state, false);
}
BENCHMARK(BM_FullRepaintFw)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LinesAndSelectionFw)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
