#pragma once
#include "MessageBoxHook.h"
#include <deque>
#include <vector>

// Answers message boxes from a script while it lives: records every box and
// replies with the next queued answer, or the box's first button when none is queued.
// Restores the previous handler when it ends.
class MessageBoxScript {
public:
    struct Box {
        QString caption;
        QString text;
        QString detail;
        int icon;
        std::vector<int> buttons;
    };

    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    void answer(int button) { m_answers.push_back(button); }
    const std::vector<Box>& boxes() const { return m_boxes; }

private:
    int show(const QString& text, const QString& caption, UINT flags, const QString& detail);

    std::deque<int> m_answers;
    std::vector<Box> m_boxes;
    MessageBoxHandler m_previous;
};
