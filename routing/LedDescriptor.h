// One LED region of the panel description and the node made from it.
#pragma once

#include "CObject.h"
#include "Geometry.h"

class IODesc;

class LedDescriptor : public CObject {
public:
    explicit LedDescriptor(const CRect& r)
        : rect(r)
    {
    }
    ~LedDescriptor() override;

    CRect rect;
    IODesc* node = nullptr; // not owned
};
