#pragma once
// The connection lines of the page drawn once into a transparent image the
// size of the window, and laid over the picture on every paint. Stroking
// the antialiased lines was most of a repaint; they change far less often
// than the window repaints (a drag, a partial repaint, the window shown
// again). The layer is redrawn when a line, its colour, the pen width or the
// target's size changes.

#include "Geometry.h"

#include <QImage>
#include <vector>

class CDC;
class LineList;

class LineLayer {
public:
    // Draws lines in list order, each in its colour (selected when it is in
    // selected), as Line::Draw would draw them on dc.
    void Draw(CDC* dc, const LineList& lines, const LineList& selected, unsigned normalColour,
        unsigned selectedColour, int width);

private:
    // What one line's look depends on.
    struct Key {
        CRect source, dest;
        unsigned colour;
        bool operator==(const Key& o) const
        {
            return source == o.source && dest == o.dest && colour == o.colour;
        }
    };
    std::vector<Key> drawn;
    int drawnWidth = 0;
    QImage layer;
    QRect used; // the part of the layer the lines cover, in the layer's pixels
};
