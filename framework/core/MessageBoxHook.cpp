#include "MessageBoxHook.h"
#include "CString.h"
#include <cstdio>
#include <mutex>

namespace {
std::mutex g_mutex;
MessageBoxHandler g_handler;

int defaultBox(const QString& text, const QString& caption, UINT flags, const QString& detail)
{
    std::fprintf(
        stderr, "%s\n%s\n", qStringToText(caption).constData(), qStringToText(text).constData());
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", qStringToText(detail).constData());
    return messageBoxButtons(flags).front();
}
} // namespace

std::vector<int> messageBoxButtons(UINT flags)
{
    switch (flags & MB_BUTTONMASK) {
    case MB_OKCANCEL:
        return { IDBOX_OK, IDBOX_CANCEL };
    case MB_YESNO:
    case MB_YESNO2:
        return { IDYES, IDNO };
    case MB_RETRYCANCEL:
        return { IDRETRY, IDBOX_CANCEL };
    case MB_ABORTRETRYIGNORE:
        return { IDABORT, IDRETRY, IDIGNORE };
    case MB_YESNOCANCEL:
        return { IDYES, IDNO, IDBOX_CANCEL };
    default:
        return { IDBOX_OK };
    }
}

int messageBoxIcon(UINT flags)
{
    const UINT icon = flags & MB_ICONMASK;
    return icon <= MB_ICONQUESTION ? static_cast<int>(icon) : 0;
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

int FrameworkMessageBox(
    QObject* parent, const QString& text, const QString& caption, UINT flags, const QString& detail)
{
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        handler = g_handler;
    }
    // Called outside the lock: a real box runs a nested event loop that may raise
    // another box.
    if (!handler)
        return defaultBox(text, caption, flags, detail);
    return handler(parent, text, caption, flags, detail);
}
