#include "MessageBoxScript.h"

MessageBoxScript::MessageBoxScript()
{
    m_previous = setMessageBoxHandler(
        [this](QObject*, const QString& text, const QString& caption, UINT flags,
            const QString& detail) { return show(text, caption, flags, detail); });
}

MessageBoxScript::~MessageBoxScript()
{
    setMessageBoxHandler(std::move(m_previous));
}

int MessageBoxScript::show(
    const QString& text, const QString& caption, UINT flags, const QString& detail)
{
    Box box { caption, text, detail, messageBoxIcon(flags), messageBoxButtons(flags) };
    m_boxes.push_back(box);
    if (m_answers.empty())
        return box.buttons.front();
    const int a = m_answers.front();
    m_answers.pop_front();
    return a;
}
