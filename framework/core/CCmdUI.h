#pragma once
#include "CString.h"
#include "FrameworkTypes.h"

// The state a command-update handler sets for one menu item before the menu opens.
class CCmdUI {
public:
    explicit CCmdUI(const CString& text = CString())
        : m_text(text)
    {
    }

    void Enable(BOOL on = TRUE) { m_enabled = on != 0; }
    void SetCheck(int check = 1) { m_check = check != 0; }
    void SetRadio(BOOL on = TRUE) { m_radio = on != 0; }
    void SetText(const char* text) { m_text = text; }
    void SetText(const CString& text) { m_text = text; }

    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_check; }
    bool IsRadio() const { return m_radio; }
    const CString& GetText() const { return m_text; }
    // The text as the menu shows it: everything before the first tab (a shortcut
    // name may follow the tab).
    CString MenuText() const;

private:
    bool m_enabled = true;
    bool m_check = false;
    bool m_radio = false;
    CString m_text;
};
