#include "CommsHooks.h"

#include <cstdio>

CommsHooks& commsHooks()
{
    static CommsHooks hooks;
    return hooks;
}

void AddErrorText(const char* text)
{
    if (!text || !*text)
        return;
    if (commsHooks().addErrorText)
        commsHooks().addErrorText(text);
    else
        std::fprintf(stderr, "%s\n", text);
}
