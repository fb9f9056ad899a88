#include "EditorFixture.h"

#include "AppFolders.h"
#include "CComboBox.h"
#include "ModelTables.h"
#include "NQLineEdit.h"
#include "ProfileStore.h"
#include "PumpClock.h"
#include "TestEnv.h"
#include "TickCount.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QTime>

#include <cmath>
#include <csignal>
#include <sstream>

namespace editortest {

namespace {

constexpr int pictureWidth = 982; // 1001-pixel window less 2 x 10 margin, plus 1
constexpr int pictureHeight = 760;
constexpr int gridStep = 34;
constexpr int gridRows = 20;

QString dataFile(const char* name)
{
    QDir().mkpath(settingsPath().toQString());
    return settingsPath().toQString() + "/" + name;
}

} // namespace

std::string gridDescription(int model)
{
    std::ostringstream out;
    out << "OUTLINE 0,0," << pictureWidth - 1 << "," << pictureHeight - 1 << "\n";
    const int count = ioNodeCount(main_table[model]);
    for (int n = 0; n < count; ++n) {
        const int x = 20 + (n / gridRows) * 100;
        const int y = 20 + (n % gridRows) * gridStep;
        out << "LED " << x << "," << y << "," << x + 12 << "," << y + 12 << "\n";
    }
    const int buttons = comboDescCount(main_table[model].comboDescs);
    for (int i = 0; i < buttons; ++i)
        out << "BUTTON " << 20 + i * 120 << ",712," << 80 + i * 120 << ",730\n";
    return out.str();
}

void writeDescription(int model, const std::string& text)
{
    QImage img(pictureWidth, pictureHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.save(dataFile(main_table[model].bitmapFile), "BMP");
    writeFile(dataFile(main_table[model].panelFile), text);
}

void writePanelFiles(int model)
{
    writeDescription(model, gridDescription(model));
}

std::string fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

void writeFile(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit r = old_;
    r.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &r), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
}

void EditorTest::SetUp()
{
    dir = TestEnv::freshDir("editor");
    store = std::make_unique<QSettings>(
        QString::fromStdString(dir + "/settings.ini"), QSettings::IniFormat);
    SetProfileStore(store.get());
    // A window of 1001 pixels shows the 982-pixel test pictures at scale 1.
    WriteProfileString("Nerilune", "Sizer", "40,60,1041,860");
    boxes = std::make_unique<MessageBoxScript>();
    for (int m = 0; m < modelCount; ++m) {
        writePanelFiles(m);
        QDir(settingsPath().toQString() + "/" + main_table[m].modelName).removeRecursively();
    }
    // User presets live in one folder per process; each test starts without any.
    QDir(configPath().toQString()).removeRecursively();
    QDir().mkpath(configPath().toQString());
    // The editor makes a folder named after the model in the current folder.
    QDir::setCurrent(QString::fromStdString(dir));
}

void EditorTest::TearDown()
{
    close();
    boxes.reset();
    SetProfileStore(nullptr);
    store.reset();
    setPumpClock({});
    setTickTimeSource({});
}

void EditorTest::open(int model, int localMode, bool pump)
{
    close();
    WriteProfileInt("main", "machine", model);
    WriteProfileInt("main", "local", localMode);
    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    if (!pump)
        dlg->KillTimer(dlg->timerId);
    QApplication::processEvents();
}

void EditorTest::openConnected(int m)
{
    open(m);
    dlg->deviceModel = m;
    dlg->Scan(); // records the first values, as the device read would
    clearSetQueue();
}

void EditorTest::close()
{
    if (dlg) {
        dlg->DestroyWindow();
        dlg.reset();
    }
}

void EditorTest::openWithDevice(int shown, int deviceModel, int localMode)
{
    setPumpClock([this] { return clockMs; });
    // The time of day follows the same clock, starting just before midnight.
    setTickTimeSource([this] {
        return QTime(23, 59, 59, 0).addMSecs(static_cast<int>((clockMs - 100000) % 86400000));
    });
    device = std::make_shared<SimDevice>(deviceModel);
    reopen(shown, localMode);
}

void EditorTest::reopen(int shown, int localMode, int failOpen)
{
    close();
    heard.clear();
    WriteProfileInt("main", "machine", shown);
    WriteProfileInt("main", "local", localMode);
    device->SetLog([this](bool incoming, const SimBytes& bytes, const std::string&) {
        if (incoming && bytes.size() >= 6 && bytes[0] == 0xF0)
            heard.push_back({ bytes[4], std::string(bytes.begin() + 5, bytes.end() - 1), clockMs });
    });
    auto transport = std::make_unique<LoopbackMidi>(
        device, [this] { return static_cast<std::uint32_t>(clockMs); });
    if (failOpen)
        transport->FailOpen(failOpen);
    loop = transport.get();
    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->protocol.InstallTransport(std::move(transport), commMidi);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    dlg->KillTimer(dlg->timerId);
    QApplication::processEvents();
}

IODesc* EditorTest::node(groupID g, int index) const
{
    for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg->nodes.Next(pos);
        if (n->entry->group == g && n->index == index)
            return n;
    }
    return nullptr;
}

QPoint EditorTest::centre(const IODesc* n) const
{
    const CPoint c = n->rect.CenterPoint();
    return QPoint(c.x, c.y);
}

void EditorTest::press(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton b)
{
    ::press(window(), b, mods, p);
}

void EditorTest::move(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    sendMouse(window(), QEvent::MouseMove, Qt::NoButton, buttons, mods, p);
}

void EditorTest::release(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton b)
{
    ::release(window(), b, mods, p);
}

void EditorTest::click(const IODesc* n)
{
    press(centre(n));
    release(centre(n));
}

void EditorTest::drag(const IODesc* a, const IODesc* b, Qt::KeyboardModifiers mods)
{
    press(centre(a), mods);
    move(centre(b), Qt::LeftButton, mods);
    release(centre(b), mods);
}

void EditorTest::pick(CComboBox& list, int i)
{
    ASSERT_GE(i, 0);
    list.SetCurSel(i);
    emit list.combo()->activated(i);
    QApplication::processEvents();
}

void EditorTest::typeGain(const QString& text)
{
    auto* box = qobject_cast<QPlainTextEdit*>(dlg->gainEdit->GetWidget());
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QTextCursor c = box->textCursor();
    c.select(QTextCursor::Document);
    c.insertText(text);
    QApplication::processEvents();
}

bool connectSomething(CRoutingDlg& dlg)
{
    for (POSITION d = dlg.activeNodes.GetHeadPosition(); d;) {
        IODesc* dest = dlg.activeNodes.Next(d);
        if (!dest->IsActiveInput() || dest->source)
            continue;
        for (POSITION s = dlg.activeNodes.GetHeadPosition(); s;) {
            IODesc* src = dlg.activeNodes.Next(s);
            if (src->Connects(dest)) {
                dlg.PutLine(dest, src, false);
                dlg.Scan();
                return true;
            }
        }
    }
    return false;
}

std::vector<std::string> EditorTest::setTexts() const
{
    std::vector<std::string> out;
    for (POSITION pos = dlg->setQueue.GetHeadPosition(); pos;) {
        auto* m = static_cast<sendObj*>(dlg->setQueue.GetNext(pos));
        out.push_back(
            std::to_string(m->command) + " " + std::string(static_cast<const char*>(m->text)));
    }
    return out;
}

void EditorTest::clearSetQueue()
{
    while (!dlg->setQueue.IsEmpty())
        delete static_cast<sendObj*>(dlg->setQueue.RemoveHead());
}

bool EditorTest::hasLine(const IODesc* src, const IODesc* dest) const
{
    return dlg->lines.GetLine(dest, src) != nullptr;
}

QString EditorTest::title() const
{
    return dlg && dlg->GetWidget() ? dlg->GetWidget()->windowTitle() : QString();
}

int EditorTest::boxesCaptioned(const QString& caption) const
{
    int n = 0;
    for (const auto& b : boxes->boxes())
        n += b.caption == caption ? 1 : 0;
    return n;
}

int EditorTest::boxesMentioning(const QString& words) const
{
    int n = 0;
    for (const auto& b : boxes->boxes())
        n += b.caption.contains(words) || b.text.contains(words) ? 1 : 0;
    return n;
}

void EditorTest::tick(int n)
{
    for (int i = 0; i < n && dlg; ++i) {
        clockMs += CRoutingDlg::pumpPeriodMs;
        loop->DeliverDue();
        QApplication::processEvents();
        dlg->OnTimer(static_cast<UINT>(dlg->timerId));
        QApplication::processEvents();
    }
}

int EditorTest::drain(int maxTicks)
{
    for (int i = 0; i < maxTicks; ++i) {
        if (dlg->requestQueue.IsEmpty() && dlg->setQueue.IsEmpty() && !device->NextDue())
            return i;
        tick();
    }
    return -1;
}

std::vector<std::string> EditorTest::heardTexts() const
{
    std::vector<std::string> out;
    for (const Heard& h : heard)
        out.push_back(std::to_string(h.command) + " " + h.text);
    return out;
}

void EditorTest::randomizeDevice(std::mt19937& rng)
{
    std::string why;
    const SimModel& m = device->Model();
    for (const auto& d : m.Destinations()) {
        const int pick = static_cast<int>(rng() % static_cast<unsigned>(d.choices + 1));
        device->SetValue(d.key, pick == d.choices ? SimModel::kNoSource : pick, why);
    }
    for (const auto& o : m.Options())
        device->SetValue(o.key, static_cast<int>(rng() % static_cast<unsigned>(o.choices)), why);
    for (const auto& g : m.Gains()) {
        const double steps = g.step > 0 ? std::floor((g.max - g.min) / g.step) : 0;
        const double dB = steps >= 1
            ? g.min + g.step * static_cast<double>(rng() % static_cast<unsigned>(steps))
            : g.min;
        device->SetGain(g.key, std::round(dB * 10) / 10, why);
    }
}

std::vector<std::string> EditorTest::differences() const
{
    std::vector<std::string> out;
    auto note = [&](const char* what, long key, double page, double dev) {
        std::ostringstream s;
        s << what << " " << std::hex << key << std::dec << ": page " << page << ", device " << dev;
        out.push_back(s.str());
    };
    for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg->activeNodes.Next(pos);
        if (!n->key || n->entry->inputs <= 0)
            continue;
        const auto v = device->Value(n->key);
        if (!v || *v != n->value)
            note("value", n->key, n->value, v ? *v : -1);
    }
    for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg->nodes.Next(pos);
        if (!n->gainKey)
            continue;
        const auto g = device->GainOf(n->gainKey);
        if (!g || std::fabs(*g - n->gain) > 0.051)
            note("gain", n->gainKey, n->gain, g ? *g : 999);
    }
    int k = 0;
    for (const ComboDesc* row = currentModel()->comboDescs; row && row->texts; ++row, ++k) {
        RComboBox* list = dlg->optionCombos.Item(k);
        const auto v = device->Value(row->key);
        if (list && (!v || *v != list->GetCurSel()))
            note("option", row->key, list->GetCurSel(), v ? *v : -1);
    }
    return out;
}

} // namespace editortest
