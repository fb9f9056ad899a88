// Shared set-up of the editor tests: a private settings store, panel files for
// the three models written into the settings folder, and one real editor
// window on the offscreen platform.
#pragma once

#include "CRoutingDlg.h"
#include "MessageBoxScript.h"

#include <QEvent>
#include <QPoint>
#include <QSettings>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace editortest {

// Sends one mouse event to w.
void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held,
    Qt::KeyboardModifiers mods);
// A left click in the middle of w.
void clickWidget(QWidget* w);

// Writes the picture and description of model m into the settings folder.
// Nodes sit on a grid in io-table order, 34 pixels apart, LED regions 12 by 12;
// option buttons sit below the grid. The picture is 982 pixels wide so that a
// 1001-pixel window shows it at scale 1.
void writePanelFiles(int model);
// Writes a description of `text` for model m (and its picture).
void writeDescription(int model, const std::string& text);
// The description writePanelFiles uses for model m.
std::string gridDescription(int model);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and shows the editor for model m (demo mode unless local is 0).
    void open(int model, int localMode = 1);
    void close();

    // Node `index` of io-table row `row` (page building order), or null.
    IODesc* node(int row, int index) const;
    // First node of group g with the given index.
    IODesc* node(groupID g, int index) const;
    QPoint centre(const IODesc* n) const;

    // Real mouse input on the window.
    void press(
        QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton);
    void move(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void release(
        QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton);
    // Press on a, move over b, release on b.
    void drag(const IODesc* a, const IODesc* b, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void key(int qtKey);

    // Texts of the messages waiting in the set queue, in order.
    std::vector<std::string> setTexts() const;
    void clearSetQueue();
    bool hasLine(const IODesc* src, const IODesc* dest) const;
    int lineCount() const;

    QWidget* window() const;

    std::unique_ptr<QSettings> store;
    std::unique_ptr<MessageBoxScript> boxes;
    std::unique_ptr<CRoutingDlg> dlg;
    std::string storeDir;
};

} // namespace editortest
