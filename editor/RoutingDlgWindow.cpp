// The routing editor window: construction, layout, loading a model's page,
// scaling, drawing, the title and the option buttons on the picture.
#include "CRoutingDlg.h"

#include "AppFolders.h"
#include "AppGlobals.h"
#include "CClientDC.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "EasyAfnFile.h"
#include "LedDescriptor.h"
#include "MessageBoxHook.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "NQGroupBox.h"
#include "NQLabel.h"
#include "NQLineEdit.h"
#include "NQSlider.h"
#include "ProfileStore.h"
#include "RepaintHook.h"
#include "RoleColors.h"
#include "ScopedSelectors.h"
#include "WindowHooks.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>

CRoutingDlg* theDlg = nullptr;

namespace {

constexpr int pictureMargin = 10;
constexpr int minimumWindowWidth = 200; // narrower, the picture area would vanish
constexpr int buttonStyle = 3;
constexpr UINT listStyle = 0x2401;

void repaintInWindow(CWnd* wnd, const CRect& r, bool erase)
{
    if (wnd)
        wnd->InvalidateRect(&r, erase);
}

void setPointSize(CWnd* control, int points)
{
    if (control)
        control->SetFontPointSize(std::max(1, points));
}

} // namespace

CRoutingDlg::CRoutingDlg(CWnd* parent)
    : CDialog(dialogTemplateId, parent)
    , protocol(this)
{
    bandRect.SetRectEmpty();
    tablenum = GetProfileInt("main", "machine", 0);
    // A stored model number outside the table would index past it.
    if (tablenum < 0 || tablenum >= modelCount)
        tablenum = 0;
    local = GetProfileInt("main", "local", 0);
    theDlg = this;
    SetRepaintHandler(repaintInWindow);
}

CRoutingDlg::~CRoutingDlg()
{
    DeleteAll();
    // Requests still waiting for a reply when the editor closes are dropped.
    while (!requestQueue.IsEmpty())
        delete static_cast<sendObj*>(requestQueue.RemoveTail());
    if (theDlg == this)
        theDlg = nullptr;
}

void CRoutingDlg::QCreate()
{
    QWidget* w = GetWidget();
    w->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* outer = new QVBoxLayout(w);
    auto* row = new QHBoxLayout;
    outer->addLayout(row);
    outer->addStretch(1);

    auto* col1 = new QVBoxLayout;
    factoryLabel = std::make_unique<NQLabel>("Factory", this, 0, col1, 50, 0);
    factoryPresets.Create(this, idFactoryPresets, col1, 120);
    factoryPresets.SetSort(TRUE);
    // The list cannot be typed into: the whole of a long preset name must show.
    if (auto* box = qobject_cast<QComboBox*>(factoryPresets.GetWidget()))
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    col1->addStretch(1);
    row->addLayout(col1);

    auto* col2 = new QVBoxLayout;
    userLabel = std::make_unique<NQLabel>("User Presets", this, 0, col2, 50, 0);
    userPresets.Create(this, idUserPresets, col2, 120);
    userPresets.SetSort(TRUE);
    userPresets.SetEditable(TRUE);
    auto* saveRow = new QHBoxLayout;
    saveButton = std::make_unique<NQButton>("Save", this, idSave, saveRow, 0, 0);
    saveRow->addStretch(1);
    col2->addLayout(saveRow);
    col2->addStretch(1);
    row->addLayout(col2);

    auto* col3 = new QVBoxLayout;
    levelBox = std::make_unique<NQGroupBox>("Level", this, idLevelBox, col3);
    if (QWidget* box = levelBox->GetWidget()) {
        box->setMaximumWidth(140);
        auto* inside = new QHBoxLayout(box);
        auto* editCol = new QVBoxLayout;
        gainEdit = std::make_unique<NQLineEdit>(this, idGainEdit, editCol, 0, 100);
        editCol->addStretch(1);
        inside->addLayout(editCol);
        gainSlider = std::make_unique<NQSlider>(this, idGainSlider, inside, Qt::Vertical, 0, 65);
    }
    col3->addStretch(5);
    row->addLayout(col3);

    auto* col4 = new QVBoxLayout;
    auto* r1 = new QHBoxLayout;
    helpButton = std::make_unique<NQButton>("Help", this, IDHELP, r1, 0, 0);
    okButton = std::make_unique<NQButton>("OK", this, idOkExit, r1, 0, 0);
    col4->addLayout(r1);
    auto* r2 = new QHBoxLayout;
    refreshButton = std::make_unique<NQButton>("Refresh", this, idRefresh, r2, 0, 0);
    cancelButton = std::make_unique<NQButton>("Cancel", this, IDCANCEL, r2, 0, 0);
    col4->addLayout(r2);
    bubbleFormats.Create(this, idBubbleFormats, col4, 0);
    bubbleFormats.SetSort(TRUE);
    col4->addStretch(1);
    row->addLayout(col4);

    // A first-run size that shows a readable page; a saved "Sizer" replaces it.
    w->resize(1000, 760);
}

void CRoutingDlg::DoDataExchange(BOOL) { }

BOOL CRoutingDlg::OnInitDialog()
{
    sizer.Create(this, "Sizer");
    hookEditorWindow(*this);
    timerId = SetTimer(timerRequestId, pumpPeriodMs, nullptr);
    if (CMenu* menu = GetSystemMenu(FALSE)) {
        menu->AppendMenu(mfSeparator, 0, nullptr);
        BuildMenu(menu);
        menu->AppendMenu(mfSeparator, 0, nullptr);
    }
    LoadGraphics();
    bubble.Create(this, nullptr, 5);
    static const char* const forms[] = { "%2.1f dB", "%d: %lx", "%s [K=%lx] Index: %d",
        "(%d)%s [%lx] Source: %d", "(%d,%d,%d,%d)", "Source: %s Index: %d" };
    for (const char* f : forms)
        bubbleFormats.AddString(f);
    bubbleFormats.ShowWindow(0);
    bubbleFormats.SetCurSel(0);
    if (local) {
        Load("-Previous", false);
        history.Clear();
        SetChecks(GetSystemMenu(FALSE));
    }
    WantParams(0, 1);
    EnableSlider();
    return TRUE;
}

int CRoutingDlg::LoadGraphics()
{
    DeleteAll();
    const model_entry* model = currentModel();
    if (!model)
        return 1;
    CString path = settingsPath() + "/" + model->bitmapFile;
    if (!picture.Load(path)) {
        CString text = CString("Cannot load file: ")
            + CString(QFileInfo(path.toQString()).absoluteFilePath());
        MessageBox(text, "", 0);
        return 1;
    }
    CString descPath = settingsPath() + "/" + model->panelFile;
    // A description that lacks regions of the model's nodes or options (cut
    // short, or made for another model) would give a page missing parts of the
    // device; it is refused as a whole. A missing one has been reported.
    if (panelDesc.Load(descPath, static_cast<PanelHost*>(this))
        && (panelDesc.GetLedList().GetCount() < ioNodeCount(*model)
            || panelDesc.GetButtonList().GetCount() < comboDescCount(model->comboDescs))) {
        panelDesc.DeleteAll();
        MessageBox(CString("Cannot load file: ")
                + CString(QFileInfo(descPath.toQString()).absoluteFilePath()),
            "Damaged panel description", MB_ICONWARNING);
        return 1;
    }
    loadScale = picture.GetScale();
    const int half = static_cast<int>(0.5 * panelDesc.GetLargestLedSize());

    // Every LED region becomes the next node of the io table, in table order.
    // Regions beyond the table's nodes are left without a node.
    int r = 0;
    int j = 0;
    for (POSITION pos = panelDesc.GetLedList().GetHeadPosition(); pos;) {
        auto* led = static_cast<LedDescriptor*>(panelDesc.GetLedList().GetNext(pos));
        while (r < model->ioRows && j >= model->ioTable[r].count) {
            ++r;
            j = 0;
        }
        if (r >= model->ioRows)
            break;
        const io_entry* row = &model->ioTable[r];
        const CPoint c = led->rect.CenterPoint();
        const CRect rect(c.x + 1 - half, c.y - half, c.x + 1 + half, c.y + half);
        auto* node = new IODesc(j, row, rect, &activeNodes, rowStride(row));
        led->node = node;
        const int k = ComboDescIndexFromGroup(row->group);
        if (row->sources[0] == TO_FRONT) {
            POSITION last = nullptr;
            for (POSITION p = activeNodes.GetHeadPosition(); p;) {
                POSITION here = p;
                if (activeNodes.Next(p)->entry->sources[0] == TO_FRONT)
                    last = here;
            }
            if (last)
                activeNodes.InsertAfter(last, node);
            else
                activeNodes.AddHead(node);
        } else if (k >= 0 && k < comboSideListCount) {
            comboDescList[k].AddTail(node);
        } else {
            activeNodes.AddTail(node);
        }
        nodes.AddTail(node);
        ++j;
    }

    if (model->comboDescs) {
        int i = 0;
        CClientDC dc(this);
        for (POSITION pos = panelDesc.GetButtonList().GetHeadPosition(); pos && i < maxComboRows;
             ++i) {
            const ComboDesc& desc = model->comboDescs[i];
            if (!desc.texts)
                break;
            CRect r = static_cast<LedDescriptor*>(panelDesc.GetButtonList().GetNext(pos))->rect;
            r.right += 2;
            r.bottom += 2;
            if (r.Height() < 12)
                r.bottom = r.top + 12;
            auto* button = new RButton;
            button->Create("", buttonStyle, r, this, idFirstOptionButton + i);
            CRect client;
            button->GetClientRect(&client);
            setPointSize(button, static_cast<int>(0.6 * client.Height()));
            optionButtons.AddTail(button);
            PutButtonText(i);

            auto* list = new RComboBox;
            list->Create(listStyle, r, this, idFirstOptionList + i);
            int need = 0;
            for (const char* const* t = desc.texts; *t; ++t) {
                list->AddString(*t);
                need = std::max(need, static_cast<int>(dc.GetTextExtent(*t).cx));
            }
            need += 20;
            if (r.Width() < need) {
                r.right = r.left + need;
                list->MoveWindow(r, TRUE);
            }
            optionCombos.AddTail(list);
            list->createRect = r;
            list->fieldHeight = r.Height();
            list->SetItemHeight(-1, r.Height());
            list->SetCurSel(0);
            if (desc.proc != ComboProcId::none)
                runComboProc(desc.proc, -1);
            setPointSize(list, static_cast<int>(0.5 * r.Height()));
            list->ShowWindow(0);
        }
    }

    CString pattern;
    MakeFileName("*", pattern, FALSE);
    if (userPresets.GetWidget()) {
        userPresets.ResetContent();
        EasyAfnFile walkUser(pattern, AfnCallback, &userPresets, FALSE);
        userPresets.SetCurSel(0);
    }
    MakeFileName("*", pattern, TRUE);
    if (factoryPresets.GetWidget()) {
        factoryPresets.ResetContent();
        factoryFiles.clear();
        EasyAfnFile walkFactory(pattern, FactoryCallback, this, TRUE);
        factoryPresets.SetCurSel(0);
    }
    // A new page starts with no history.
    history.Clear();
    SetChecks(GetSystemMenu(FALSE));
    MakeTitle();
    QDir().mkdir(textToQString(model->modelName));
    return 0;
}

CPoint CRoutingDlg::PictureOrigin() const
{
    return pictureTopLeft;
}

double CRoutingDlg::EmfOutline(const CRect* outline)
{
    if (!shownOnce) {
        shownOnce = true;
        ShowWindow(1);
    }
    CRect g(0, 0, 20, 20);
    if (levelBox && levelBox->GetWidget()) {
        if (QLayout* l = GetWidget()->layout())
            l->activate();
        g = CRect(levelBox->GetWidget()->geometry());
        g.right = g.left + levelBox->GetWidget()->width();
        g.bottom = g.top + levelBox->GetWidget()->height();
    }
    const CRect w = sizer.rect;
    CRect area(0, g.bottom + 10, w.Width(), w.Height());
    const double scale = picture.SetDisplayRect(area, pictureMargin);
    pictureTopLeft = CPoint(area.left, area.top);
    // The window keeps the size its layout gives it: the frame cannot resize it
    // (the page would not follow); "Bigger" and "Smaller" change it through here.
    GetWidget()->setFixedSize(w.Width(), area.bottom + 10);
    if (!outline)
        return scale;
    CRect o;
    picture.GetOutlineRect(o);
    if (outline->Width() == 0 || outline->Height() == 0)
        return scale;
    return scale
        * std::max(static_cast<double>(o.Width()) / outline->Width(),
            static_cast<double>(o.Height()) / outline->Height());
}

void CRoutingDlg::Scale(CRect& r, double f) const
{
    const int ox = pictureTopLeft.x;
    const int oy = pictureTopLeft.y;
    r.left = ox + static_cast<int>((r.left - ox) * f);
    r.top = oy + static_cast<int>((r.top - oy) * f);
    r.right = ox + static_cast<int>((r.right - ox) * f);
    r.bottom = oy + static_cast<int>((r.bottom - oy) * f);
}

void CRoutingDlg::ChangeSize(int direction)
{
    const double f = direction >= 1 ? 1.2 : 1 / 1.2;
    CRect now;
    GetWindowRect(&now);
    const CRect saved = sizer.rect;
    const int width = static_cast<int>(f * saved.Width());
    const int height = static_cast<int>(f * saved.Height());
    // Shrinking further would leave no room for the picture (its scale would
    // reach zero or turn negative); the window stays as it is.
    if (width < minimumWindowWidth)
        return;
    // The bubble points at a node that is about to move.
    if (bubble.GetWidget())
        SetBubble(CPoint(0, 0), nullptr, 0);
    CRect r(now.left, now.top, now.left + width, now.top + height);
    MoveWindow(r, TRUE);
    sizer.Change(&r);
    const double ratio = loadScale != 0 ? EmfOutline(nullptr) / loadScale : 1.0;
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        IODesc* n = nodes.Next(pos);
        n->rect = n->baseRect;
        Scale(n->rect, ratio);
    }
    for (POSITION pos = optionCombos.GetHeadPosition(); pos;) {
        auto* list = static_cast<RComboBox*>(optionCombos.GetNext(pos));
        CRect lr = list->createRect;
        Scale(lr, ratio);
        list->MoveWindow(lr, TRUE);
        list->fieldHeight = lr.Height();
        list->SetItemHeight(-1, lr.Height());
        setPointSize(list, static_cast<int>(0.5 * lr.Height()));
    }
    for (POSITION pos = optionButtons.GetHeadPosition(); pos;) {
        auto* button = static_cast<RButton*>(optionButtons.GetNext(pos));
        CRect br = button->createRect;
        Scale(br, ratio);
        button->MoveWindow(br, TRUE);
        setPointSize(button, static_cast<int>(0.6 * br.Height()));
    }
    Invalidate(TRUE);
}

void CRoutingDlg::resizeEvent(QResizeEvent* e)
{
    CDialog::resizeEvent(e);
    QWidget* w = GetWidget();
    if (w && w->minimumSize() == w->maximumSize() && w->size() != w->minimumSize())
        QTimer::singleShot(0, w, [w] { w->resize(w->minimumSize()); });
}

BOOL CRoutingDlg::OnEraseBkgnd(CDC* dc)
{
    picture.Draw(dc);
    return TRUE;
}

void CRoutingDlg::OnPaint()
{
    CPaintDC dc(this);
    if (GetWidget()->isMinimized()) {
        SendMessage(msgIconEraseBkgnd, 0, 0);
        return;
    }
    OnDraw(&dc);
    if (!bandRect.IsRectEmpty())
        bandTracker.Draw(&dc);
}

void CRoutingDlg::OnDraw(CDC* dc)
{
    dc->SetAntialiasing(TRUE);
    lineLayer.Draw(dc, lines, selectedLines, lineNormalColor.Get(), lineSelColor.Get(), lineWidth);
    DrawSelection(dc, selectColor.Get(), selectedNode);
    if (selectedNode && showRelations) {
        const bool on = activeNodes.Find(selectedNode);
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            IODesc* n = nodes.Next(pos);
            if (selectedNode->ConnectsTo(n))
                DrawSelection(dc, on && !n->disabled ? normalColor.Get() : disabledColor.Get(), n);
        }
    }
    DrawSelection(
        dc, activeNodes.Find(selectedNode) ? destColor.Get() : disabledColor.Get(), dropTarget);
}

void CRoutingDlg::DrawSelection(CDC* dc, unsigned colour, IODesc* node)
{
    if (!node)
        return;
    const bool on = activeNodes.Find(node);
    const unsigned disabled = disabledColor.Get();
    CRect r = node->rect;
    r.InflateRect(2, 2);
    r.OffsetRect(-1, 0);
    // Nodes that are off the page are crossed out.
    nodeMarks.Draw(dc, r, on ? colour : disabled, !on || colour == disabled);
}

void CRoutingDlg::MakeTitle()
{
    const model_entry* model = currentModel();
    const char* state = local     ? "Off-line Demo Mode"
        : deviceModel == tablenum ? "connected"
                                  : "connecting..";
    CString title;
    title.Format("%s Routing - %s", model ? model->modelName : "", state);
    if (pageIncomplete)
        title += " (page not read completely)";
    if (local && devicePortsSeen)
        title += " (device ports found)";
    SetWindowText(title);
    if (refreshButton)
        refreshButton->EnableWindow(deviceModel == tablenum);
}

void CRoutingDlg::PutButtonText(int option, int)
{
    CButton* button = optionButtons.Item(option);
    if (!button)
        return;
    CString text("off");
    if (RComboBox* list = optionCombos.Item(option)) {
        const int sel = list->GetCurSel();
        if (sel >= 0)
            list->GetLBText(sel, text);
        list->pageChoice = sel;
    }
    button->SetWindowText(text);
    button->ShowWindow(1);
}

void CRoutingDlg::OnButtonClicked(UINT id)
{
    const int option = static_cast<int>(id) - idFirstOptionButton;
    CButton* button = optionButtons.Item(option);
    RComboBox* list = optionCombos.Item(option);
    if (list && list->GetCount() == 2) {
        list->SetCurSel(list->GetCurSel() == 0 ? 1 : 0);
        OnButtonChange(id + 4);
        return;
    }
    if (list) {
        list->ShowWindow(1);
        list->ShowDropDown(TRUE);
    }
    if (button)
        button->ShowWindow(0);
}

void CRoutingDlg::OnButtonChange(UINT id)
{
    const int option = static_cast<int>(id) - idFirstOptionList;
    RComboBox* list = optionCombos.Item(option);
    const model_entry* model = currentModel();
    if (!list || !model || !model->comboDescs)
        return;
    const ComboDesc& row = model->comboDescs[option];
    const int sel = list->GetCurSel();
    const PageValues before = CapturePage();
    if (row.key != 0)
        SendSetValue(row.key, sel);
    if (row.proc != ComboProcId::none) {
        InvalidateSelection();
        runComboProc(row.proc, sel);
        selectedLines.RemoveAll();
        selectedNode = nullptr;
        EnableSlider();
    }
    PutButtonText(option);
    list->ShowWindow(0);
    RecordEdit(before);
}

void CRoutingDlg::OnDestroy()
{
    sizer.Change(nullptr);
}
