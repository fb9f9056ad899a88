// The routing editor: the program's one window. It owns the page of the current
// device model (nodes, lines, option controls), the panel picture and its
// description, the two outgoing message queues and the protocol object.
#pragma once

#include "BubbleWind.h"
#include "CButton.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "CMObList.h"
#include "CRectTracker.h"
#include "EditHistory.h"
#include "Geometry.h"
#include "IODescList.h"
#include "LineLayer.h"
#include "LineList.h"
#include "NMetafile.h"
#include "NVDial.h"
#include "NodeMarks.h"
#include "PanelHost.h"
#include "RButton.h"
#include "RComboBox.h"
#include "RoutingEmfDesc.h"
#include "myMidiProcessor.h"
#include "sendObj.h"

#include <QWidget>

#include <memory>
#include <set>
#include <vector>

class CCmdUI;
class CDC;
class CMenu;
class NQButton;
class NQGroupBox;
class NQLabel;
class NQLineEdit;
class NQSlider;
class QKeyEvent;

class CRoutingDlg : public CDialog, public PanelHost {
public:
    // Command and control ids of the window.
    enum : UINT {
        dialogTemplateId = 102,
        idFactoryPresets = 1002,
        idGainSlider = 1015,
        idGainEdit = 1016,
        idOkExit = 1017,
        idUserPresets = 1018,
        idSave = 1019,
        idRefresh = 1023,
        idBubbleFormats = 1037,
        idLevelBox = 1056,
        idFirstOptionButton = 120,
        idFirstOptionList = 124,
        idUndo = 140,
        idRedo = 141,
        idExportSheet = 142,
        timerRequestId = 110,
        pumpPeriodMs = 30,
    };

    // ---- window: construction, layout, page, scaling, drawing, title, options
    explicit CRoutingDlg(CWnd* parent = nullptr);
    ~CRoutingDlg() override;
    CRoutingDlg(const CRoutingDlg&) = delete;
    CRoutingDlg& operator=(const CRoutingDlg&) = delete;

    Q_DECLARE_MESSAGE_MAP(CRoutingDlg)

public:
    void QCreate() override;
    void DoDataExchange(BOOL save) override;
    BOOL OnInitDialog() override;

    int LoadGraphics();
    double EmfOutline(const CRect* outline) override;
    CPoint PictureOrigin() const override;
    void Scale(CRect& r, double f) const;
    void ChangeSize(int direction);

    BOOL OnEraseBkgnd(CDC* dc) override;
    // A size forced on the window from outside (where no window manager keeps
    // to its fixed size) is put back to the size of its layout.
    void resizeEvent(QResizeEvent* e) override;
    void OnPaint();
    void OnDraw(CDC* dc);
    void DrawSelection(CDC* dc, unsigned colour, IODesc* node);

    void MakeTitle();
    void PutButtonText(int option, int unused = 0);
    // Calls f(k, row, list) for every option row k of the current model whose
    // list is on the page, in table order.
    template <class F> void ForEachOption(F f) const
    {
        const model_entry* model = currentModel();
        if (!model || !model->comboDescs)
            return;
        int k = 0;
        for (const ComboDesc* row = model->comboDescs; row->texts; ++row, ++k)
            if (RComboBox* list = optionCombos.Item(k))
                f(k, *row, *list);
    }
    void OnButtonClicked(UINT id);
    void OnButtonChange(UINT id);
    void OnDestroy() override;

    // ---- editing
    IODesc* Select(CPoint p);
    // The node under p that may connect to the selected node, or null.
    IODesc* partnerAt(CPoint p);
    void InvalidateSelection();
    Line* PutLine(IODesc* dest, IODesc* src, bool fromDevice);
    void ConnectGroup(
        groupID destGroup, int destMask, groupID srcGroup, int srcMask, bool viaSource);
    void deleteGroupLines(groupID g);
    void do_spdif_in_change(groupID g, int mask, int k);
    void spdif_in_change(int sel, int old, groupID exch, groupID alt, groupID dis);

    void OnLButtonDown(UINT flags, CPoint p) override;
    void OnMouseMove(UINT flags, CPoint p) override;
    void OnLButtonUp(UINT flags, CPoint p) override;
    void OnRButtonDown(UINT flags, CPoint p) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void KeyDown(int key);
    BOOL OnSetCursor();
    void DeleteSelectedLines();
    void DeleteAllLines();
    void DeleteAll();
    void SetBubble(CPoint p, const char* text, int size);

    // ---- gain
    void EnableSlider();
    void SetSlider(IODesc* n);
    void ShowGain(float dB);
    void PutGain(long key, double dB, double min, double max, double step);
    void SendGain(IODesc* n);
    void OnVScroll(UINT code, UINT position, CScrollBar* bar) override;
    void OnChangeGain();

    // ---- device synchronisation
    int Send(int command, CString& text, signed char wantsReply);
    void OnTimer(UINT id) override;
    void Want(int n);
    void WantValue(long key);
    int WantParams(long key, int index);
    void SendSetValue(long key, int value);
    void SendValue(long key, float dB);
    void PutSetValue(long key, int value);
    // A read reply for a key the user changed after the read began.
    bool StaleReport(long key) const;
    void Scan();
    void GetValues();
    void OnRefresh();
    void GotRoot(const char* name);
    void ChangeTable(int model);
    void SetLocal(signed char on);
    void ProcessTextMessage(int command, const char* text);
    LRESULT OnMidiMessage(WPARAM w, LPARAM l);
    LRESULT OnLineMessage(WPARAM command, LPARAM text);
    LRESULT OnStopMessage(WPARAM, LPARAM);
    // Before the window ends: gives the device its mode setting back (once) and
    // sends every waiting set message.
    void EndDeviceTraffic();
    // The link ended by itself (MIDIbase::LinkLoss): demo mode, told once.
    void OnLinkLost(int why);
    // Whether the page may be kept as "-Previous": asks when its read was cut short.
    bool ConfirmPage();
    // Looks at the MIDI port lists now and then while a fault keeps it off line.
    void watchPorts();

    // ---- presets
    static void MakeFileName(const char* name, CString& out, bool factory);
    // TRUE when the file was written.
    bool Save(const char* name);
    void Load(const char* name, bool factory);
    void LoadFile(const CString& path);
    void SaveFirst();
    static int AfnCallback(const char* path, void* list);
    // Lists one factory preset file and keeps its path for loading.
    static int FactoryCallback(const char* path, void* window);
    void OnSelchangeFactory();
    void OnSelchangeUser();
    void OnEditchangeUser();
    void OnSave();
    void OnOkExit();
    void OnCancel() override;

    // ---- menus, commands, help
    void BuildMenu(CMenu* menu);
    void SetChecks(CMenu* menu);
    int DoSysCommand(UINT id);
    void OnCommandRange1(UINT id);
    void OnCommandConfig();
    void OnSysCommand(UINT id, LPARAM l) override;
    void OnConfig();
    void OnHelp();
    void OnOk();

    // ---- undo and redo
    // The device values the page holds now.
    PageValues CapturePage() const;
    // Records the gesture that changed the page from `before` (see EditHistory).
    void RecordEdit(const PageValues& before, unsigned gestureId = 0);
    // Puts values on the page and sends those that changed, as an edit does.
    void ApplyValues(const PageValues& target);
    void OnUndo();
    void OnRedo();
    // Grey "Undo" and "Redo" while there is nothing to undo or redo.
    void OnUpdateUndo(CCmdUI* ui);
    void OnUpdateRedo(CCmdUI* ui);
    // The next slider, gain-box or right-button change starts a step of its own.
    void NewGesture() { ++gesture; }
    void keyPressEvent(QKeyEvent* e) override;

    // ---- patch sheet
    // Writes the page as path's base name + ".png" and + ".csv"; FALSE when
    // either could not be written.
    bool WriteSheet(const CString& path);
    void OnExportSheet();

    // ---- state (declared in the window's order; all owned by the window)
    CRectTracker bandTracker;
    CRect bandRect;
    int lineWidth = 2;
    NVDial sizer;
    CMObList<sendObj> setQueue;
    CMObList<sendObj> requestQueue;
    CMObList<RButton> optionButtons;
    CMObList<RComboBox> optionCombos;
    bool gotRoot = false;
    int deviceModel = -1;
    int savedModel = -1;
    int local = 0;
    bool initialSaved = false;
    bool initialTried = false; // SaveFirst ran (successful or not)
    int initialModel = -1; // model whose "-Initial" this run wrote
    IODesc* selectedNode = nullptr;
    IODesc* dropTarget = nullptr;
    RoutingEmfDesc panelDesc;
    myMidiProcessor protocol;
    NMetafile picture;
    IODescList nodes;
    IODescList activeNodes;
    LineList lines;
    LineList selectedLines;
    LineLayer lineLayer; // the lines as last drawn
    NodeMarks nodeMarks; // node highlights as drawn
    double loadScale = 1.0;
    CComboBox bubbleFormats;
    CComboBox userPresets;
    CComboBox factoryPresets;
    std::vector<CString> factoryFiles; // paths of the factory entries
    int savedModeValue = -1;
    bool pageReading = false; // the requests of GetValues are not all answered
    bool pageIncomplete = false; // a page read was cut short; cleared by a whole one
    // Keys sent while the page was read: a read reply for one of them may carry
    // the value from before the edit and must not undo it on the page.
    std::set<long> sentDuringRead;
    bool userChoseDemo = false; // demo mode by the user's choice, not by a fault
    bool devicePortsSeen = false; // in such demo mode: the configured ports are listed
    std::uint64_t nextPortPoll = 0; // pump time of the next look at the port lists
    bool showRelations = false;
    int timerId = 0;
    BubbleWind bubble;

    // Editing state of the mouse handlers.
    IODesc* hoverNode = nullptr;
    CPoint lastDragPoint;
    bool gainDrag = false; // a right-button press over a gain node drags its gain

    EditHistory history;
    unsigned gesture = 1; // merges the changes of one slider, box or gain drag

    // Controls of the layout, owned here (the dialog's control list does not own).
    std::unique_ptr<NQLabel> factoryLabel;
    std::unique_ptr<NQLabel> userLabel;
    std::unique_ptr<NQButton> saveButton;
    std::unique_ptr<NQGroupBox> levelBox;
    std::unique_ptr<NQLineEdit> gainEdit;
    std::unique_ptr<NQSlider> gainSlider;
    std::unique_ptr<NQButton> helpButton;
    std::unique_ptr<NQButton> okButton;
    std::unique_ptr<NQButton> refreshButton;
    std::unique_ptr<NQButton> cancelButton;

    // True while the editor itself positions the slider, so that the slider's
    // value-changed notification neither changes nor sends the gain.
    bool settingSlider = false;
    bool shownOnce = false; // EmfOutline shows the window on its first call
    CPoint pictureTopLeft; // window position of the picture's top-left pixel
};

// The one editor window; set by its constructor, cleared by its destructor.
extern CRoutingDlg* theDlg;

// Port-option exchange procedures named by the model's combo tables; each takes
// the chosen index, or -1 to reset. They act on theDlg.
void fwire_spdifc_proc(int choice);
void fwire_spdifo_proc(int choice);
void fwire_spdifc2_proc(int choice);
void fwire_spdifoo_proc(int choice);
void q7300_ana_proc(int choice);

// Runs the procedure of a combo row (nothing for ComboProcId::none).
void runComboProc(ComboProcId proc, int choice);
