#pragma once
#include "FrameworkTypes.h"
#include <memory>
#include <vector>

class CWnd;
class CRect;
class NQPopupMenu;
class QAction;

// Menu item flags.
constexpr UINT mfString = 0x1;
constexpr UINT mfChecked = 0x4;
constexpr UINT mfPopup = 0x80;
constexpr UINT mfSeparator = 0x100;
constexpr UINT mfByPosition = 0x400;

// A framework menu over a popup menu window.
class CMenu {
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreatePopupMenu(const char* title = nullptr);
    // mfString: an item with command id `idOrSubmenu`; mfSeparator: a separator;
    // mfPopup: `idOrSubmenu` is a CMenu* shown as a submenu (not owned; it must
    // live as long as this menu).
    BOOL AppendMenu(UINT flags, std::uintptr_t idOrSubmenu = 0, const char* text = nullptr);
    // Sets the item's check from flags & mfChecked; returns the previous state
    // (mfChecked or 0), or -1 when no item matches.
    int CheckMenuItem(UINT idOrPosition, UINT flags);
    // Enables (TRUE) or disables an item found by command id; -1 when none matches.
    int EnableMenuItem(UINT id, BOOL enable);
    int GetMenuItemCount() const;
    // Shows the menu modally at the mouse position (x, y and flags are not used);
    // the chosen item's command goes to `owner`'s menu_command. Returns 0.
    int TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const CRect* rect = nullptr);

    // The window receiving the commands.
    void SetOwner(CWnd* owner);
    NQPopupMenu* popup() const { return m_popup.get(); }
    QAction* FindItem(UINT idOrPosition, UINT flags) const;

private:
    std::unique_ptr<NQPopupMenu> m_popup;
    std::vector<CMenu*> m_submenus; // not owned
};
