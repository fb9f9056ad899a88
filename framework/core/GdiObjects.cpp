#include "GdiObjects.h"
#include "CString.h"

#include <QFontInfo>
#include <algorithm>
#include <cstring>

QColor ColorFromArgb(unsigned argb)
{
    return QColor::fromRgb(QRgb(argb | 0xFF000000u));
}

unsigned ArgbFromColor(const QColor& colour)
{
    return unsigned(colour.rgb()) | 0xFF000000u;
}

void CPen::CreatePen(int style, int width, unsigned colour)
{
    m_pen = QPen(QBrush(ColorFromArgb(colour)), width < 0 ? 0 : width, Qt::PenStyle(style));
}

void CBrush::CreateSolidBrush(unsigned colour)
{
    m_brush = QBrush(ColorFromArgb(colour), Qt::SolidPattern);
}

int CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf)
        return 0;
    QFont f;
    // The face name may arrive unterminated from a careless caller: never read past it.
    const char* end = static_cast<const char*>(std::memchr(lf->lfFaceName, 0, LF_FACESIZE));
    const int nameLen = end ? int(end - lf->lfFaceName) : LF_FACESIZE;
    if (nameLen > 0)
        f.setFamily(textToQString(lf->lfFaceName, nameLen));
    const int height = lf->lfHeight < 0 ? -lf->lfHeight : lf->lfHeight;
    if (height > 0)
        f.setPixelSize(height);
    if (lf->lfWeight > 0)
        f.setWeight(QFont::Weight(qBound(1, lf->lfWeight, 1000)));
    f.setItalic(lf->lfItalic != 0);
    f.setUnderline(lf->lfUnderline != 0);
    f.setStrikeOut(lf->lfStrikeOut != 0);
    m_font = f;
    return 1;
}

int CFont::GetLogFont(LOGFONT* lf) const
{
    if (!lf)
        return 0;
    *lf = LOGFONT {};
    int pixels = m_font.pixelSize();
    if (pixels <= 0)
        pixels = QFontInfo(m_font).pixelSize();
    lf->lfHeight = -pixels;
    lf->lfWeight = int(m_font.weight());
    lf->lfItalic = m_font.italic() ? 1 : 0;
    lf->lfUnderline = m_font.underline() ? 1 : 0;
    lf->lfStrikeOut = m_font.strikeOut() ? 1 : 0;
    const QByteArray name = qStringToText(m_font.family());
    const size_t n = std::min<size_t>(size_t(name.size()), LF_FACESIZE - 1);
    std::memcpy(lf->lfFaceName, name.constData(), n);
    lf->lfFaceName[n] = '\0';
    return 1;
}
