#pragma once
#include <QAction>

// A menu action carrying a command id. It is checkable so the framework can show
// check marks, but triggering it never leaves it checked: the check state belongs
// to the program (CheckMenuItem, command updates).
class NAction : public QAction {
    Q_OBJECT
public:
    NAction(const QString& text, int id, QObject* parent = nullptr,
        const QKeySequence& shortcut = QKeySequence(), const QIcon& icon = QIcon(),
        const QString& statusTip = QString());

    int id() const { return m_id; }

signals:
    void command(QAction* action, int id);

private:
    int m_id;
};
