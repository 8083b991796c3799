// What the benchmark's cases share: the clock, progress and failure, the statistics of runs and
// their formatting, the fresh installations each run gets, and the waiting on windows.
#pragma once

#include "tests/driver/Driver.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace varnholt::bench {

using drive::App;

constexpr DWORD WAIT_MS = 120000;
extern const wchar_t MAIN_CLASS[];
extern const wchar_t BASELINE_CLASS[];
extern const char BENCH_ROOT[];
extern const wchar_t BIG_FILE[];
// The demo's five variant files beside BGruppen.dat: the catalogue's four and one further.
extern const int DEMO_ENTRIES;

// Reads the performance counter's frequency; before the first NowMs.
void StartClock();
// Milliseconds on the performance counter.
double NowMs();
void Progress(const char* format, ...);
[[noreturn]] void Fail(const std::string& what);

class Stats {
  public:
    void Add(double value) { values_.push_back(value); }
    bool Empty() const { return values_.empty(); }
    std::size_t Count() const { return values_.size(); }
    double At(std::size_t i) const { return values_[i]; }
    // Where the smallest value was added.
    std::size_t MinIndex() const;
    double Median() const;
    double Min() const;
    double Max() const;

  private:
    std::vector<double> values_;
};

std::string Format(const char* format, ...);
// "123.4 ms (110.2-140.9)": the median and the spread of the runs.
std::string Ms(const Stats& s);
std::string MiB(double bytes);
const char* Verdict(bool met);

// The game's key and Varnholt's settings, written only in the project's own Wine prefix.
extern test::InstallationKeys* g_keys;

// A synthetic group table of exactly `bytes` bytes.
std::string SizedFile(const std::string& marker, std::size_t bytes);
void WriteOrFail(const std::wstring& path, const std::string& bytes);

// A fresh installation below the benchmark's folder, removed with everything in it at the end:
// the demo's data folder with `further` more variant files, and the keys.
struct Installation {
    Installation(const std::string& name, int further);
    test::TempFolder root;
    std::wstring game = drive::Widen(root / "ANNO 1503");
    std::wstring data = game + L"\\Data";
    std::wstring File(const std::wstring& name) const { return data + L"\\" + name; }
};

double FileSize(const std::wstring& path);
std::wstring Program(const wchar_t* name);
double PeakWorkingSet(DWORD pid);
int ListCount(HWND main);
int ListIndexOf(HWND main, const std::string& part);

// Waiting on windows (Waiting.cpp) -----------------------------------------------------------

// What a poll of a starting program answers: the milliseconds its start took once it is done,
// KEEP_POLLING, or GIVE_UP.
constexpr double KEEP_POLLING = -1;
constexpr double GIVE_UP = -2;
// Starts the program and polls it every millisecond with the start's time until the poll
// answers its start's milliseconds; fails when the program ends first, or gives up.
double StartPolled(App& app, const std::wstring& exe, const std::function<double(double)>& poll);
// Starts the program and waits until its window is visible and has handled everything sent to
// it. Returns the milliseconds from the start of the process.
double StartShown(App& app, const std::wstring& exe, const wchar_t* windowClass);
// Any window of the class of the process, visible or not.
HWND AnyWindowOf(DWORD pid, const wchar_t* windowClass);
void Close(App& app);
// Waits, polling every millisecond, for a message box of the process.
HWND WaitForDialog(App& app);
// Presses OK on the message box and waits until the window behind it is idle again.
void DismissAndSettle(HWND dialog, HWND main);

// The cases -----------------------------------------------------------------------------------

// How long a started program took for each phase of its start, in milliseconds: until its main
// window exists (the process loaded, its resources and fonts made, the window created hidden),
// until the last control of the design exists, until the window is shown (for Varnholt: its
// start-up procedure), and until it is idle (shown, painted and waiting for input).
struct Phases {
    Stats window, controls, procedure, painting;
};

// One program of the start-up comparison.
struct StartedProgram {
    StartedProgram(const char* name_, const wchar_t* exe_, const wchar_t* windowClass_,
                   bool controls_)
        : name(name_), exe(exe_), windowClass(windowClass_), controls(controls_) {}
    const char* name;
    const wchar_t* exe;
    const wchar_t* windowClass;
    bool controls; // has the design's controls
    Stats time, peak;
    Phases phases;
};

struct StartUp {
    StartedProgram programs[4] = {
        {"bare window", L"baseline_window.exe", BASELINE_CLASS, false},
        {"bare window with Varnholt's libraries", L"baseline_imports.exe", BASELINE_CLASS, false},
        {"design baseline: the window with its controls, tool tips, fonts and picture",
         L"baseline_design.exe", BASELINE_CLASS, true},
        {"varnholt.exe (demo folder)", L"varnholt.exe", MAIN_CLASS, true},
    };
    StartedProgram& bare() { return programs[0]; }
    StartedProgram& imports() { return programs[1]; }
    StartedProgram& design() { return programs[2]; }
    StartedProgram& varnholt() { return programs[3]; }
};

StartUp MeasureStartUp(int runs);
void PrintStartUpGoals(StartUp& startUp, bool& allMet);
void PrintStartUpPhases(StartUp& startUp);

struct Activation {
    std::size_t bytes = 0;
    int further = 0;          // further variant files in the folder, rescanned by the refresh
    bool handEdited = false;  // BGruppen.dat matches no file of the folder, so it is kept
    Stats copy, copyFlushed;  // the floor: CopyFileW, and CopyFileW with the copy flushed
    Stats total;              // Activate pressed until the refreshed window is idle
    Stats toMessage, refresh; // its two parts: until the report shows, after it is answered
    Stats messageShow;        // a message box of the window alone (the location message)
    Stats messageAnswer;      // and from answering it until the window is idle
};

Activation MeasureActivation(std::size_t bytes, int runs, int further = 0, bool handEdited = false);
void PrintActivation(const Activation& a, double refreshMs, bool& allMet);
void PrintActivationParts(const Activation& a);

struct Scan {
    int further = 0;
    Stats startUp;
    Stats peak;
    Stats floor; // listing the folder and reading each variant's first 4 KiB, nothing else
};

std::vector<Scan> MeasureScan(const std::vector<int>& counts, int runs);
void PrintScanGoals(const std::vector<Scan>& scans, bool& allMet);
void PrintScanPerFileGoal(const std::vector<Scan>& scans, bool& allMet);
void PrintScanTable(const std::vector<Scan>& scans);

} // namespace varnholt::bench
