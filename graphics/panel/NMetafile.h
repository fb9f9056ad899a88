#pragma once
// The panel picture: decoded once, drawn stretched into a display rectangle
// that keeps the picture's aspect ratio.

#include "CObject.h"
#include "FrameworkTypes.h"
#include "Geometry.h"

#include <QImage>

class CDC;
class CWnd;

class NMetafile : public CObject {
public:
    NMetafile() = default;
    ~NMetafile() override;
    NMetafile(const NMetafile&) = delete;
    NMetafile& operator=(const NMetafile&) = delete;

    // Decodes the picture (format chosen by the image reader) and resets the
    // scale to 1.0. FALSE when it cannot be decoded; the picture is then empty.
    BOOL Load(const char* path);

    // The picture's rectangle (0, 0, width-1, height-1); (0, 0, -1, -1) when empty.
    void GetOutlineRect(CRect& r) const;

    // Fits the picture into area less margin on every side: the width is
    // filled and the height follows the aspect ratio. area becomes the
    // picture's drawn rectangle; returns the scale (display pixels per
    // picture pixel).
    double SetDisplayRect(CRect& area, int margin);

    // Draws the whole picture stretched into the display rectangle less the margin.
    void Draw(CDC* dc);

    // The picture has no background of its own to colour.
    void SetBackgroundColor(COLORREF colour, CWnd* window);

    double GetScale() const { return scale; }
    const CRect& GetDisplayRect() const { return displayRect; }
    const QImage& GetImage() const { return image; }

private:
    int margin = 0;
    CRect displayRect;
    double scale = 1.0;
    QImage image;
    // The picture scaled to the last drawn size: the window repaints often at
    // one size, and stretching the whole picture on every paint dominated the
    // paint time.
    mutable QImage scaled;
};
