// A CObList of T pointers; typed access to its elements.
#pragma once

#include "CObList.h"

template <class T> class CMObList : public CObList {
public:
    // Element i (0 = head), or null.
    T* Item(int i) const
    {
        POSITION pos = FindIndex(i);
        return pos ? static_cast<T*>(GetAt(pos)) : nullptr;
    }
};
