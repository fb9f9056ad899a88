#pragma once
#include "CString.h"

class NObList;

// A text that can stand in a named list, with the list it belongs to.
class CObString : public CObject {
public:
    explicit CObString(const char* text = nullptr, NObList* parent = nullptr);
    ~CObString() override;

    CString GetText() const override { return m_text; }
    void SetText(const char* text) { m_text = text; }
    NObList* GetParent() const { return m_parent; }
    void SetParent(NObList* parent) { m_parent = parent; }

    virtual BOOL VDoubleClick(void* context);
    virtual BOOL VGetToolTipInfo(CString& text);

private:
    CString m_text;
    NObList* m_parent = nullptr;
};
