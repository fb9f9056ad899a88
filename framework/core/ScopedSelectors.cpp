#include "ScopedSelectors.h"

#include "CDC.h"

NPen::NPen(CDC* dc, int style, int width, COLORREF colour)
    : m_dc(dc)
{
    if (!m_dc)
        return;
    m_previous = m_dc->GetCurrentPen();
    const CPen pen(style, width, colour);
    m_dc->SelectObject(&pen);
}

NPen::~NPen()
{
    if (m_dc)
        m_dc->SelectObject(&m_previous);
}

NBrush::NBrush(CDC* dc, COLORREF colour)
    : m_dc(dc)
{
    if (!m_dc)
        return;
    m_previous = m_dc->GetCurrentBrush();
    const CBrush brush(colour);
    m_dc->SelectObject(&brush);
}

NBrush::~NBrush()
{
    if (m_dc)
        m_dc->SelectObject(&m_previous);
}

NBackColor::NBackColor(CDC* dc, COLORREF colour)
    : m_dc(dc)
{
    if (m_dc)
        m_previous = m_dc->SetBkColor(colour);
}

NBackColor::~NBackColor()
{
    if (m_dc)
        m_dc->SetBkColor(m_previous);
}

NTextColor::NTextColor(CDC* dc, COLORREF colour)
    : m_dc(colour == NoColorChange ? nullptr : dc)
{
    if (!m_dc)
        return;
    m_previous = m_dc->GetCurrentPen();
    m_dc->SetTextColor(colour);
}

NTextColor::~NTextColor()
{
    if (m_dc)
        m_dc->SetPen(m_previous);
}

NBackMode::NBackMode(CDC* dc, int mode)
    : m_dc(dc)
{
    if (m_dc)
        m_previous = m_dc->SetBkMode(mode);
}

NBackMode::~NBackMode()
{
    if (m_dc)
        m_dc->SetBkMode(m_previous);
}
