// q7300-panelgen: writes every model's routing page picture and panel
// description, from the model tables, into the folder given as argument.
//   q7300-panelgen <output folder>

#include "ModelTables.h"
#include "PanelDescription.h"
#include "PanelLayout.h"
#include "PanelPainter.h"

#include "CString.h"
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

const char* const kRegularFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The option that assigns the optical S/PDIF output switches no group of
// its own; its button belongs with the port it drives.
groupID homeOf(const ComboDesc& row)
{
    if (row.group != noGroup)
        return row.group;
    if (row.proc == ComboProcId::fwire_spdifoo_proc)
        return SPDIFoout;
    return noGroup;
}

panelgen::PanelModel modelFrom(const model_entry& m)
{
    panelgen::PanelModel pm;
    pm.name = m.modelName;
    for (int r = 0; r < m.ioRows; ++r) {
        const io_entry& e = m.ioTable[r];
        pm.rows.push_back({ e.group, e.count, e.inputs, e.label });
    }
    for (int k = 0; k < comboDescCount(m.comboDescs); ++k)
        pm.options.push_back({ m.comboDescs[k].group, homeOf(m.comboDescs[k]) });
    return pm;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: q7300-panelgen <output folder>\n");
        return 2;
    }
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QDir out(textToQString(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "q7300-panelgen: cannot create %s\n", argv[1]);
        return 1;
    }
    panelgen::PanelPainter painter;
    if (!painter.loadFonts(kRegularFont, kBoldFont)) {
        std::fprintf(stderr, "q7300-panelgen: cannot load %s or %s\n", kRegularFont, kBoldFont);
        return 1;
    }

    int failures = 0;
    for (const model_entry& m : main_table) {
        panelgen::PanelModel pm = modelFrom(m);
        panelgen::PanelLayout page = panelgen::layOut(pm);
        std::string problem = panelgen::checkPage(pm, page);
        if (!problem.empty()) {
            std::fprintf(stderr, "q7300-panelgen: %s: %s\n", m.modelName, problem.c_str());
            ++failures;
            continue;
        }
        QString bmp = out.filePath(m.bitmapFile);
        QString txt = out.filePath(m.panelFile);
        if (!painter.paint(page).save(bmp, "BMP")) {
            std::fprintf(
                stderr, "q7300-panelgen: cannot write %s\n", qStringToText(bmp).constData());
            ++failures;
        }
        if (!panelgen::writeDescription(page, qStringToText(txt).toStdString())) {
            std::fprintf(
                stderr, "q7300-panelgen: cannot write %s\n", qStringToText(txt).constData());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
