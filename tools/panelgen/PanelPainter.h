#pragma once
// Draws a laid-out routing page into an image.

#include "PanelLayout.h"

#include <QImage>
#include <QString>

namespace panelgen {

class PanelPainter {
public:
    // Loads the page fonts from the given font files, so the picture never
    // depends on what the font configuration would pick. Returns false when
    // a file cannot be loaded.
    bool loadFonts(const QString& regularFile, const QString& boldFile);

    QImage paint(const PanelLayout& page) const;

private:
    QString regular;
    QString bold;
};

} // namespace panelgen
