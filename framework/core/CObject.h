#pragma once
#include "FrameworkTypes.h"

class CString;

// Polymorphic base of the framework's listable objects (strings, lists, nodes, lines).
// Not a QObject: values derived from it (CString) stay copyable.
class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject();

    // The object's display text, used by named lists to find and sort their elements.
    // Empty unless a derived class has a text.
    virtual CString GetText() const;
};
