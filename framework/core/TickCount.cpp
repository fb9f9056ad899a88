#include "TickCount.h"
#include <mutex>

namespace {
std::mutex g_mutex;
std::function<QTime()> g_source;
} // namespace

int tickCountOf(const QTime& t)
{
    if (!t.isValid())
        return 0;
    return t.hour() * 3600000 + t.minute() * 60000 + t.second() * 1000 + t.msec();
}

int GetTickCount()
{
    std::function<QTime()> source;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        source = g_source;
    }
    return tickCountOf(source ? source() : QTime::currentTime());
}

void setTickTimeSource(std::function<QTime()> source)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_source = std::move(source);
}
