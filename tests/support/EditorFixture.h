// Shared set-up of the editor and fault tests: a private settings store, panel
// files of every model in the data folder, scripted message boxes, and one real
// editor window on the offscreen platform, on its own or wired to a simulated
// device in the same process with one controllable clock.
#pragma once

#include "CRoutingDlg.h"
#include "LoopbackMidi.h"
#include "MessageBoxScript.h"
#include "SimDevice.h"
#include "TestEnv.h"
#include "TestWndSupport.h"

#include <QEvent>
#include <QPoint>
#include <QSettings>
#include <QWidget>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace editortest {

// Writes the picture and description of model m into the settings folder.
// Nodes sit on a grid in io-table order, 34 pixels apart, LED regions 12 by 12;
// option buttons sit below the grid. The picture is 982 pixels wide so that a
// 1001-pixel window shows it at scale 1.
void writePanelFiles(int model);
// Writes a description of `text` for model m (and its picture).
void writeDescription(int model, const std::string& text);
// The description writePanelFiles uses for model m.
std::string gridDescription(int model);

// The bytes of a file, or "<missing>" when it cannot be read.
std::string fileBytes(const QString& path);
// Writes a file, making its folder first.
void writeFile(const QString& path, const std::string& bytes);
// Connects the first legal source to the first destination that can take one
// without a source, as a drag does; false when the page has none.
bool connectSomething(CRoutingDlg& dlg);

// Limits the size of any file this process writes, as a full disk would; the
// signal such a write raises is ignored so the write just fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_ {};
    void (*previous_)(int) = nullptr;
};

// One message the simulated device received.
struct Heard {
    int command;
    std::string text;
    std::uint64_t at; // test clock, milliseconds
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and shows the editor for model m (demo mode unless local is 0).
    // Unless pump, the 30 ms timer is stopped so that queues keep their messages.
    void open(int model, int localMode = 1, bool pump = false);
    void close();
    // open() as if the device of model m were attached and every value read.
    void openConnected(int m);
    // Builds the editor showing model `shown`, on line unless localMode, wired
    // to a simulated device of model `deviceModel`; tick() runs the pump.
    void openWithDevice(int shown, int deviceModel, int localMode = 0);
    // Reuses the current device for a new editor window.
    void reopen(int shown, int localMode = 0, int failOpen = 0);

    // Node `index` of the first io-table row of group g, or null.
    IODesc* node(groupID g, int index) const;
    QPoint centre(const IODesc* n) const;

    // Real mouse and key input on the window.
    void press(
        QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton);
    void move(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void release(
        QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton);
    void click(const IODesc* n);
    // Press on a, move over b, release on b.
    void drag(const IODesc* a, const IODesc* b, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        keyClick(window(), qtKey, mods);
    }
    bool connectSomething() { return dlg && editortest::connectSomething(*dlg); }
    // The user choosing entry i of a list (a preset or an option list).
    void pick(CComboBox& list, int i);
    // The user replacing the whole text of the gain box in one edit.
    void typeGain(const QString& text);

    // Texts of the messages waiting in the set queue, in order.
    std::vector<std::string> setTexts() const;
    void clearSetQueue();
    bool hasLine(const IODesc* src, const IODesc* dest) const;
    int lineCount() const { return dlg ? dlg->lines.GetCount() : -1; }
    int nodeCount() const { return dlg ? dlg->nodes.GetCount() : -1; }
    QWidget* window() const { return dlg->GetWidget(); }
    QString title() const;
    // Boxes shown so far whose caption is `caption`.
    int boxesCaptioned(const QString& caption) const;
    // Boxes shown so far whose caption or text holds `words`.
    int boxesMentioning(const QString& words) const;

    // Advances the clock by one pump period, delivers due replies, runs the
    // posted events and the pump once.
    void tick(int n = 1);
    // Ticks until nothing waits in either queue or on the device; the number
    // of ticks, or -1 when that did not happen within maxTicks.
    int drain(int maxTicks = 5000);
    // Requests the device heard since the last clear, as "command text".
    std::vector<std::string> heardTexts() const;
    // Gives every destination, option and gain of the device a random value.
    void randomizeDevice(std::mt19937& rng);
    // Where the page and the device disagree, one readable line each.
    std::vector<std::string> differences() const;

    std::string dir; // fresh folder of this test (also the current folder)
    std::unique_ptr<QSettings> store;
    std::unique_ptr<MessageBoxScript> boxes;
    std::unique_ptr<CRoutingDlg> dlg;
    std::uint64_t clockMs = 100000;
    std::shared_ptr<SimDevice> device;
    LoopbackMidi* loop = nullptr;
    std::vector<Heard> heard;
};

} // namespace editortest
