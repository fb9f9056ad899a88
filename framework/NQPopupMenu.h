#pragma once
#include "CWnd.h"

class NAction;
class QMenu;

// A framework popup menu: a window holding a toolkit menu and its actions. Just
// before it opens it asks its owner to update every command item (updateMenu);
// a chosen item goes to the owner's menu_command.
class NQPopupMenu : public CWnd {
public:
    // The title is the text with every '&' removed.
    explicit NQPopupMenu(const char* title = nullptr, CWnd* owner = nullptr);
    ~NQPopupMenu() override;

    QMenu* menu() const;
    // The window that receives the menu's commands; forgotten when it is destroyed.
    CWnd* owner() const { return GetParent(); }
    void setOwner(CWnd* owner) { SetParent(owner); }

    NAction* addCommand(const char* text, int id);
    void addSeparator();
    void addSubmenu(NQPopupMenu* sub, const char* text);
    // Raises the update of every command item, in order (done before showing).
    void aboutToShow();
};
