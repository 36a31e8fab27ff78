// SPDX-License-Identifier: MIT
// tavo_map_timer: runs a program and reports, with microsecond resolution, how long it took
// from exec to its first top-level window being mapped, and the program's peak resident
// memory once it has settled. Used by bench/startup.sh.
//
//   tavo_map_timer [--settle-ms N] [--timeout-ms N] PROGRAM [ARG ...]
//
// It listens for MapNotify on the root window (SubstructureNotifyMask) before starting the
// program, so the mapping is seen as an event, not found by polling. A mapped window counts
// when its _NET_WM_PID is the program's pid (Qt sets it before mapping). At the map it also
// reads the CPU time the program has used (all threads, nanosecond counters). Then it
// waits --settle-ms (default 300), reads VmHWM (peak resident set) and RssAnon (its private,
// anonymous part now) from /proc/PID/status, ends the program with SIGTERM and prints:
//
//   map_ms=12.345 cpu_ms=9.876 vmhwm_kib=45678 rssanon_kib=2345 window=0x1a00003 width=179
//   height=191
//
// (on one line).
//
// Exit status: 0 on success, 2 on a usage or X error, 3 when the program exits or the
// timeout passes before a window of it is mapped.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long PropertyPid(Display* display, Window window, Atom pidAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type,
                                          &format, &count, &after, &data);
    long pid = -1;
    if (status == Success && data != nullptr && type == XA_CARDINAL && format == 32 && count == 1) {
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data != nullptr) XFree(data);
    return pid;
}

// A "Name:   1234 kB" field of /proc/PID/status, in KiB; -1 when absent.
long StatusKib(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
        }
    }
    return -1;
}

// CPU time the program's threads have spent running so far, in ms, from the scheduler's
// nanosecond counters (/proc/PID/task/*/schedstat); -1 when unreadable. Unlike the wall
// time it hardly grows when other processes compete for the CPUs.
double CpuMs(pid_t pid) {
    std::error_code error;
    std::filesystem::directory_iterator tasks("/proc/" + std::to_string(pid) + "/task", error);
    if (error) return -1;
    unsigned long long ns = 0;
    for (const auto& task : tasks) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long running = 0;
        if (schedstat >> running) ns += running;
    }
    return static_cast<double>(ns) / 1e6;
}

// A window that is destroyed between its MapNotify and our property read must not end us.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tavo_map_timer [--settle-ms N] [--timeout-ms N] PROGRAM [ARG ...]\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    long settleMs = 300;
    long timeoutMs = 20000;
    int first = 1;
    while (first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0) {
        if (std::strcmp(argv[first], "--settle-ms") == 0) {
            settleMs = std::strtol(argv[first + 1], nullptr, 10);
        } else if (std::strcmp(argv[first], "--timeout-ms") == 0) {
            timeoutMs = std::strtol(argv[first + 1], nullptr, 10);
        } else {
            return Usage();
        }
        first += 2;
    }
    if (first >= argc) return Usage();

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "tavo_map_timer: cannot open display %s\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(unset)");
        return 2;
    }
    XSetErrorHandler(IgnoreXError);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);  // the selection is in force before the program starts

    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    if (posix_spawnp(&pid, argv[first], nullptr, nullptr, &argv[first], environ) != 0) {
        std::fprintf(stderr, "tavo_map_timer: cannot start %s: %s\n", argv[first],
                     std::strerror(errno));
        return 2;
    }

    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    const int fd = ConnectionNumber(display);
    Window mapped = 0;
    Clock::time_point mappedAt;
    double cpuAtMap = -1;
    while (mapped == 0) {
        while (mapped == 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.override_redirect) continue;
            const Clock::time_point seen = Clock::now();
            const double cpu = CpuMs(pid);
            if (PropertyPid(display, event.xmap.window, pidAtom) == pid) {
                mapped = event.xmap.window;
                mappedAt = seen;
                cpuAtMap = cpu;
            }
        }
        if (mapped != 0) break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "tavo_map_timer: %s exited before mapping a window\n",
                         argv[first]);
            return 3;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            std::fprintf(stderr, "tavo_map_timer: no window of %s mapped in %ld ms\n", argv[first],
                         timeoutMs);
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return 3;
        }
        // Wake on X traffic, and at least every 50 ms to notice the program's exit.
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, static_cast<int>(std::min<long>(left.count(), 50)));
    }

    XWindowAttributes attributes{};
    XGetWindowAttributes(display, mapped, &attributes);
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long hwm = StatusKib(pid, "VmHWM");
    const long anon = StatusKib(pid, "RssAnon");
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);

    const double ms = std::chrono::duration<double, std::milli>(mappedAt - start).count();
    std::printf(
        "map_ms=%.3f cpu_ms=%.3f vmhwm_kib=%ld rssanon_kib=%ld window=0x%lx width=%d height=%d\n",
        ms, cpuAtMap, hwm, anon, static_cast<unsigned long>(mapped), attributes.width,
        attributes.height);
    return 0;
}
