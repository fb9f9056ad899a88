// The port-option procedures: each swaps the option's nodes onto or off the
// page when its choice changes. Each remembers its previous choice; -1 resets it.
#include "CRoutingDlg.h"

#include "ModelTables.h"

namespace {

// Maps the reset choice -1 to 0 (forgetting the previous choice) and tells
// whether the choice differs from the previous one. A choice beyond the
// option's texts (a device may report anything) changes nothing.
bool choiceChanged(int& choice, int& previous, int highest)
{
    if (choice < 0) {
        choice = 0;
        previous = 0;
    }
    return choice <= highest && choice != previous;
}

constexpr int onOff = 1; // highest choice of an on/off option
constexpr int fourPairs = 4; // highest choice of an AES10 pair option

CButton* optionButton(int row)
{
    POSITION pos = theDlg ? theDlg->optionButtons.FindIndex(row) : nullptr;
    return pos ? static_cast<CButton*>(theDlg->optionButtons.GetAt(pos)) : nullptr;
}

RComboBox* optionList(int row)
{
    POSITION pos = theDlg ? theDlg->optionCombos.FindIndex(row) : nullptr;
    return pos ? static_cast<RComboBox*>(theDlg->optionCombos.GetAt(pos)) : nullptr;
}

} // namespace

void fwire_spdifc_proc(int choice)
{
    static int previous = 0;
    if (!theDlg || !choiceChanged(choice, previous, onOff))
        return;
    theDlg->spdif_in_change(choice, previous, AESin, SPDIFcin, noGroup);
    previous = choice;
}

void fwire_spdifo_proc(int choice)
{
    static int previous = 0;
    if (!theDlg || !choiceChanged(choice, previous, fourPairs))
        return;
    theDlg->spdif_in_change(choice, previous, AES10in, SPDIFoin, ADATin);
    previous = choice;
    // Both pair options take AES10in pairs: only one may be on at a time.
    if (CButton* b = optionButton(2))
        b->EnableWindow(choice == 0);
}

void fwire_spdifc2_proc(int choice)
{
    static int previous = 0;
    if (!theDlg || !choiceChanged(choice, previous, onOff))
        return;
    theDlg->spdif_in_change(choice, previous, AES10in, SPDIFcin2, noGroup);
    previous = choice;
    if (CButton* b = optionButton(1))
        b->EnableWindow(choice == 0);
}

void q7300_ana_proc(int choice)
{
    static int previous = 0;
    if (!theDlg)
        return;
    if (choice > onOff)
        return;
    if (choice > 0)
        choice = 4; // the two analogue inputs take the place of AESin pair 4
    if (!choiceChanged(choice, previous, 4))
        return;
    // Group members are counted in page order, so the S/PDIF option's own
    // exchange is taken off around this one and put back afterwards.
    RComboBox* spdif = optionList(0);
    const bool spdifOn = spdif && spdif->GetCurSel() > 0;
    if (spdifOn)
        theDlg->spdif_in_change(0, 1, AESin, SPDIFcin, noGroup);
    theDlg->spdif_in_change(choice, previous, AESin, ANAin, noGroup);
    if (spdifOn)
        theDlg->spdif_in_change(1, 0, AESin, SPDIFcin, noGroup);
    previous = choice;
}

void fwire_spdifoo_proc(int choice)
{
    static int previous = 0;
    if (!theDlg || !choiceChanged(choice, previous, fourPairs))
        return;
    CRoutingDlg& dlg = *theDlg;
    if (previous != 0) {
        dlg.ConnectGroup(SPDIFoout, 3, noGroup, -1, false);
        if (choice == 0) {
            // ADAT outputs are available again, with the sources they kept.
            CObList adat;
            dlg.activeNodes.GetGroupMembers(ADATout, adat, -1);
            for (POSITION pos = adat.GetHeadPosition(); pos;) {
                auto* n = static_cast<IODesc*>(adat.GetNext(pos));
                n->disabled = 0;
                if (n->source && !dlg.lines.GetLine(n, n->source)) {
                    auto* line = new Line(n->source, n);
                    dlg.lines.AddTail(line);
                    line->Invalidate(&dlg);
                }
            }
            previous = 0;
            return;
        }
    }
    // The S/PDIF outputs show the sources the chosen AES10 pair has now.
    dlg.ConnectGroup(SPDIFoout, 3, AES10out, 3 << (2 * choice - 2), true);
    if (previous == 0)
        dlg.deleteGroupLines(ADATout);
    previous = choice;
}

void runComboProc(ComboProcId proc, int choice)
{
    switch (proc) {
    case ComboProcId::fwire_spdifc_proc:
        fwire_spdifc_proc(choice);
        break;
    case ComboProcId::fwire_spdifo_proc:
        fwire_spdifo_proc(choice);
        break;
    case ComboProcId::fwire_spdifc2_proc:
        fwire_spdifc2_proc(choice);
        break;
    case ComboProcId::fwire_spdifoo_proc:
        fwire_spdifoo_proc(choice);
        break;
    case ComboProcId::q7300_ana_proc:
        q7300_ana_proc(choice);
        break;
    case ComboProcId::none:
        break;
    }
}
