#pragma once
// The rings (and crosses) that mark selected, related and target nodes, each
// look drawn once into a small transparent image and then copied to every
// node that shows it: stroking an antialiased ellipse per node per paint cost
// more than the copy. Looks are kept by colour, size and device pixel ratio.

#include "Geometry.h"

#include <QImage>
#include <vector>

class CDC;

class NodeMarks {
public:
    // Draws on dc the ellipse inscribed in r with a solid 2-pixel pen of
    // colour and, when crossed, the two diagonals of r.
    void Draw(CDC* dc, const CRect& r, unsigned colour, bool crossed);

private:
    static void drawShape(CDC* dc, const CRect& r, unsigned colour, bool crossed);

    struct Mark {
        int width, height;
        unsigned colour;
        bool crossed;
        qreal dpr;
        QImage image;
    };
    std::vector<Mark> marks;
};
