#pragma once
#include "CWnd.h"

class CDialog;
class QComboBox;
class QLayout;

// A combo box whose entries are texts with a user value. Choosing an entry (even
// the one already shown) notifies scSelChange to the top-most window of the parent
// chain; selections made by the program notify nothing.
class CComboBox : public CWnd {
public:
    CComboBox() = default;

    BOOL Attach(CWnd* parent) override;
    // A box as a control of the dialog, at least minWidth wide (when > 0), in layout.
    BOOL Create(CDialog* dialog, UINT id, QLayout* layout, int minWidth = 0);
    // A box at rect in the parent, shown when style has bit 0x2.
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // Appends s (user value 0), re-sorting a sorted box. Returns 1, not the index.
    int AddString(const char* s);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // Selects i; returns i when 0 <= i < count, else -1 (-1 clears the selection).
    int SetCurSel(int i);
    int GetLBText(int i, CString& s) const;
    void GetWindowText(CString& s) const override;
    void SetWindowText(const char* s) override;
    int SetItemData(int i, DWORD value); // returns 1 (-1 for a bad index)
    DWORD GetItemData(int i) const;
    int SetItemDataPtr(int i, void* p);
    // Index of the first entry equal to s, letter case included, or -1. start is not used.
    int FindStringExact(int start, const char* s) const;
    // The same search, then selects the entry; its index or -1.
    int SelectString(int start, const char* s);
    void SetSort(BOOL sorted) { m_sorted = sorted != FALSE; }
    void SetEditable(BOOL editable);
    // Index -1 sets the height of the selection field; returns 0 (index 0: 0,
    // other indices -1, no effect).
    int SetItemHeight(int index, int height);
    void ShowDropDown(BOOL show = TRUE);
    // The dropped-down list's area in screen coordinates.
    void GetDroppedControlRect(CRect* r) const;

    QComboBox* combo() const;

private:
    void build(CWnd* parent);
    bool m_sorted = false;
};
