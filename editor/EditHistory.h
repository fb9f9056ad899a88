// The routing page's undo history. A step holds, for the device values one
// gesture changed, the values before and after it; undoing or redoing hands
// back the values to put on the page and the device.
#pragma once

#include <cstddef>
#include <deque>
#include <map>

// Device values of a page by key: destination sources and option choices
// (integers) and gains (dB).
struct PageValues {
    std::map<long, int> values;
    std::map<long, double> gains;

    bool Empty() const { return values.empty() && gains.empty(); }
};

class EditHistory {
public:
    static constexpr std::size_t capacity = 200; // oldest steps go first

    // Records a gesture that took the page from `before` to `after`; nothing
    // when it changed no value. A non-zero `gesture` equal to the newest
    // step's (nothing undone since) adds to that step instead: one drag of a
    // slider or a gain is one step.
    void Record(const PageValues& before, const PageValues& after, unsigned gesture = 0);
    // The values to put back to undo the newest done step, or null.
    const PageValues* Undo();
    // The values to put on the page to redo the oldest undone step, or null.
    const PageValues* Redo();
    bool CanUndo() const { return done > 0; }
    bool CanRedo() const { return done < steps.size(); }
    void Clear();
    std::size_t Size() const { return steps.size(); }

private:
    struct Step {
        PageValues before;
        PageValues after;
        unsigned gesture = 0;
    };
    std::deque<Step> steps;
    std::size_t done = 0; // steps[0 .. done) are in force
};
