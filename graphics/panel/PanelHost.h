#pragma once
// What the panel description needs from the window that shows the panel
// picture. The routing editor implements it and passes itself (as a
// PanelHost*, converted before it becomes the void* context of
// EmfDescriptor::Load) so that RoutingEmfDesc can place regions on it.

#include "Geometry.h"

class PanelHost {
public:
    virtual ~PanelHost() = default;

    // Window position of the picture's top-left pixel.
    virtual CPoint PictureOrigin() const = 0;

    // Lays the window out around the picture for the description's OUTLINE
    // region (null: for the picture alone) and returns the factor that maps
    // description coordinates to window pixels.
    virtual double EmfOutline(const CRect* outline) = 0;
};
