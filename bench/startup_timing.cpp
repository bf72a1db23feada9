// Times start-up on the X display in DISPLAY: from the start of a program to
// its window with the given title being viewable, polled every 3 ms. Runs
// each program in turn, several times, and ends each one after its window
// showed. Prints every time and the median of each program.
//
//   startup_timing RUNS TITLE1 PROGRAM1 [ARGS...] -- TITLE2 PROGRAM2 [ARGS...]
//
// For example, against xmessage under Xvfb and a window manager:
//   startup_timing 7 Vellumar build/release/src/vellumar -- xmessage xmessage hello
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Program {
    std::string title;
    std::vector<char*> argv;  // ends with nullptr
    std::vector<double> ms;
};

bool hasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr)
        return false;
    const bool same = title == name;
    XFree(name);
    return same;
}

// Whether a viewable window titled title is anywhere below window (a window
// manager puts the program's window into a frame of its own).
bool viewableBelow(Display* display, Window window, const std::string& title, int depth)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
        return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
            continue;
        found = hasTitle(display, children[i], title) ||
                (depth > 0 && viewableBelow(display, children[i], title, depth - 1));
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

// A window may go away between finding and asking about it: not an error here.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

double timeOne(Display* display, Program& program)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(program.argv[0], program.argv.data());
        _exit(127);
    }
    double ms = -1;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (viewableBelow(display, DefaultRootWindow(display), program.title, 2)) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // Until its window is gone, so that the next run does not find it.
    while (viewableBelow(display, DefaultRootWindow(display), program.title, 2))
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS TITLE PROGRAM [ARGS...] [-- TITLE PROGRAM [ARGS...]]...\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    const int runs = std::atoi(argv[1]);
    std::vector<Program> programs(1);
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            programs.emplace_back();
            continue;
        }
        if (programs.back().title.empty())
            programs.back().title = argv[i];
        else
            programs.back().argv.push_back(argv[i]);
    }
    for (Program& program : programs)
        program.argv.push_back(nullptr);

    // Alternately, so that a change of the machine's load falls on both.
    for (int run = 0; run < runs; ++run)
        for (Program& program : programs)
            program.ms.push_back(timeOne(display, program));
    for (Program& program : programs) {
        const std::string name = program.argv[0] == nullptr ? "?" : program.argv[0];
        std::printf("%-12s", name.substr(name.find_last_of('/') + 1).c_str());
        for (const double ms : program.ms)
            std::printf(" %6.1f", ms);
        std::vector<double> sorted = program.ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("   median %6.1f ms\n", sorted[sorted.size() / 2]);
    }
    XCloseDisplay(display);
    return 0;
}
