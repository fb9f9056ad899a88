#include "MIDIpage.h"

#include "MidiPorts.h"
#include "NQLabel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

Q_BEGIN_MESSAGE_MAP(MIDIpage, CDialog)
Q_ON_SELCHANGE(MIDIpage::kInputCombo, InChange)
Q_END_MESSAGE_MAP()

MIDIpage::MIDIpage(CommProcessor* processor)
    : ConfigPage(processor, 138, "MIDI")
    , info_(std::make_unique<MIDIconfigInfo>())
{
}

MIDIpage::~MIDIpage() = default;

void MIDIpage::QCreate()
{
    QDialog* d = dialog();
    if (!d)
        return;
    SetWindowText("MIDI");
    auto* rows = new QVBoxLayout(d);
    auto* inRow = new QHBoxLayout;
    rows->addLayout(inRow);
    Own(std::make_unique<NQLabel>("Input", this, 0, inRow, 50, 50));
    input_.SetSort(TRUE);
    input_.Create(this, kInputCombo, inRow, 200);
    inRow->addStretch();
    auto* outRow = new QHBoxLayout;
    rows->addLayout(outRow);
    Own(std::make_unique<NQLabel>("Output", this, 0, outRow, 50, 50));
    output_.SetSort(TRUE);
    output_.Create(this, kOutputCombo, outRow, 200);
    outRow->addStretch();
}

BOOL MIDIpage::OnInitDialog()
{
    input_.ResetContent();
    output_.ResetContent();
    CStringList names;
    if (MidiInDeviceNames(names) == 0) {
        MessageBox("No MIDI devices available", "MIDI Configuration", 0);
        OnCancel();
        return TRUE;
    }
    for (POSITION pos = names.GetHeadPosition(); pos;)
        input_.AddString(names.GetNext(pos));
    if (input_.SelectString(-1, info_->inName) < 0)
        input_.SetCurSel(0);
    names.RemoveAll();
    if (MidiOutDeviceNames(names) == 0)
        return TRUE;
    for (POSITION pos = names.GetHeadPosition(); pos;)
        output_.AddString(names.GetNext(pos));
    if (output_.SelectString(-1, info_->outName) < 0)
        output_.SetCurSel(0);
    return TRUE;
}

void MIDIpage::InChange()
{
    CString name;
    input_.GetWindowText(name);
    output_.SelectString(-1, name);
}

void MIDIpage::OnOK()
{
    // Lists left empty (no MIDI service running) keep the saved choice.
    CString name;
    output_.GetWindowText(name);
    if (!name.IsEmpty())
        info_->outName = name;
    input_.GetWindowText(name);
    if (!name.IsEmpty())
        info_->inName = name;
    info_->Flush();
    ConfigPage::OnOK();
}
