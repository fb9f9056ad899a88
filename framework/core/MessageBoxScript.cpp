#include "MessageBoxScript.h"

MessageBoxScript::MessageBoxScript()
{
    m_previous = setMessageBoxHandler([this](QObject*, const QString& text, const QString& caption,
                                          UINT flags) { return show(text, caption, flags); });
}

MessageBoxScript::~MessageBoxScript()
{
    setMessageBoxHandler(std::move(m_previous));
}

int MessageBoxScript::show(const QString& text, const QString& caption, UINT flags)
{
    Box box { caption, text, messageBoxIcon(flags), messageBoxButtons(flags) };
    m_boxes.push_back(box);
    if (m_answers.empty())
        return box.buttons.front();
    const int a = m_answers.front();
    m_answers.pop_front();
    return a;
}
