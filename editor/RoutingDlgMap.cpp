// The editor's message map: every window message, button, list and command
// bound to its handler. The first matching entry wins.
#include "CRoutingDlg.h"

// clang-format off
Q_BEGIN_MESSAGE_MAP(CRoutingDlg, CDialog)
    Q_ON_MESSAGE(msgUser, OnMidiMessage)
    Q_ON_MESSAGE(1034, OnLineMessage)
    Q_ON_PAINT(OnPaint)
    Q_ON_SELCHANGE(CRoutingDlg::idFactoryPresets, OnSelchangeFactory)
    Q_ON_SELCHANGE(CRoutingDlg::idUserPresets, OnSelchangeUser)
    Q_ON_TIMER(OnTimer)
    Q_ON_EDITCHANGE(CRoutingDlg::idGainEdit, OnChangeGain)
    Q_ON_VSCROLL(OnVScroll)
    Q_ON_CLICKED(IDOK, OnOk)
    Q_ON_CLICKED(CRoutingDlg::idOkExit, OnOkExit)
    Q_ON_CLICKED(CRoutingDlg::idSave, OnSave)
    Q_ON_CLICKED(IDHELP, OnHelp)
    Q_ON_CLICKED(CRoutingDlg::idRefresh, OnRefresh)
    Q_ON_COMMAND(110, OnCommandConfig)
    Q_ON_DESTROY(OnDestroy)
    Q_ON_MESSAGE(1125, OnStopMessage)
    Q_ON_COMMAND_RANGE(103, 115, OnCommandRange1)
    Q_ON_NOTIFY_RANGE(scClicked, 120, 123, OnButtonClicked)
    Q_ON_NOTIFY_RANGE(scSelChange, 124, 127, OnButtonChange)
    Q_ON_COMMAND(CRoutingDlg::idUndo, OnUndo)
    Q_ON_COMMAND(CRoutingDlg::idRedo, OnRedo)
    Q_ON_UPDATE_COMMAND_UI(CRoutingDlg::idUndo, OnUpdateUndo)
    Q_ON_UPDATE_COMMAND_UI(CRoutingDlg::idRedo, OnUpdateRedo)
    Q_ON_COMMAND(CRoutingDlg::idExportSheet, OnExportSheet)
Q_END_MESSAGE_MAP()
// clang-format on
