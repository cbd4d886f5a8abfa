// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts two programs in turn, again and again, in the X server of $DISPLAY, and measures for
// each start the time from exec to the mapping of its window (the X server's MapNotify on the
// root window), to the first drawing into it (the Damage extension's first report), and its
// resident memory a moment after. Prints every run, the medians and the ratios of the first
// program over the second.
//   startbench RUNS PROGRAM FLOOR
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto SettleTime = std::chrono::milliseconds(500);
constexpr auto MapTimeout = std::chrono::seconds(20);

struct Sample
{
    double mapMs;
    double paintMs;
    long rssKb;
};

int damageEvent = 0;
int damageRequest = 0;
int damageErrorBase = 0;
int unwatched = 0;
pid_t running = 0;

// Damage cannot watch every window that appears: an input-only one has no contents (BadMatch),
// such as the leader window that GTK makes when Qt uses its GTK platform theme, and one may be
// gone before the request arrives (BadWindow, BadDrawable). Neither is the window measured, so
// such errors are counted and the run goes on; any other error ends the benchmark, as Xlib's
// default handler would, without leaving the program it started running.
int onXError(Display *display, XErrorEvent *error)
{
    if (error->request_code == damageRequest) {
        if (error->error_code == BadMatch || error->error_code == BadWindow ||
            error->error_code == BadDrawable) {
            ++unwatched;
            return 0;
        }
        // The later destruction of a watch that was never made.
        if (error->error_code == damageErrorBase + BadDamage)
            return 0;
    }
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "startbench: X error %s (request %d.%d)\n", text, error->request_code,
                 error->minor_code);
    if (running > 0)
        kill(running, SIGTERM);
    std::exit(1);
}

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Waits for the new program's window to be mapped and then first drawn into, noting when each
// happened. Windows are watched for damage from their creation, before anything can draw.
bool watchWindow(Display *display, Clock::time_point deadline, Clock::time_point &mapped,
                 Clock::time_point &painted)
{
    const int fd = ConnectionNumber(display);
    std::vector<Damage> damages;
    Window shown = 0;
    bool done = false;
    while (!done && Clock::now() < deadline) {
        while (!done && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
                damages.push_back(
                    XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty));
            } else if (event.type == MapNotify && !event.xmap.override_redirect && !shown) {
                mapped = Clock::now();
                shown = event.xmap.window;
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto *damage = reinterpret_cast<XDamageNotifyEvent *>(&event);
                if (shown && damage->drawable == shown) {
                    painted = Clock::now();
                    done = true;
                }
            }
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval wait{0, 2000};
        select(fd + 1, &fds, nullptr, nullptr, &wait);
    }
    for (Damage damage : damages)
        XDamageDestroy(display, damage);
    XSync(display, False);
    return done;
}

bool measure(Display *display, const char *program, Sample &sample)
{
    XSync(display, True); // drop anything left from the previous run
    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        std::perror(program);
        _exit(127);
    }
    if (pid < 0)
        return false;
    running = pid;
    Clock::time_point mappedAt, paintedAt;
    const bool mapped = watchWindow(display, started + MapTimeout, mappedAt, paintedAt);
    if (mapped) {
        std::this_thread::sleep_for(SettleTime);
        const auto ms = [&](Clock::time_point at) {
            return std::chrono::duration<double, std::milli>(at - started).count();
        };
        sample.mapMs = ms(mappedAt);
        sample.paintMs = ms(paintedAt);
        sample.rssKb = residentKb(pid);
    }
    kill(pid, SIGTERM);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    running = 0;
    return mapped && sample.rssKb > 0;
}

template <typename T>
double median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: startbench RUNS PROGRAM FLOOR\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const char *programs[] = {argv[2], argv[3]};
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startbench: cannot open the display\n");
        return 1;
    }
    int firstEvent = 0;
    if (!XQueryExtension(display, "DAMAGE", &damageRequest, &firstEvent, &damageErrorBase) ||
        !XDamageQueryExtension(display, &damageEvent, &damageErrorBase)) {
        std::fprintf(stderr, "startbench: the X server has no Damage extension\n");
        return 1;
    }
    XSetErrorHandler(onXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    // One warm-up start each, so that both find the same files in the page cache.
    Sample ignored{};
    for (const char *program : programs) {
        if (!measure(display, program, ignored)) {
            std::fprintf(stderr, "startbench: %s did not map a window\n", program);
            return 1;
        }
    }

    std::vector<double> map[2], paint[2];
    std::vector<long> rss[2];
    for (int run = 0; run < runs; ++run) {
        // Alternate which goes first, so neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            const int which = (run % 2 == 0) ? k : 1 - k;
            Sample sample{};
            if (!measure(display, programs[which], sample)) {
                std::fprintf(stderr, "startbench: %s did not map a window\n", programs[which]);
                return 1;
            }
            map[which].push_back(sample.mapMs);
            paint[which].push_back(sample.paintMs);
            rss[which].push_back(sample.rssKb);
            std::printf("run %2d  %-8s mapped %6.1f ms  painted %6.1f ms  resident %6ld KiB\n",
                        run + 1, which == 0 ? "program" : "floor", sample.mapMs, sample.paintMs,
                        sample.rssKb);
        }
    }
    XCloseDisplay(display);

    const auto report = [](const char *what, const char *unit, double program, double floor) {
        std::printf("  %-18s program %8.1f %-3s  floor %8.1f %-3s  ratio %.3f\n", what, program,
                    unit, floor, unit, program / floor);
    };
    std::printf("\nmedian over %d starts each", runs);
    if (unwatched > 0)
        std::printf(" (%d other windows could not be watched for drawing)", unwatched);
    std::printf(":\n");
    report("exec to map", "ms", median(map[0]), median(map[1]));
    report("exec to first paint", "ms", median(paint[0]), median(paint[1]));
    report("resident memory", "KiB", median(rss[0]), median(rss[1]));
    return 0;
}
