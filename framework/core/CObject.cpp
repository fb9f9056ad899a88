#include "CObject.h"
#include "CString.h"

CObject::~CObject() = default;

CString CObject::GetText() const
{
    return CString();
}
