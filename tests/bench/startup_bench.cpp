#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "e2e/start_to_main_window.h"

// Start-up time (process start to main window visible) and working set after start of
// velloran.exe, against a bare program that shows one empty window. Both are started the
// same way, interleaved, in one run.

namespace {

struct Sample {
    double firstWindowMs;  // any window of the program, such as a greeting box
    double startMs;        // the main window
    double workingSetKb;
    double privateKb;
};

struct Subject {
    const char* name;
    std::string exe;
    std::string title;
    std::vector<Sample> samples;
    int greetings = 0;
};

double nowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool measureOnce(Subject& subject) {
    const double started = nowMs();
    std::optional<e2e::Program> program = e2e::Program::start(subject.exe);
    if (!program) {
        return false;
    }
    HWND window = nullptr;
    double firstWindow = 0;
    const bool shown = e2e::waitUntil(
        [&] {
            if (firstWindow == 0 && !program->windows().empty()) {
                firstWindow = nowMs();
            }
            window = program->waitForWindow(subject.title, 0);
            if (window) {
                return true;
            }
            const auto box = e2e::waitForMessageBox(*program, 0);
            if (box && box->title == e2e::kGreetingTitle) {
                ++subject.greetings;
                e2e::dismissMessageBox(box->box);
            }
            return false;
        },
        20000);
    const double visible = nowMs();
    if (!shown) {
        return false;
    }
    WaitForInputIdle(program->process(), 5000);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(program->process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    subject.samples.push_back(Sample{firstWindow - started, visible - started,
                                     static_cast<double>(memory.WorkingSetSize) / 1024.0,
                                     // The private commit; Wine leaves PrivateUsage at 0.
                                     static_cast<double>(memory.PagefileUsage) / 1024.0});
    PostMessageA(window, WM_CLOSE, 0, 0);
    program->waitForExit();
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> column(const Subject& subject, double Sample::*field) {
    std::vector<double> values;
    for (const Sample& sample : subject.samples) {
        values.push_back(sample.*field);
    }
    return values;
}

double medianOf(const Subject& subject, double Sample::*field) {
    return median(column(subject, field));
}

void report(const Subject& subject) {
    const auto times = column(subject, &Sample::startMs);
    std::printf(
        "%-9s first window ms %7.1f   main window ms: median %7.1f  min %7.1f  max %7.1f   "
        "working set KiB %8.0f  private KiB %8.0f\n",
        subject.name, medianOf(subject, &Sample::firstWindowMs), median(times),
        *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), medianOf(subject, &Sample::workingSetKb),
        medianOf(subject, &Sample::privateKb));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench VELLORAN_EXE BARE_EXE [RUNS] (Unix paths)\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 20;
    Subject velloran{"velloran", e2e::windowsPath(argv[1]), e2e::kMainWindowTitle, {}};
    Subject bare{"bare", e2e::windowsPath(argv[2]), "Bare", {}};
    // One unmeasured start each, so that neither pays alone for a cold file cache.
    for (Subject* subject : {&velloran, &bare}) {
        if (!measureOnce(*subject)) {
            std::fprintf(stderr, "could not start %s\n", subject->exe.c_str());
            return 1;
        }
        subject->samples.clear();
        subject->greetings = 0;
    }
    for (int run = 0; run < runs; ++run) {
        for (Subject* subject : {&velloran, &bare}) {
            if (!measureOnce(*subject)) {
                std::fprintf(stderr, "run %d: %s did not show its window\n", run + 1,
                             subject->exe.c_str());
                return 1;
            }
        }
    }
    std::printf("%d runs each under Wine (medians)\n", runs);
    report(velloran);
    report(bare);
    if (velloran.greetings) {
        std::printf(
            "velloran's main window times include answering its greeting box (%d of %d runs)\n",
            velloran.greetings, runs);
    }
    std::printf(
        "ratios velloran / bare (target <= 1.20): first window %.2f, main window %.2f, "
        "working set %.2f, private bytes %.2f\n",
        medianOf(velloran, &Sample::firstWindowMs) / medianOf(bare, &Sample::firstWindowMs),
        medianOf(velloran, &Sample::startMs) / medianOf(bare, &Sample::startMs),
        medianOf(velloran, &Sample::workingSetKb) / medianOf(bare, &Sample::workingSetKb),
        medianOf(velloran, &Sample::privateKb) / medianOf(bare, &Sample::privateKb));
    return 0;
}
