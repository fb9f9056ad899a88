#include "SyncFixture.h"

#include "CComboBox.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "PumpClock.h"
#include "TickCount.h"

#include <QApplication>
#include <QTime>

#include <cmath>
#include <sstream>

namespace synctest {

void SyncTest::SetUp()
{
    EditorTest::SetUp();
    setPumpClock([this] { return clockMs; });
    // The time of day follows the same clock, starting just before midnight.
    setTickTimeSource([this] {
        return QTime(23, 59, 59, 0).addMSecs(static_cast<int>((clockMs - 100000) % 86400000));
    });
}

void SyncTest::TearDown()
{
    EditorTest::TearDown();
    setPumpClock({});
    setTickTimeSource({});
}

void SyncTest::openWithDevice(int shown, int deviceModel, int localMode)
{
    device = std::make_shared<SimDevice>(deviceModel);
    reopen(shown, localMode);
}

void SyncTest::reopen(int shown, int localMode)
{
    close();
    heard.clear();
    WriteProfileInt("main", "machine", shown);
    WriteProfileInt("main", "local", localMode);
    device->SetLog([this](bool incoming, const SimBytes& bytes, const std::string&) {
        if (!incoming || bytes.size() < 6 || bytes[0] != 0xF0)
            return;
        heard.push_back({ bytes[4], std::string(bytes.begin() + 5, bytes.end() - 1), clockMs });
    });
    auto transport = std::make_unique<LoopbackMidi>(
        device, [this] { return static_cast<std::uint32_t>(clockMs); });
    loop = transport.get();
    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->protocol.InstallTransport(std::move(transport), commMidi);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    dlg->KillTimer(dlg->timerId);
    QApplication::processEvents();
}

void SyncTest::tick(int n)
{
    for (int i = 0; i < n && dlg; ++i) {
        clockMs += CRoutingDlg::pumpPeriodMs;
        loop->DeliverDue();
        QApplication::processEvents();
        dlg->OnTimer(static_cast<UINT>(dlg->timerId));
        QApplication::processEvents();
    }
}

int SyncTest::drain(int maxTicks)
{
    for (int i = 0; i < maxTicks; ++i) {
        if (dlg->requestQueue.IsEmpty() && dlg->setQueue.IsEmpty() && !device->NextDue())
            return i;
        tick();
    }
    return -1;
}

std::vector<std::string> SyncTest::heardTexts() const
{
    std::vector<std::string> out;
    for (const Heard& h : heard)
        out.push_back(std::to_string(h.command) + " " + h.text);
    return out;
}

void SyncTest::randomizeDevice(std::mt19937& rng)
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

std::vector<std::string> SyncTest::differences() const
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
    const model_entry* model = currentModel();
    int k = 0;
    for (const ComboDesc* row = model->comboDescs; row && row->texts; ++row, ++k) {
        RComboBox* list = dlg->optionCombos.Item(k);
        const auto v = device->Value(row->key);
        if (list && (!v || *v != list->GetCurSel()))
            note("option", row->key, list->GetCurSel(), v ? *v : -1);
    }
    return out;
}

std::string SyncTest::title() const
{
    CString t;
    dlg->GetWindowText(t);
    return static_cast<const char*>(t);
}

} // namespace synctest
