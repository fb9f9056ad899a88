// Repaints of the largest model's page with every destination connected, at
// a large window size, against the floor of one image of that size; the area
// a drag repaints per mouse move. With --grab FOLDER it writes the page's
// pictures instead, to compare the drawing pixel for pixel between versions.
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
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

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

// Runs body on the page at about 2070 pixels wide with every destination
// connected and one node selected with its partners shown.
template <typename Body> void onFwPage(Body body)
{
    QTemporaryDir tmp;
    qputenv("XDG_DATA_HOME", (tmp.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/config").toUtf8());
    const QString data = settingsPath().toQString();
    QDir().mkpath(data);
    for (const char* f : { main_table[2].bitmapFile, main_table[2].panelFile })
        QFile::copy(QStringLiteral(PANEL_DIR "/") + f, data + "/" + f);
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
        // Three "Bigger" steps from a saved 1200 x 900 window, on a screen
        // large enough to hold it (the offscreen screen is smaller).
        dlg.sizer.rect = CRect(0, 0, 1200, 900);
        dlg.ChangeSize(1);
        dlg.ChangeSize(1);
        dlg.ChangeSize(1);
        connectEveryDestination(dlg);
        dlg.selectedNode = dlg.activeNodes[40];
        dlg.lines.SelectLines(dlg.selectedNode, dlg.selectedLines);
        dlg.showRelations = true;
        body(dlg);
        dlg.DestroyWindow();
    }
    SetProfileStore(nullptr);
}

enum class Paint { floor, full, linesAndSelection };

// Paints the page into an image of the window's size at device pixel ratio
// state.range(0): a full repaint, only what the editor draws over the
// picture, or the floor, one image of the window's size drawn unscaled in
// the picture's format.
void repaintFw(benchmark::State& state, Paint what)
{
    onFwPage([&](CRoutingDlg& dlg) {
        const int dpr = int(state.range(0));
        const QSize size = dlg.GetWidget()->size();
        QImage img(size * dpr, QImage::Format_RGB32);
        img.setDevicePixelRatio(dpr);
        QImage page(size * dpr, dlg.picture.GetImage().format());
        page.setDevicePixelRatio(dpr);
        page.fill(Qt::lightGray);
        state.counters["lines"] = dlg.lines.GetCount();
        state.counters["width"] = size.width();
        for (auto _ : state) {
            CDC dc(&img);
            if (what == Paint::floor)
                dc.GetPainter()->drawImage(QPoint(0, 0), page);
            if (what == Paint::full)
                dlg.OnEraseBkgnd(&dc);
            if (what != Paint::floor)
                dlg.OnDraw(&dc);
            dc.End();
            benchmark::DoNotOptimize(img.constBits());
        }
    });
}
void BM_BlitFloorFw(benchmark::State& state)
{
    repaintFw(state, Paint::floor);
}
void BM_FullRepaintFw(benchmark::State& state)
{
    repaintFw(state, Paint::full);
}
void BM_LinesAndSelectionFw(benchmark::State& state)
{
    repaintFw(state, Paint::linesAndSelection);
}
// Median and spread of nine repetitions, at device pixel ratio 1 and 2. The
// repetitions of all three are interleaved (see main), so that a load that
// comes and goes weighs on the floor and the repaints alike.
void medians(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->Repetitions(9)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_BlitFloorFw)->Apply(medians);
BENCHMARK(BM_FullRepaintFw)->Apply(medians);
BENCHMARK(BM_LinesAndSelectionFw)->Apply(medians);

// Sums the area of the window's paint events.
class PaintedArea : public QObject {
public:
    double pixels = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                pixels += double(r.width()) * r.height();
        return false;
    }
};

void mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, p, w->mapToGlobal(p),
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A drag from the selected node over its partners in turn, each move painted
// as the window would: the area painted per move against the window's area.
void BM_DragMoveFw(benchmark::State& state)
{
    onFwPage([&](CRoutingDlg& dlg) {
        QWidget* w = dlg.GetWidget();
        std::vector<QPoint> partners;
        for (POSITION pos = dlg.activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg.activeNodes.Next(pos);
            if (dlg.selectedNode->ConnectsTo(n))
                partners.push_back(
                    QRect(n->rect.left, n->rect.top, n->rect.Width(), n->rect.Height()).center());
        }
        const CRect& from = dlg.selectedNode->rect;
        const QPoint start(from.CenterPoint().x, from.CenterPoint().y);
        mouse(w, QEvent::MouseButtonPress, start, Qt::LeftButton);
        QApplication::processEvents();
        PaintedArea area;
        w->installEventFilter(&area);
        std::size_t moves = 0;
        for (auto _ : state) {
            mouse(w, QEvent::MouseMove, partners[moves++ % partners.size()], Qt::LeftButton);
            QApplication::processEvents();
        }
        w->removeEventFilter(&area);
        mouse(w, QEvent::MouseButtonRelease, start, Qt::NoButton);
        state.counters["partners"] = double(partners.size());
        state.counters["painted_px_per_move"]
            = area.pixels / double(std::max<std::size_t>(moves, 1));
        state.counters["window_px"] = double(w->width()) * w->height();
    });
}
BENCHMARK(BM_DragMoveFw)->Unit(benchmark::kMillisecond);

// Writes the full repaint at device pixel ratio 1 and 2, the window as shown
// after a drag over some partners and after the release that connects, and
// each of the two windows again after a full repaint.
int grab(const QString& folder)
{
    onFwPage([&](CRoutingDlg& dlg) {
        QWidget* w = dlg.GetWidget();
        for (int dpr = 1; dpr <= 2; ++dpr) {
            QImage img(w->size() * dpr, QImage::Format_RGB32);
            img.setDevicePixelRatio(dpr);
            CDC dc(&img);
            dlg.OnEraseBkgnd(&dc);
            dlg.OnDraw(&dc);
            dc.End();
            img.save(folder + QString("/full-dpr%1.png").arg(dpr));
        }
        std::vector<QPoint> partners;
        for (POSITION pos = dlg.activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg.activeNodes.Next(pos);
            if (dlg.selectedNode->ConnectsTo(n))
                partners.push_back(QPoint(n->rect.CenterPoint().x, n->rect.CenterPoint().y));
        }
        const QPoint start(
            dlg.selectedNode->rect.CenterPoint().x, dlg.selectedNode->rect.CenterPoint().y);
        w->grab();
        mouse(w, QEvent::MouseButtonPress, start, Qt::LeftButton);
        QApplication::processEvents();
        for (const QPoint& p :
            { partners[0], partners[3], QPoint(5, w->height() - 5), partners[7] }) {
            mouse(w, QEvent::MouseMove, p, Qt::LeftButton);
            QApplication::processEvents();
        }
        w->grab().save(folder + "/drag.png");
        dlg.Invalidate(TRUE);
        QApplication::processEvents();
        w->grab().save(folder + "/drag-full.png");
        // The release connects: the layer is drawn again only where lines
        // changed, which must give what drawing it all gives.
        mouse(w, QEvent::MouseButtonRelease, partners[7], Qt::NoButton);
        QApplication::processEvents();
        w->grab().save(folder + "/connected.png");
        dlg.Invalidate(TRUE);
        QApplication::processEvents();
        w->grab().save(folder + "/connected-inc.png");
        dlg.lineLayer = LineLayer();
        dlg.Invalidate(TRUE);
        QApplication::processEvents();
        w->grab().save(folder + "/connected-full.png");
    });
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--grab")
        return grab(argv[2]);
    if (!qEnvironmentVariableIsSet("BENCHMARK_ENABLE_RANDOM_INTERLEAVING"))
        qputenv("BENCHMARK_ENABLE_RANDOM_INTERLEAVING", "true");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
