#include "FrameworkAssert.h"
#include "CString.h"
#include "MessageBoxHook.h"
#include <cstring>

BOOL AfxAssertFailedLine(const char* file, int line)
{
    const char* name = file ? file : "";
    if (const char* slash = std::strrchr(name, '/'))
        name = slash + 1;
    CString caption;
    caption.Format("Assertion failed at line %d in %s", line, name);
    FrameworkMessageBox(nullptr, QString(), caption.toQString(), MB_OK | MB_ICONWARNING);
    return FALSE;
}
