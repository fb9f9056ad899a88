#pragma once
#include "QQWidget.h"

// The widget of a framework dialog: a toolkit dialog forwarding its events to
// the owning CDialog (all but wheel and focus events).
class QQDialog : public QQForward<QDialog> {
public:
    explicit QQDialog(CWnd* owner, QWidget* parent = nullptr)
        : QQForward<QDialog>(owner, parent)
    {
    }
};
