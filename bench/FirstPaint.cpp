// q7300-firstpaint: start-up time and peak memory of a windowed program.
//   q7300-firstpaint TITLE_PART SETTLE_MS PROGRAM [ARGS...]
// Starts PROGRAM, waits for a top-level X window whose name holds TITLE_PART,
// then watches a strip of pixels through the lower part of the window until
// it shows a picture (several colours), which is the first painted page.
// Prints first_paint_ms (from the start of the program), waits SETTLE_MS more
// and prints peak_rss_kb (VmHWM of the program), then ends the program by its
// process id.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Depth-first search of the window tree for a mapped window whose name holds `part`.
Window findWindow(Display* d, Window w, const char* part)
{
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        const bool hit = std::strstr(name, part) != nullptr;
        XFree(name);
        XWindowAttributes a;
        if (hit && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable)
            return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = findWindow(d, children[i], part);
    if (children)
        XFree(children);
    return found;
}

// Distinct colours along a horizontal strip 40 pixels above the window's
// bottom edge: the picture ends 10 pixels above it, so the strip crosses it.
int stripColours(Display* d, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.width < 60 || a.height < 60)
        return 0;
    XImage* img = XGetImage(d, w, 10, a.height - 40, a.width - 20, 1, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    std::set<unsigned long> colours;
    for (int x = 0; x < a.width - 20; x += 3)
        colours.insert(XGetPixel(img, x, 0));
    XDestroyImage(img);
    return static_cast<int>(colours.size());
}

long peakRssKb(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0; // windows may vanish while the tree is walked
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: q7300-firstpaint TITLE_PART SETTLE_MS PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    const char* part = argv[1];
    const int settle = std::atoi(argv[2]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fputs("q7300-firstpaint: no X display\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    if (pid < 0)
        return 1;
    Window w = 0;
    double painted = -1;
    while (msSince(t0) < 20000) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fputs("q7300-firstpaint: the program ended\n", stderr);
            return 1;
        }
        if (!w)
            w = findWindow(d, DefaultRootWindow(d), part);
        if (w && stripColours(d, w) >= 4) {
            painted = msSince(t0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(w ? 1 : 5));
    }
    if (painted < 0) {
        std::fputs("q7300-firstpaint: no painted page within 20 s\n", stderr);
        stop(pid);
        return 1;
    }
    std::printf("first_paint_ms=%.1f\n", painted);
    std::this_thread::sleep_for(std::chrono::milliseconds(settle));
    std::printf("peak_rss_kb=%ld\n", peakRssKb(pid));
    std::fflush(stdout);
    stop(pid);
    XCloseDisplay(d);
    return 0;
}
