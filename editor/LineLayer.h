#pragma once
// The connection lines of the page drawn once into a transparent image the
// size of the window, and laid over the picture on every paint. Stroking
// the antialiased lines was most of a repaint; they change far less often
// than the window repaints (a drag, a partial repaint, the window shown
// again). When lines change, only the part of the layer they cover is drawn
// again. Laying the whole layer over the picture still read every pixel of
// it, so the layer keeps, per row, the runs of pixels the lines cover, their
// pixels packed one after the other, and only those are blended onto an
// image target.

#include "Geometry.h"

#include <QImage>
#include <QRect>
#include <vector>

class CDC;
class LineList;
class QPainter;

class LineLayer {
public:
    // Draws lines in list order, each in its colour (selected when it is in
    // selected), as Line::Draw would draw them on dc.
    void Draw(CDC* dc, const LineList& lines, const LineList& selected, unsigned normalColour,
        unsigned selectedColour, int width);

private:
    // What one line's look depends on, and the part of the page it covers.
    struct Key {
        CRect source, dest;
        unsigned colour;
        CRect bounds;
        bool operator==(const Key& o) const
        {
            return source == o.source && dest == o.dest && colour == o.colour;
        }
    };
    // The runs [x0, x1) of covered pixels of one row of the layer.
    struct Run {
        int x0, x1;
        std::size_t offset; // packed[offset + x] is the layer's pixel x
    };

    // Draws again the lines over dirty (logical pixels) and finds its runs again.
    void redraw(const LineList& lines, const LineList& selected, unsigned normalColour,
        unsigned selectedColour, int width, const QRect& dirty);
    // The part of the page whose look changes from drawn to now; empty when
    // none, or the whole layer when lines were reordered.
    QRect changed(const std::vector<Key>& now) const;
    // Blends the covered runs inside the painter's clip straight onto its
    // image; false when the target is not an image this can blend onto.
    bool blendRuns(QPainter* p) const;

    std::vector<Key> drawn;
    std::vector<Key> next; // kept only to reuse its storage from paint to paint
    int drawnWidth = 0;
    QImage layer;
    QImage scratch; // transparent between redraws of a part of the layer
    std::vector<std::vector<Run>> runs; // per row of the layer
    std::vector<quint32> packed; // the pixels of all runs, row by row
    QRect used; // the rows and columns the runs cover, in the layer's pixels
};
