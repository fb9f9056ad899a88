// The "Level" box: the gain of the selected node as text and as a slider.
#include "CRoutingDlg.h"

#include "NQLineEdit.h"
#include "NQSlider.h"

#include <QFontMetrics>

#include <QWidget>
#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// The leading number of a text, as the C library's atof reads it (blanks first,
// text without a number gives 0), but independent of the process locale: the
// box always shows a decimal point.
double leadingNumber(const char* text)
{
    if (!text)
        return 0.0;
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
        ++text;
    if (*text == '+')
        ++text;
    double v = 0.0;
    const auto res = std::from_chars(text, text + std::strlen(text), v);
    return res.ec == std::errc() ? v : 0.0;
}

// Widest gain range the editor takes from a device; a report beyond it (or
// not a number) keeps the node's own range, so the slider range stays an int.
constexpr double kMaxGainSpan = 1000.0;

int sliderRange(const IODesc* n)
{
    const double span = n->gainMax - n->gainMin;
    return span > 0 && span <= kMaxGainSpan ? static_cast<int>(span) : 0;
}

} // namespace

void CRoutingDlg::EnableSlider()
{
    const BOOL on = selectedNode && selectedNode->gainKey != 0;
    if (gainEdit)
        gainEdit->EnableWindow(on);
    if (gainSlider)
        gainSlider->EnableWindow(on);
    SetSlider(selectedNode);
}

void CRoutingDlg::SetSlider(IODesc* n)
{
    if (!n || !n->gainKey) {
        if (gainEdit)
            gainEdit->SetWindowText("");
        return;
    }
    if (gainSlider) {
        // Positions set here only show the gain; they must not change it.
        settingSlider = true;
        gainSlider->SetRange(0, sliderRange(n));
        gainSlider->SetPos(static_cast<int>(n->gainMax - n->gain));
        settingSlider = false;
    }
    ShowGain(static_cast<float>(n->gain));
}

void CRoutingDlg::ShowGain(float dB)
{
    if (!gainEdit)
        return;
    CString text;
    text.Format("%2.1f dB", static_cast<double>(dB));
    if (QWidget* w = gainEdit->GetWidget()) {
        // A box too narrow for the unit shows the bare number.
        const QFontMetrics fm(w->font());
        if (fm.horizontalAdvance(text.toQString()) > w->contentsRect().width() - 8)
            text.Format("%2.1f", static_cast<double>(dB));
    }
    gainEdit->SetWindowText(text);
}

void CRoutingDlg::PutGain(long key, double dB, double min, double max, double step)
{
    // Every node with the key, also those an option keeps off the page: they
    // show and save the device's gain when the option brings them back.
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* n = static_cast<IODesc*>(nodes.GetNext(pos));
        if (n->gainKey != key)
            continue;
        if (std::isfinite(min) && std::isfinite(max) && max > min && max - min <= kMaxGainSpan) {
            n->gainMin = min;
            n->gainMax = max;
        }
        if (std::isfinite(step) && step > 0)
            n->gainStep = step;
        n->SetGain(dB);
        if (n == hoverNode) {
            CString text;
            text.Format("%2.1f dB", dB);
            bubble.SetText(text);
        }
    }
    if (selectedNode && selectedNode->gainKey == key)
        SetSlider(selectedNode);
}

void CRoutingDlg::SendGain(IODesc* n)
{
    if (n && n->gainKey)
        SendValue(n->gainKey, static_cast<float>(n->gain));
}

void CRoutingDlg::OnVScroll(UINT, UINT position, CScrollBar*)
{
    IODesc* n = selectedNode;
    if (settingSlider || !n || !n->gainKey)
        return;
    const int range = sliderRange(n);
    const double span = n->gainMax - n->gainMin;
    if (range <= 0 || span <= 0)
        return;
    double wanted = span * static_cast<double>(position) / range;
    wanted = std::clamp(wanted, 0.0, span);
    const double gain = n->gainMax - wanted;
    const double before = n->gain;
    const PageValues page = CapturePage();
    n->SetGain(gain);
    if (std::fabs(gain - before) > 0.05) {
        SendGain(n);
        ShowGain(static_cast<float>(n->gain));
    }
    RecordEdit(page, gesture * 4 + 2);
}

void CRoutingDlg::OnChangeGain()
{
    static int guard = 0;
    if (guard != 0)
        return;
    guard = 1;
    IODesc* n = selectedNode;
    if (n && n->gainKey && gainEdit) {
        const double before = n->gain;
        const PageValues page = CapturePage();
        CString text;
        gainEdit->GetWindowText(text);
        const int adjusted = n->SetGain(leadingNumber(text));
        if (n->gain != before)
            SendGain(n);
        // A limited or rounded value is shown as stored; the guard keeps that
        // rewrite from coming back here.
        if (adjusted != 0)
            ShowGain(static_cast<float>(n->gain));
        RecordEdit(page, gesture * 4 + 1);
    }
    --guard;
}
