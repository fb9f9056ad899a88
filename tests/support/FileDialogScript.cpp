#include "FileDialogScript.h"

FileDialogScript::FileDialogScript()
{
    m_previous = setFileDialogHandler([this](const FileDialogRequest& r, QStringList& chosen) {
        m_requests.push_back(r);
        QString answer;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        if (answer.isEmpty())
            return static_cast<int>(IDCANCEL);
        chosen << answer;
        return static_cast<int>(IDOK);
    });
}

FileDialogScript::~FileDialogScript()
{
    setFileDialogHandler(std::move(m_previous));
}
