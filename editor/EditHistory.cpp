#include "EditHistory.h"

#include <cmath>

namespace {

bool same(int a, int b)
{
    return a == b;
}

// Gains travel as text with six decimals and are held in 0.1 dB steps.
bool same(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

// The entries of `from` whose key `other` lacks or holds another value.
template <class T>
std::map<long, T> changed(const std::map<long, T>& from, const std::map<long, T>& other)
{
    std::map<long, T> out;
    for (const auto& [key, v] : from) {
        auto it = other.find(key);
        if (it == other.end() || !same(it->second, v))
            out.emplace(key, v);
    }
    return out;
}

// Adds a later change to a step: newer after-values win, the first before-value stays.
template <class T>
void merge(std::map<long, T>& before, std::map<long, T>& after, const std::map<long, T>& newBefore,
    const std::map<long, T>& newAfter)
{
    for (const auto& [key, v] : newBefore)
        before.emplace(key, v);
    for (const auto& [key, v] : newAfter)
        after[key] = v;
    // A value brought back to where the step found it is no change any more.
    for (auto it = before.begin(); it != before.end();) {
        auto a = after.find(it->first);
        if (a != after.end() && same(a->second, it->second)) {
            after.erase(a);
            it = before.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace

void EditHistory::Record(const PageValues& before, const PageValues& after, unsigned gesture)
{
    PageValues was { changed(before.values, after.values), changed(before.gains, after.gains) };
    PageValues now { changed(after.values, before.values), changed(after.gains, before.gains) };
    if (was.Empty() && now.Empty())
        return;
    steps.resize(done);
    if (gesture != 0 && !steps.empty() && steps.back().gesture == gesture) {
        Step& s = steps.back();
        merge(s.before.values, s.after.values, was.values, now.values);
        merge(s.before.gains, s.after.gains, was.gains, now.gains);
        if (s.before.Empty() && s.after.Empty())
            steps.pop_back();
    } else {
        steps.push_back({ std::move(was), std::move(now), gesture });
        if (steps.size() > capacity)
            steps.pop_front();
    }
    done = steps.size();
}

const PageValues* EditHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    Step& s = steps[--done];
    s.gesture = 0; // a step undone and redone takes no later change
    return &s.before;
}

const PageValues* EditHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    return &steps[done++].after;
}

void EditHistory::Clear()
{
    steps.clear();
    done = 0;
}
