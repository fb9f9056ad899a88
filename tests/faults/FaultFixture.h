// Shared set-up of the fault tests: a private settings store, the generated
// panel files of every model in the program's data folder, message boxes
// answered by a script, and one real editor window on the offscreen platform.
#pragma once

#include "CRoutingDlg.h"
#include "MessageBoxScript.h"

#include <QSettings>
#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace faults {

// Copies the panel picture and description of every model into settingsPath().
void installPanelFiles();
// The bytes of a file, or "<missing>" when it cannot be read.
std::string fileBytes(const QString& path);
// Runs the event loop until done() holds or ms milliseconds have passed;
// returns done().
bool pumpUntil(const std::function<bool()>& done, int ms);
// Connects the first legal source to the first destination that can take one
// without a source, as a drag does; FALSE when the page has none.
bool connectSomething(CRoutingDlg& dlg);

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and shows the editor of model m. With pump FALSE the 30 ms timer is
    // stopped so that nothing leaves the queues by itself.
    void open(int model, int localMode = 1, bool pump = false);
    void close();

    QString title() const;
    int nodeCount() const { return dlg ? dlg->nodes.GetCount() : -1; }
    int lineCount() const { return dlg ? dlg->lines.GetCount() : -1; }
    // Boxes shown so far whose caption is `caption`.
    int boxesCaptioned(const QString& caption) const;
    // Boxes shown so far whose caption or text holds `words`.
    int boxesMentioning(const QString& words) const;
    bool connectSomething() { return dlg && faults::connectSomething(*dlg); }

    std::string dir; // fresh folder of this test (also the current folder)
    std::unique_ptr<QSettings> store;
    std::unique_ptr<MessageBoxScript> boxes;
    std::unique_ptr<CRoutingDlg> dlg;
};

} // namespace faults
