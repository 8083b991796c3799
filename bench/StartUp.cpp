// The start-up case: varnholt.exe shown and idle, against the bare window, the bare window with
// Varnholt's libraries and the window's design without its logic, each in phases.
#include "Bench.h"

#include <cstdio>

namespace varnholt::bench {

using namespace drive;

namespace {

// The last control the window creates: the one with the highest tab index.
int LastControlId() {
    int last = 0;
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        if (DESIGN[i].tabIndex > DESIGN[last].tabIndex) {
            last = i;
        }
    }
    return CONTROL_ID_BASE + last;
}

// StartShown that also notes the phases on its way, polling every millisecond as it does. A
// window without the design's controls has its controls phase at its window phase.
double StartPhased(App& app, const std::wstring& exe, const wchar_t* windowClass, bool controls,
                   Phases& phases) {
    double window = -1, made = -1, shown = -1;
    HWND found = nullptr;
    return StartPolled(app, exe, [&](double start) {
        if (found == nullptr) {
            found = AnyWindowOf(app.process.dwProcessId, windowClass);
            if (found != nullptr) {
                window = NowMs() - start;
            }
        }
        if (found == nullptr) {
            return KEEP_POLLING;
        }
        if (made < 0 && (!controls || GetDlgItem(found, LastControlId()) != nullptr)) {
            made = controls ? NowMs() - start : window;
        }
        if (made < 0 || !IsWindowVisible(found)) {
            return KEEP_POLLING;
        }
        shown = shown < 0 ? NowMs() - start : shown;
        if (!Settle(found, WAIT_MS)) {
            return GIVE_UP;
        }
        const double elapsed = NowMs() - start;
        phases.window.Add(window);
        phases.controls.Add(made - window);
        phases.procedure.Add(shown - made);
        phases.painting.Add(elapsed - shown);
        app.main = found;
        return elapsed;
    });
}

void CheckVarnholtStarted(App& app) {
    Box box;
    if (FindBox(app.process.dwProcessId, box)) {
        Kill(app);
        Fail("Varnholt showed a message at start: " + box.text);
    }
    if (ListCount(app.main) != DEMO_ENTRIES) {
        Kill(app);
        Fail("Varnholt's list does not show the demo's variants");
    }
}

// "fastest 71.2 ms, median 80.3 ms (71.2-140.9)".
std::string Fastest(const Stats& s) {
    return Format("fastest %.1f ms, median %s", s.Min(), Ms(s).c_str());
}

} // namespace

StartUp MeasureStartUp(int runs) {
    StartUp result;
    constexpr int count = sizeof result.programs / sizeof result.programs[0];
    for (int r = 0; r < runs; ++r) {
        const Installation in("start-" + std::to_string(r), 0);
        // Rotate which side goes first, so that none always runs on a warmer system.
        for (int side = 0; side < count; ++side) {
            StartedProgram& program = result.programs[(side + r) % count];
            App app;
            program.time.Add(StartPhased(app, Program(program.exe), program.windowClass,
                                         program.controls, program.phases));
            program.peak.Add(PeakWorkingSet(app.process.dwProcessId));
            if (&program == &result.varnholt()) {
                CheckVarnholtStarted(app);
            }
            Close(app);
        }
        Progress("  start-up run %d/%d\n", r + 1, runs);
    }
    return result;
}

// The start-up's goals: against the bare window, and against the design baseline, which has
// everything of Varnholt's window but its logic. On a shared machine other work only ever adds
// to a start, so the goals compare the fastest starts; the medians stand beside them.
void PrintStartUpGoals(StartUp& startUp, bool& allMet) {
    const Stats& varnholt = startUp.varnholt().time;
    const Stats& bare = startUp.bare().time;
    const Stats& design = startUp.design().time;
    const double bareRatio = varnholt.Min() / bare.Min();
    const double designRatio = varnholt.Min() / design.Min();
    const bool bareMet = bareRatio <= 1.20;
    const bool designMet = designRatio <= 1.05;
    allMet = allMet && bareMet && designMet;
    std::printf("| Start-up, shown and idle | %s | bare window %s | %.2fx (medians %.2fx) | <= "
                "1.20x | %s |\n",
                Fastest(varnholt).c_str(), Fastest(bare).c_str(), bareRatio,
                varnholt.Median() / bare.Median(), Verdict(bareMet));
    std::printf("| Start-up against the window's design alone | %s | design baseline %s | %.2fx "
                "(medians %.2fx) | <= 1.05x | %s |\n",
                Fastest(varnholt).c_str(), Fastest(design).c_str(), designRatio,
                varnholt.Median() / design.Median(), Verdict(designMet));
}

// The start-up of each program, in phases. Timed from outside by polling every millisecond, so
// each phase boundary is known to about a millisecond.
void PrintStartUpPhases(StartUp& startUp) {
    std::printf("\nStart-up in phases, %d starts of each program: the fastest start, on which the "
                "goals are judged, and the median start. The phases are those of the fastest "
                "start, as seen from outside by polling every millisecond: \"window\" from the "
                "start of the process until its main window "
                "exists (loading, resources, fonts, the window made hidden); \"controls\" until "
                "the last control of the design exists; \"procedure\" until the window is shown "
                "(Varnholt's start-up procedure); \"painting\" until it is idle, shown and "
                "painted. The bare windows have no controls. Varnholt's libraries are advapi32 "
                "and the common controls, loaded and started; the shell and COM are loaded when "
                "first needed.\n\n",
                static_cast<int>(startUp.bare().time.Count()));
    std::printf("| Program | Fastest start | Ratio to the bare window | Median start | Ratio | "
                "Window | Controls | Procedure | Painting | Peak working set |\n"
                "|---|---|---|---|---|---|---|---|---|---|\n");
    const Stats& bare = startUp.bare().time;
    for (const StartedProgram& program : startUp.programs) {
        const Phases& p = program.phases;
        const std::size_t fastest = program.time.MinIndex();
        std::printf("| %s | %.1f ms | %.2fx | %s | %.2fx | %.1f ms | %.1f ms | %.1f ms | %.1f ms | "
                    "%s |\n",
                    program.name, program.time.Min(), program.time.Min() / bare.Min(),
                    Ms(program.time).c_str(), program.time.Median() / bare.Median(),
                    p.window.At(fastest), p.controls.At(fastest), p.procedure.At(fastest),
                    p.painting.At(fastest), MiB(program.peak.Median()).c_str());
    }
}

} // namespace varnholt::bench
