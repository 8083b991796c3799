// Measures varnholt.exe against the floor of the same work, side by side in one run on one
// machine, and prints the medians, the spread and the ratios as a Markdown table:
//
//   start-up     varnholt.exe shown and idle, against baseline_window.exe shown and idle, and
//                against baseline_design.exe, the window's design without its logic; each in
//                phases (window made, controls made, shown, idle)
//   activation   Activate pressed until the refreshed window is idle, against a bare CopyFileW;
//                also with a hand-edited BGruppen.dat among 10,000 further files, which
//                activation compares with the whole folder and keeps
//   scan scale   start-up with 0, 100, 1,000 and 10,000 further BGruppen*.dat files
//   footprint    size of the exe and peak working set after a start with 1,000 further files
//
//   vhbench [runs]            runs per case, 7 by default
//   vhbench runs start-up     only the start-up, in phases
//
// Every run gets a data folder of its own, made just before and removed just after, so that no
// side finds the files warmer than the other. Progress goes to stderr, the table to stdout.
// Each kind of case has a file of its own (StartUp.cpp, Activation.cpp, Scan.cpp); Bench.h
// holds what they share, Waiting.cpp the waiting on windows.
#include "Bench.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace varnholt::bench;

namespace {

constexpr int START_RUNS_FACTOR = 3;

// The first start of each program in a new Wine session loads more than any later one.
void WarmUp() {
    Progress("warming up\n");
    const Installation in("warm-up", 0);
    for (const wchar_t* exe : {L"baseline_window.exe", L"baseline_design.exe", L"varnholt.exe"}) {
        App app;
        StartShown(app, Program(exe),
                   std::wstring(exe) == L"varnholt.exe" ? MAIN_CLASS : BASELINE_CLASS);
        Close(app);
    }
}

struct Activations {
    Activation small, big, crowded, kept;
};

// One refresh: the report's beep and message box, shown and answered (measured on the
// location message, which shows the same and changes nothing).
double MessageMs(const Activations& a) {
    return (a.small.messageShow.Median() + a.big.messageShow.Median()) / 2 +
           (a.small.messageAnswer.Median() + a.big.messageAnswer.Median()) / 2;
}

// The rows of activation: each within 1.5 times the copy and one refresh, which is the message
// plus one run of the start-up procedure, bounded by what Varnholt's start takes beyond a bare
// window with its libraries (from the fastest starts, as the start-up's goals). Returns the
// start-up procedure's part.
double PrintActivationGoals(StartUp& startUp, const Activations& a, const std::vector<Scan>& scans,
                            bool& allMet) {
    const double messageMs = MessageMs(a);
    const double importsMs = startUp.imports().time.Min();
    const double initMs = std::max(0.0, startUp.varnholt().time.Min() - importsMs);
    const double refreshMs = messageMs + initMs;
    PrintActivation(a.small, refreshMs, allMet);
    PrintActivation(a.big, refreshMs, allMet);
    // Among 1,000 further files the refresh rescans them all: one start-up with that folder.
    PrintActivation(a.crowded, messageMs + std::max(0.0, scans[2].startUp.Min() - importsMs),
                    allMet);
    // Among 10,000 further files the refresh rescans them all: one start-up with that folder.
    // Looking for a file that holds BGruppen.dat, and keeping it, must fit in the same allowance.
    PrintActivation(a.kept, messageMs + std::max(0.0, scans[3].startUp.Min() - importsMs), allMet);
    return initMs;
}

// The exe's size against the bare window's, and the peak working set with 1,000 further files.
void PrintFootprintGoals(StartUp& startUp, const std::vector<Scan>& scans, bool& allMet) {
    const Scan& thousand = scans[2];
    const double exeBytes = FileSize(Program(L"varnholt.exe"));
    const double baselineBytes = FileSize(Program(L"baseline_window.exe"));
    const bool sizeMet = exeBytes < 1024.0 * 1024.0;
    const double peak = thousand.peak.Median();
    const double barePeak = startUp.bare().peak.Median();
    const bool peakMet = peak <= 1.15 * barePeak;
    allMet = allMet && sizeMet && peakMet;
    std::printf("| Size of varnholt.exe | %s (%.0f bytes) | bare window %s | %.1fx | < 1 MiB | "
                "%s |\n",
                MiB(exeBytes).c_str(), exeBytes, MiB(baselineBytes).c_str(),
                exeBytes / baselineBytes, Verdict(sizeMet));
    std::printf("| Peak working set, 1,000 further files | %s (%s-%s) | bare window %s | %.2fx | "
                "<= 1.15x | %s |\n",
                MiB(peak).c_str(), MiB(thousand.peak.Min()).c_str(),
                MiB(thousand.peak.Max()).c_str(), MiB(barePeak).c_str(), peak / barePeak,
                Verdict(peakMet));
}

void PrintActivationTable(const Activations& a, double initMs) {
    const double messageMs = MessageMs(a);
    std::printf("\nActivation in parts. \"To message\": Activate pressed until the report shows; "
                "\"refresh\": the report answered until the rebuilt window is idle; \"message\" "
                "and \"answered\": the same for the location message of a double click, which "
                "shows the same beep and box and changes nothing. One refresh is taken as message "
                "+ answered + Varnholt's fastest start beyond the bare window with its libraries' "
                "fastest (%.1f + %.1f = %.1f ms).\n\n",
                messageMs, initMs, messageMs + initMs);
    std::printf(
        "| Variant | CopyFileW | CopyFileW + flush | to message | refresh | total | message "
        "| answered |\n|---|---|---|---|---|---|---|---|\n");
    for (const Activation* activation : {&a.small, &a.big, &a.crowded, &a.kept}) {
        PrintActivationParts(*activation);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    StartClock();
    varnholt::test::InstallationKeys keys;
    if (!keys.refusal().empty()) {
        Fail(keys.refusal());
    }
    g_keys = &keys;
    CreateDirectoryW(varnholt::Widen(BENCH_ROOT).c_str(), nullptr);
    WarmUp();

    Progress("start-up\n");
    // Starts are short: three times the runs, so that the fastest of them is a start with no
    // other work of the machine in its way.
    StartUp startUp = MeasureStartUp(START_RUNS_FACTOR * runs);
    if (argc > 2 && std::string(argv[2]) == "start-up") {
        // Only the start-up, for trying out a change to it.
        PrintStartUpPhases(startUp);
        keys.Clear();
        return 0;
    }
    Progress("activation\n");
    Activations activations;
    activations.small = MeasureActivation(13 * 1024, runs);
    activations.big = MeasureActivation(10 * 1024 * 1024, runs);
    activations.crowded = MeasureActivation(13 * 1024, runs, 1000);
    activations.kept = MeasureActivation(13 * 1024, runs, 10000, true);
    Progress("scan scale\n");
    const std::vector<Scan> scans = MeasureScan({0, 100, 1000, 10000}, runs);

    bool allMet = true;
    std::printf("%d runs per case; times are medians with the spread (min-max) of the runs.\n\n",
                runs);
    std::printf("| Case | Varnholt | Floor | Ratio | Goal | |\n|---|---|---|---|---|---|\n");
    PrintStartUpGoals(startUp, allMet);
    const double initMs = PrintActivationGoals(startUp, activations, scans, allMet);
    PrintScanGoals(scans, allMet);
    PrintFootprintGoals(startUp, scans, allMet);
    PrintScanPerFileGoal(scans, allMet);

    PrintStartUpPhases(startUp);
    PrintActivationTable(activations, initMs);
    PrintScanTable(scans);
    std::printf("\n%s\n",
                allMet ? "All goals met." : "Some goals missed: see the rows marked missed.");
    keys.Clear();
    RemoveDirectoryW(varnholt::Widen(BENCH_ROOT).c_str());
    return 0;
}
