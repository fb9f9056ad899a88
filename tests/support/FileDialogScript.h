#pragma once
#include "CFileDialog.h"
#include <deque>
#include <vector>

// Answers file dialogs from a script while it lives: records every request
// and replies with the next queued path, or cancels when none is queued. Restores
// the previous handler when it ends.
class FileDialogScript {
public:
    FileDialogScript();
    ~FileDialogScript();
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    void choose(const QString& path) { m_answers.push_back(path); }
    void cancel() { m_answers.push_back(QString()); }
    const std::vector<FileDialogRequest>& requests() const { return m_requests; }

private:
    std::deque<QString> m_answers;
    std::vector<FileDialogRequest> m_requests;
    FileDialogHandler m_previous;
};
