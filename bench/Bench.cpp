// The benchmark's shared helpers: clock, statistics, formatting and installations.
#include "Bench.h"

#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace varnholt::bench {

using namespace drive;
using namespace test;

const wchar_t MAIN_CLASS[] = L"frmVarnholt";
const wchar_t BASELINE_CLASS[] = L"VhBaselineWindow";
const char BENCH_ROOT[] = "C:\\vhbench";
const wchar_t BIG_FILE[] = L"BGruppen_Big.dat";
const int DEMO_ENTRIES = static_cast<int>(std::size(DEMO_FILES));

InstallationKeys* g_keys = nullptr;

namespace {

double g_ticksPerMs = 1.0;

// The game's key as its installer writes it, and Varnholt's settings after its first run: the
// backup made, and the data folder chosen.
void WriteKeys(const std::wstring& game, const std::wstring& data) {
    g_keys->Clear();
    if (!g_keys->WriteGameKey(game) || !g_keys->WriteSetting(L"FirstRun", L"1") ||
        !g_keys->WriteSetting(L"DATPath", data + L"\\")) {
        Fail("cannot write the registry keys");
    }
}

} // namespace

void StartClock() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
}

double NowMs() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / g_ticksPerMs;
}

void Progress(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "vhbench: %s\n", what.c_str());
    std::exit(1);
}

std::size_t Stats::MinIndex() const {
    return static_cast<std::size_t>(std::min_element(values_.begin(), values_.end()) -
                                    values_.begin());
}

double Stats::Median() const {
    if (values_.empty()) {
        return 0;
    }
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t mid = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

double Stats::Min() const {
    return *std::min_element(values_.begin(), values_.end());
}

double Stats::Max() const {
    return *std::max_element(values_.begin(), values_.end());
}

std::string Format(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string Ms(const Stats& s) {
    return Format("%.1f ms (%.1f-%.1f)", s.Median(), s.Min(), s.Max());
}

std::string MiB(double bytes) {
    return Format("%.2f MiB", bytes / (1024.0 * 1024.0));
}

const char* Verdict(bool met) {
    return met ? "met" : "**missed**";
}

std::string SizedFile(const std::string& marker, std::size_t bytes) {
    std::string text = ";" + marker + "\r\n";
    text.reserve(bytes + 64);
    for (int i = 0; text.size() < bytes; ++i) {
        text += "Gruppe " + std::to_string(i) + " = " + std::to_string((i * 37) % 97) + "\r\n";
    }
    text.resize(bytes);
    return text;
}

void WriteOrFail(const std::wstring& path, const std::string& bytes) {
    if (!WriteFileBytes(path, bytes)) {
        Fail("cannot write " + Narrow(path));
    }
}

Installation::Installation(const std::string& name, int further) : root(name, BENCH_ROOT) {
    if (!root.created() || !CreateDirectoryW(game.c_str(), nullptr) ||
        !CreateDirectoryW(data.c_str(), nullptr) || !WriteDemoFiles(data)) {
        Fail("cannot make the installation " + root.path());
    }
    for (int i = 0; i < further; ++i) {
        WriteOrFail(File(L"BGruppen_" + std::to_wstring(i) + L".dat"),
                    ";Variant " + std::to_string(i) + "\r\nGruppe 1 = " + std::to_string(i % 97) +
                        "\r\n");
    }
    WriteKeys(game, data);
}

double FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        Fail("cannot read the size of " + Narrow(path));
    }
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                               data.nFileSizeLow);
}

std::wstring Program(const wchar_t* name) {
    return ExeFolder() + name;
}

double PeakWorkingSet(DWORD pid) {
    const KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) {
        Fail("cannot open the process to read its memory counters");
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) {
        Fail("cannot read the process's memory counters");
    }
    return static_cast<double>(counters.PeakWorkingSetSize);
}

int ListCount(HWND main) {
    return static_cast<int>(SendMessageW(ControlOf(main, Ctl::lstDATs), LB_GETCOUNT, 0, 0));
}

int ListIndexOf(HWND main, const std::string& part) {
    const std::vector<std::string> items = ListItems(main);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].find(part) != std::string::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace varnholt::bench
