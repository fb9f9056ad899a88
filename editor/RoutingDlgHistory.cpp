// Undo and redo of the page's edits: what a gesture changed is recorded as
// device values, and going back or forth applies them the way an edit does.
#include "CRoutingDlg.h"

#include "CCmdUI.h"
#include "CMenu.h"
#include "ModelTables.h"

#include <QKeyEvent>

#include <cmath>

PageValues CRoutingDlg::CapturePage() const
{
    PageValues p;
    // The device holds one value per key: that of the page's first node with it.
    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = activeNodes.Next(pos);
        if (n->key && n->IsActiveInput())
            p.values.emplace(n->key, n->value);
    }
    // Every node's gain, also off the page: a preset load sets those too.
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        IODesc* n = nodes.Next(pos);
        if (n->gainKey)
            p.gains.emplace(n->gainKey, n->gain);
    }
    ForEachOption([&](int, const ComboDesc& row, RComboBox& list) {
        if (row.key)
            p.values[row.key] = list.pageChoice;
    });
    return p;
}

void CRoutingDlg::RecordEdit(const PageValues& before, unsigned gestureId)
{
    history.Record(before, CapturePage(), gestureId);
    SetChecks(GetSystemMenu(FALSE));
}

void CRoutingDlg::ApplyValues(const PageValues& target)
{
    SaveFirst();
    InvalidateSelection();
    selectedLines.RemoveAll();

    // Options first, so that the destinations below are those of the options'
    // page. Every changing option goes off before any goes on: two options
    // may take the same ports. Each is sent once, with its new choice.
    std::vector<std::pair<int, int>> switched; // row, choice
    ForEachOption([&](int k, const ComboDesc& row, RComboBox& list) {
        auto it = target.values.find(row.key);
        if (!row.key || it == target.values.end() || it->second < 0 || it->second >= list.GetCount()
            || it->second == list.pageChoice)
            return;
        switched.emplace_back(k, it->second);
        if (list.pageChoice != 0) {
            list.SetCurSel(0);
            runComboProc(row.proc, 0);
        }
    });
    // Only rows of the current model were switched.
    for (const auto& [k, choice] : switched) {
        const ComboDesc& row = currentModel()->comboDescs[k];
        if (choice != 0) {
            optionCombos.Item(k)->SetCurSel(choice);
            runComboProc(row.proc, choice);
        }
        PutButtonText(k);
        SendSetValue(row.key, choice);
    }
    // The selected node may have left the page with an option, as after a click.
    if (!switched.empty())
        selectedNode = nullptr;

    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = activeNodes.Next(pos);
        auto it = n->IsActiveInput() ? target.values.find(n->key) : target.values.end();
        if (it == target.values.end() || it->second == n->value)
            continue;
        PutLine(n, n->ConnectionFromIndex(it->second), false);
    }
    Scan();

    for (const auto& [key, dB] : target.gains) {
        bool differs = false;
        for (POSITION pos = nodes.GetHeadPosition(); pos && !differs;) {
            IODesc* n = nodes.Next(pos);
            differs = n->gainKey == key && std::fabs(n->gain - dB) >= 1e-6;
        }
        if (!differs)
            continue;
        PutGain(key, dB, 0, 0, 0);
        SendValue(key, static_cast<float>(dB));
    }

    NewGesture();
    EnableSlider();
    Invalidate(TRUE);
    SetChecks(GetSystemMenu(FALSE));
}

void CRoutingDlg::OnUndo()
{
    if (const PageValues* v = history.Undo())
        ApplyValues(*v);
}

void CRoutingDlg::OnRedo()
{
    if (const PageValues* v = history.Redo())
        ApplyValues(*v);
}

void CRoutingDlg::OnUpdateUndo(CCmdUI* ui)
{
    ui->Enable(history.CanUndo() ? TRUE : FALSE);
}

void CRoutingDlg::OnUpdateRedo(CCmdUI* ui)
{
    ui->Enable(history.CanRedo() ? TRUE : FALSE);
}

void CRoutingDlg::keyPressEvent(QKeyEvent* e)
{
    const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (e->key() == Qt::Key_Z && mods == Qt::ControlModifier) {
        OnUndo();
        return;
    }
    if ((e->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier))
        || (e->key() == Qt::Key_Y && mods == Qt::ControlModifier)) {
        OnRedo();
        return;
    }
    CDialog::keyPressEvent(e);
}
