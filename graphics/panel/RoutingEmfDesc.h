#pragma once
// The editor's panel description: turns LED regions into node squares and
// BUTTON regions into option button rectangles, in window coordinates of the
// host that shows the picture.

#include "CObList.h"
#include "EmfDescriptor.h"

class LedDescriptor;
class PanelHost;

class RoutingEmfDesc : public EmfDescriptor {
public:
    RoutingEmfDesc() = default;
    ~RoutingEmfDesc() override;

    // The context of Load must be a PanelHost* (or null: origin (0, 0), and
    // the OUTLINE record leaves the scale alone).
    void DeleteAll() override;
    void LedProcess(const CRect& r, void* context) override;
    void ButtonProcess(const CRect& r, void* context) override;
    void OutlineProcess(const CRect& r, void* context) override;

    // LedDescriptor objects in file order, owned here.
    CObList& GetLedList() { return ledList; }
    CObList& GetButtonList() { return buttonList; }
    const CObList& GetLedList() const { return ledList; }
    const CObList& GetButtonList() const { return buttonList; }

    // The n-th region of a list, or null.
    LedDescriptor* GetLed(int n) const;
    LedDescriptor* GetButton(int n) const;

private:
    CObList ledList;
    CObList buttonList;
};
