// A model-based check: on every model, a thousand random edits made through
// the real window (drags and Control-runs, deletions, option switches, gains by
// box, slider and right-button drag, preset loads, switches to another model
// and back) with the pump running between them. After every batch the
// simulated device holds what the page shows and what a preset saved from the
// page says, and reading the device again gives back the same page.
// The seed is printed; Q7300_SYNC_SEED=<seed> replays a run.
#include "EditorFixture.h"

#include "ModelTables.h"
#include "NQLineEdit.h"
#include "NQSlider.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSlider>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <optional>

using namespace editortest;

namespace {

constexpr int kSteps = 1000;
constexpr int kBatch = 50;

unsigned runSeed()
{
    static const unsigned seed = [] {
        const char* given = std::getenv("Q7300_SYNC_SEED");
        return given && *given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                               : std::random_device {}();
    }();
    return seed;
}

class RandomEdits : public EditorTest, public ::testing::WithParamInterface<int> {
protected:
    template <class T> T* pick(const std::vector<T*>& v)
    {
        return v.empty() ? nullptr : v[rng() % v.size()];
    }
    int below(int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; }

    // Nodes on the page that are destinations, or that have a gain.
    std::vector<IODesc*> shown(bool destinations) const
    {
        std::vector<IODesc*> pool;
        for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->activeNodes.Next(pos);
            if (!n->disabled && (destinations ? n->key && n->IsActiveInput() : n->gainKey != 0))
                pool.push_back(n);
        }
        return pool;
    }

    void connect(Qt::KeyboardModifiers mods, bool thenDelete)
    {
        IODesc* dest = pick(shown(true));
        if (!dest)
            return;
        std::vector<IODesc*> sources, usable;
        dest->PossibleSources(sources);
        for (IODesc* s : sources)
            if (dlg->activeNodes.Find(s))
                usable.push_back(s);
        IODesc* src = pick(usable);
        if (!src)
            return;
        if (rng() % 2)
            drag(src, dest, mods);
        else
            drag(dest, src, mods);
        if (thenDelete)
            key(Qt::Key_Delete);
    }

    // A click on a node selects all its lines; Delete removes them.
    void deleteAround()
    {
        std::vector<IODesc*> all;
        for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;)
            all.push_back(dlg->nodes.Next(pos));
        click(pick(all));
        key(Qt::Key_Delete);
    }

    void changeOption()
    {
        const int row = below(dlg->optionCombos.GetCount());
        if (dlg->optionCombos.GetCount() == 0 || !dlg->optionButtons.Item(row)->IsWindowEnabled())
            return;
        RComboBox* list = dlg->optionCombos.Item(row);
        if (list->GetCount() == 2) {
            clickWidget(dlg->optionButtons.Item(row)->GetWidget());
        } else {
            list->SetCurSel(below(list->GetCount()));
            dlg->UpdateMap(0, 0, msgCommand, scSelChange, CRoutingDlg::idFirstOptionList + row);
        }
    }

    void typeGain()
    {
        IODesc* n = pick(shown(false));
        if (!n)
            return;
        click(n);
        auto* box = qobject_cast<QPlainTextEdit*>(dlg->gainEdit->GetWidget());
        if (!box || !dlg->gainEdit->IsWindowEnabled())
            return;
        box->setFocus();
        QTextCursor c = box->textCursor();
        c.select(QTextCursor::Document);
        c.insertText(QString::number(-below(1100) / 10.0 + 6, 'f', 1));
    }

    void moveSlider()
    {
        IODesc* n = pick(shown(false));
        if (!n)
            return;
        click(n);
        auto* slider = qobject_cast<QSlider*>(dlg->gainSlider->GetWidget());
        if (dlg->gainSlider->IsWindowEnabled())
            slider->setValue(below(slider->maximum() + 1));
    }

    void dragGain()
    {
        IODesc* n = pick(shown(false));
        if (!n)
            return;
        QPoint p = centre(n);
        move(p, Qt::NoButton);
        press(p, Qt::NoModifier, Qt::RightButton);
        for (int i = below(12); i >= 0; --i)
            move(p += QPoint(0, rng() % 3 ? 2 : -2), Qt::RightButton);
        release(p, Qt::NoModifier, Qt::RightButton);
    }

    void presets()
    {
        if (rng() % 2) {
            dlg->Save("random");
            return;
        }
        const int i = dlg->userPresets.FindStringExact(-1, "random");
        if (i < 0)
            return;
        dlg->userPresets.SetCurSel(i);
        dlg->UpdateMap(0, 0, msgCommand, scSelChange, CRoutingDlg::idUserPresets);
    }

    // Another model's page is edited off line; coming back reads the device,
    // and the user waits for the page to be read before editing again.
    void switchModelAndBack(int model)
    {
        dlg->DoSysCommand(main_table[(model + 1 + below(modelCount - 1)) % modelCount].menuId);
        connect(Qt::NoModifier, false);
        dlg->DoSysCommand(main_table[model].menuId);
        drain();
    }

    void randomStep(int model)
    {
        const int r = below(100);
        if (r < 25)
            connect(Qt::NoModifier, false);
        else if (r < 33)
            connect(Qt::ControlModifier, false);
        else if (r < 38)
            connect(Qt::NoModifier, true);
        else if (r < 43)
            deleteAround();
        else if (r < 58)
            changeOption();
        else if (r < 66)
            typeGain();
        else if (r < 74)
            moveSlider();
        else if (r < 82)
            dragGain();
        else if (r < 97)
            presets();
        else
            switchModelAndBack(model);
        QApplication::processEvents();
        // Sometimes the pump keeps up, sometimes edits pile up.
        if (rng() % 3 == 0)
            tick(below(4));
    }

    // Destinations whose shown source is not the one the device's value names.
    std::vector<std::string> shownDifferences() const
    {
        std::vector<std::string> out;
        for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->activeNodes.Next(pos);
            const auto v = n->key && n->IsActiveInput() ? device->Value(n->key) : std::nullopt;
            if (v && *v != n->IoValue(n->source))
                out.push_back(std::string(n->GetText()) + " shows "
                    + (n->source ? std::string(n->source->GetText()) : "nothing")
                    + ", device value " + std::to_string(*v));
        }
        return out;
    }

    // Lines of a preset saved from the page that the device does not hold.
    std::vector<std::string> presetDifferences() const
    {
        EXPECT_TRUE(dlg->Save("sync-check"));
        CString path;
        CRoutingDlg::MakeFileName("sync-check", path, false);
        QFile f(path.toQString());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        std::vector<std::string> out;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QList<QByteArray> w = line.trimmed().split(' ');
            if (w.size() != 2)
                continue;
            const long key = w[0].toLong(nullptr, 16);
            const bool gain = w[1].contains('.');
            const auto value = device->Value(key);
            const auto dev = gain ? device->GainOf(key)
                : value           ? std::optional<double>(*value)
                                  : std::nullopt;
            if (!dev || std::fabs(*dev - w[1].toDouble()) > (gain ? 0.051 : 0))
                out.push_back(line.trimmed().toStdString() + ", device "
                    + (dev ? std::to_string(*dev) : "nothing"));
        }
        return out;
    }

    // Every node's value, gain and source, every option's choice, the lines.
    std::vector<double> snapshot() const
    {
        std::vector<double> out;
        for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->nodes.Next(pos);
            out.insert(
                out.end(), { double(n->value), n->gain, double(dlg->nodes.GetIndex(n->source)) });
        }
        for (POSITION pos = dlg->optionCombos.GetHeadPosition(); pos;)
            out.push_back(static_cast<RComboBox*>(dlg->optionCombos.GetNext(pos))->GetCurSel());
        out.push_back(dlg->lines.GetCount());
        return out;
    }

    std::mt19937 rng;
};

} // namespace

TEST_P(RandomEdits, DeviceHoldsWhatThePageAndItsPresetSay)
{
    const int model = GetParam();
    const unsigned seed = runSeed();
    std::cout << "[   SEED   ] Q7300_SYNC_SEED=" << seed << "\n";
    SCOPED_TRACE("Q7300_SYNC_SEED=" + std::to_string(seed));
    rng.seed(seed + static_cast<unsigned>(model));
    openWithDevice(model, model);
    randomizeDevice(rng);
    for (int done = 0; done <= kSteps; done += kBatch) {
        SCOPED_TRACE("after " + std::to_string(done) + " edits");
        ASSERT_GE(drain(), 0);
        ASSERT_EQ(differences(), std::vector<std::string>());
        ASSERT_EQ(shownDifferences(), std::vector<std::string>());
        ASSERT_EQ(presetDifferences(), std::vector<std::string>());
        ASSERT_TRUE(boxes->boxes().empty());
        const auto before = snapshot();
        dlg->OnRefresh();
        ASSERT_GE(drain(), 0);
        const auto after = snapshot();
        ASSERT_EQ(after.size(), before.size());
        for (size_t k = 0; k < after.size(); ++k)
            ASSERT_NEAR(after[k], before[k], 1e-6)
                << "reading the device again changed entry " << k;
        for (int i = 0; i < kBatch && done < kSteps; ++i)
            randomStep(model);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryModel, RandomEdits, ::testing::Range(0, modelCount),
    [](const ::testing::TestParamInfo<int>& info) {
        return std::string(main_table[info.param].modelName);
    });
