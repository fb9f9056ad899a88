#include "EditorFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>

#include <sstream>

namespace editortest {

namespace {

constexpr int pictureWidth = 982; // 1001-pixel window less 2 x 10 margin, plus 1
constexpr int pictureHeight = 760;
constexpr int gridX = 20;
constexpr int gridY = 20;
constexpr int gridStep = 34;
constexpr int gridRows = 20;

QString dataFolder()
{
    const QString dir = settingsPath().toQString();
    QDir().mkpath(dir);
    return dir;
}

void writePicture(int model)
{
    QImage img(pictureWidth, pictureHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.save(dataFolder() + "/" + main_table[model].bitmapFile, "BMP");
}

} // namespace

std::string gridDescription(int model)
{
    std::ostringstream out;
    out << "OUTLINE 0,0," << pictureWidth - 1 << "," << pictureHeight - 1 << "\n";
    const int count = ioNodeCount(main_table[model]);
    for (int n = 0; n < count; ++n) {
        const int x = gridX + (n / gridRows) * 100;
        const int y = gridY + (n % gridRows) * gridStep;
        out << "LED " << x << "," << y << "," << x + 12 << "," << y + 12 << "\n";
    }
    const int buttons = comboDescCount(main_table[model].comboDescs);
    for (int i = 0; i < buttons; ++i) {
        const int x = gridX + i * 120;
        out << "BUTTON " << x << ",712," << x + 60 << ",730\n";
    }
    return out.str();
}

void writeDescription(int model, const std::string& text)
{
    writePicture(model);
    QFile f(dataFolder() + "/" + main_table[model].panelFile);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text.c_str());
}

void writePanelFiles(int model)
{
    writeDescription(model, gridDescription(model));
}

void EditorTest::SetUp()
{
    storeDir = TestEnv::freshDir("editor");
    store = std::make_unique<QSettings>(
        QString::fromStdString(storeDir + "/settings.ini"), QSettings::IniFormat);
    SetProfileStore(store.get());
    // A window of 1001 pixels shows the 982-pixel test pictures at scale 1.
    WriteProfileString("Nerilune", "Sizer", "40,60,1041,860");
    boxes = std::make_unique<MessageBoxScript>();
    for (int m = 0; m < modelCount; ++m)
        writePanelFiles(m);
    // The editor makes a folder named after the model in the current folder.
    QDir::setCurrent(QString::fromStdString(storeDir));
}

void EditorTest::TearDown()
{
    close();
    boxes.reset();
    SetProfileStore(nullptr);
    store.reset();
}

void EditorTest::open(int model, int localMode)
{
    close();
    WriteProfileInt("main", "machine", model);
    WriteProfileInt("main", "local", localMode);
    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    // The tests look at what waits in the queues; the 30 ms pump would send it.
    dlg->KillTimer(dlg->timerId);
    QApplication::processEvents();
}

void EditorTest::close()
{
    if (dlg) {
        dlg->DestroyWindow();
        dlg.reset();
    }
}

IODesc* EditorTest::node(int row, int index) const
{
    for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg->nodes.Next(pos);
        if (n->entry == &currentModel()->ioTable[row] && n->index == index)
            return n;
    }
    return nullptr;
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

QWidget* EditorTest::window() const
{
    return dlg->GetWidget();
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held,
    Qt::KeyboardModifiers mods)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, mods);
    QApplication::sendEvent(w, &e);
}

void clickWidget(QWidget* w)
{
    const QPoint c = w->rect().center();
    sendMouse(w, QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    sendMouse(w, QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

void EditorTest::press(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton b)
{
    sendMouse(window(), QEvent::MouseButtonPress, p, b, b, mods);
}

void EditorTest::move(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), window()->mapToGlobal(QPointF(p)), Qt::NoButton,
        buttons, mods);
    QApplication::sendEvent(window(), &e);
}

void EditorTest::release(QPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton b)
{
    sendMouse(window(), QEvent::MouseButtonRelease, p, b, Qt::NoButton, mods);
}

void EditorTest::drag(const IODesc* a, const IODesc* b, Qt::KeyboardModifiers mods)
{
    press(centre(a), mods);
    move(centre(b), Qt::LeftButton, mods);
    release(centre(b), mods);
}

void EditorTest::key(int qtKey)
{
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(window(), &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(window(), &up);
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

int EditorTest::lineCount() const
{
    return dlg->lines.GetCount();
}

} // namespace editortest
