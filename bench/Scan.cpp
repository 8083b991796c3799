// The scan case: start-up with 0 to 10,000 further BGruppen*.dat files, against this harness
// listing the same folder and reading the first 4 KiB of each variant file.
#include "Bench.h"

#include <cstdio>

namespace varnholt::bench {

using namespace drive;
using namespace test;

namespace {

// The floor of a folder scan: what reading every variant's first line takes in this process.
double TimeBareScan(const Installation& in) {
    const double start = NowMs();
    WIN32_FIND_DATAW found;
    int files = 0;
    if (const FindHandle find{FindFirstFileExW((in.data + L"\\BGruppen*.dat").c_str(),
                                               FindExInfoBasic, &found, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH)}) {
        char buffer[4096];
        do {
            const FileHandle file(
                CreateFileW(in.File(found.cFileName).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            if (file) {
                DWORD read = 0;
                ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr);
                ++files;
            }
        } while (FindNextFileW(find.get(), &found));
    }
    if (files < DEMO_ENTRIES) {
        Fail("the bare scan did not find the variant files");
    }
    return NowMs() - start;
}

} // namespace

std::vector<Scan> MeasureScan(const std::vector<int>& counts, int runs) {
    std::vector<Scan> result(counts.size());
    for (std::size_t c = 0; c < counts.size(); ++c) {
        result[c].further = counts[c];
    }
    for (int r = 0; r < runs; ++r) {
        for (Scan& scan : result) {
            const double made = NowMs();
            const Installation in("scan-" + std::to_string(scan.further) + "-" + std::to_string(r),
                                  scan.further);
            const double madeMs = NowMs() - made;
            if (r % 2 == 0) {
                scan.floor.Add(TimeBareScan(in));
            }
            App app;
            scan.startUp.Add(StartShown(app, Program(L"varnholt.exe"), MAIN_CLASS));
            if (ListCount(app.main) != DEMO_ENTRIES + scan.further) {
                Kill(app);
                Fail("Varnholt's list does not show every further variant");
            }
            scan.peak.Add(PeakWorkingSet(app.process.dwProcessId));
            Close(app);
            if (r % 2 == 1) {
                scan.floor.Add(TimeBareScan(in));
            }
            Progress("  scan of %d further files, run %d/%d (folder made in %.0f ms)\n",
                     scan.further, r + 1, runs, madeMs);
        }
    }
    return result;
}

// The cost of each further variant file at 10,000 of them, against the floor's: from the fastest
// runs, as the start-up's goals, with the medians' beside it.
void PrintScanPerFileGoal(const std::vector<Scan>& scans, bool& allMet) {
    const Scan& none = scans.front();
    const Scan& most = scans.back();
    const double files = most.further / 1000.0; // microseconds per file from milliseconds
    const double perFile = (most.startUp.Min() - none.startUp.Min()) / files;
    const double floorPerFile = (most.floor.Min() - none.floor.Min()) / files;
    const double medianPerFile = (most.startUp.Median() - none.startUp.Median()) / files;
    const double medianFloorPerFile = (most.floor.Median() - none.floor.Median()) / files;
    const double ratio = perFile / floorPerFile;
    const bool met = ratio <= 1.1;
    allMet = allMet && met;
    std::printf("| Scan, cost per further file at %d files | fastest %.1f us, median %.1f us | "
                "floor fastest %.1f us, median %.1f us | %.2fx (medians %.2fx) | <= 1.1x | %s |\n",
                most.further, perFile, medianPerFile, floorPerFile, medianFloorPerFile, ratio,
                medianPerFile / medianFloorPerFile, Verdict(met));
}

// The growth from 1,000 to 10,000 further files, and what 10,000 add to a start.
void PrintScanGoals(const std::vector<Scan>& scans, bool& allMet) {
    const Scan& none = scans[0];
    const Scan& thousand = scans[2];
    const Scan& tenThousand = scans[3];
    const double t0 = none.startUp.Median();
    const double extra1k = thousand.startUp.Median() - t0;
    const double extra10k = tenThousand.startUp.Median() - t0;
    const double growth = extra10k / extra1k;
    const bool flatMet = growth <= 12.0;
    const bool withinMet = extra10k <= 3000.0;
    allMet = allMet && flatMet && withinMet;
    std::printf("| Scan, 10,000 against 1,000 further files | %s | %s | %.2fx the extra time "
                "(%.2fx the start-up) | <= 12x | %s |\n",
                Ms(tenThousand.startUp).c_str(), Ms(thousand.startUp).c_str(), growth,
                tenThousand.startUp.Median() / thousand.startUp.Median(), Verdict(flatMet));
    std::printf("| Scan, 10,000 further files against none | %s | %s | +%.0f ms | <= +3000 ms | "
                "%s |\n",
                Ms(tenThousand.startUp).c_str(), Ms(none.startUp).c_str(), extra10k,
                Verdict(withinMet));
}

void PrintScanTable(const std::vector<Scan>& scans) {
    const Scan& none = scans[0];
    const double t0 = none.startUp.Median();
    std::printf("\nStart-up by the number of further BGruppen*.dat files. Floor: this harness "
                "listing the same folder and reading the first 4 KiB of each variant file.\n\n");
    std::printf("| Further files | Start-up | Over the empty folder | Per file | Floor | Floor "
                "per file | Peak working set |\n|---|---|---|---|---|---|---|\n");
    for (const Scan& scan : scans) {
        const double extra = scan.startUp.Median() - t0;
        const double floorExtra = scan.floor.Median() - none.floor.Median();
        std::printf(
            "| %d | %s | %+.1f ms | %s | %s | %s | %s |\n", scan.further, Ms(scan.startUp).c_str(),
            extra,
            scan.further > 0 ? Format("%.1f us", extra * 1000.0 / scan.further).c_str() : "-",
            Ms(scan.floor).c_str(),
            scan.further > 0 ? Format("%.1f us", floorExtra * 1000.0 / scan.further).c_str() : "-",
            MiB(scan.peak.Median()).c_str());
    }
}

} // namespace varnholt::bench
