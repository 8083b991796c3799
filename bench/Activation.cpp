// The activation case: Activate pressed until the refreshed window is idle, against a bare
// CopyFileW of the same file; also among further files and with a hand-edited BGruppen.dat.
#include "Bench.h"

#include <cstdio>

namespace varnholt::bench {

using namespace drive;
using namespace test;

namespace {

void TimeBareCopies(const Installation& in, Activation& result) {
    const std::wstring source = in.File(BIG_FILE);
    const std::wstring copy = in.File(L"BGruppen.copy.tmp");
    const std::wstring flushed = in.File(L"BGruppen.flushed.tmp");
    double start = NowMs();
    if (!CopyFileW(source.c_str(), copy.c_str(), FALSE)) {
        Fail("CopyFileW failed");
    }
    result.copy.Add(NowMs() - start);

    start = NowMs();
    if (!CopyFileW(source.c_str(), flushed.c_str(), FALSE)) {
        Fail("CopyFileW failed");
    }
    {
        const FileHandle file(CreateFileW(flushed.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !FlushFileBuffers(file.get())) {
            Fail("cannot flush the copy");
        }
    }
    result.copyFlushed.Add(NowMs() - start);
    DeleteFileW(copy.c_str());
    DeleteFileW(flushed.c_str());
}

// Activates the big variant in the started Varnholt `app` and notes the times.
void TimeActivation(App& app, const std::string& content, const Installation& in,
                    Activation& result) {
    HWND main = app.main;
    const int index = ListIndexOf(main, Narrow(BIG_FILE));
    if (index < 0) {
        Kill(app);
        Fail("the big variant is not in Varnholt's list");
    }
    Select(main, index);
    Settle(main, WAIT_MS);
    if (!IsWindowEnabled(ControlOf(main, Ctl::btnActivate))) {
        Kill(app);
        Fail("Activate is disabled for the big variant");
    }

    // A message box of the window on its own: the location message shows the same beep and
    // box as the report of an activation, and changes nothing.
    double start = NowMs();
    DoubleClickList(main);
    HWND dialog = WaitForDialog(app);
    result.messageShow.Add(NowMs() - start);
    start = NowMs();
    DismissAndSettle(dialog, main);
    result.messageAnswer.Add(NowMs() - start);

    start = NowMs();
    Click(main, Ctl::btnActivate);
    dialog = WaitForDialog(app);
    const double toMessage = NowMs() - start;
    Box box;
    if (!FindBox(app.process.dwProcessId, box) ||
        box.text.find("is copied as current") == std::string::npos) {
        Kill(app);
        Fail("activation did not report success: " + box.text);
    }
    if ((box.text.find("It was saved as") != std::string::npos) != result.handEdited) {
        Kill(app);
        Fail(result.handEdited ? "activation did not keep the hand-edited BGruppen.dat"
                               : "activation kept a BGruppen.dat that another file holds");
    }
    // The time the harness takes to notice the box and read it is not Varnholt's.
    start = NowMs();
    DismissAndSettle(dialog, main);
    const double refresh = NowMs() - start;
    result.toMessage.Add(toMessage);
    result.refresh.Add(refresh);
    result.total.Add(toMessage + refresh);

    if (ReadFileBytes(in.File(L"BGruppen.dat")) != content) {
        Kill(app);
        Fail("BGruppen.dat does not hold the activated variant");
    }
    if (Text(ControlOf(main, Ctl::lblCurrDAT)) != "Another BGruppen.dat file") {
        Kill(app);
        Fail("the window was not refreshed after the activation");
    }
}

// "13 KiB", "10 MiB".
std::string SizeText(std::size_t bytes) {
    return bytes >= 1024 * 1024 ? Format("%zu MiB", bytes / (1024 * 1024))
                                : Format("%zu KiB", bytes / 1024);
}

} // namespace

Activation MeasureActivation(std::size_t bytes, int runs, int further, bool handEdited) {
    Activation result;
    result.bytes = bytes;
    result.further = further;
    result.handEdited = handEdited;
    const std::string content = SizedFile("Big variant", bytes);
    for (int r = 0; r < runs; ++r) {
        const Installation in("activate-" + std::to_string(bytes) + "-" + std::to_string(further) +
                                  "-" + std::to_string(r),
                              further);
        WriteOrFail(in.File(BIG_FILE), content);
        if (handEdited) {
            WriteOrFail(in.File(L"BGruppen.dat"), SizedFile("Classic, edited by hand", 7777));
        }
        if (r % 2 == 0) {
            TimeBareCopies(in, result);
        }
        App app;
        StartShown(app, Program(L"varnholt.exe"), MAIN_CLASS);
        TimeActivation(app, content, in, result);
        Close(app);
        if (r % 2 == 1) {
            TimeBareCopies(in, result);
        }
        Progress("  activation of %zu bytes, run %d/%d\n", bytes, r + 1, runs);
    }
    return result;
}

void PrintActivation(const Activation& a, double refreshMs, bool& allMet) {
    const double floorMs = a.copy.Median();
    const double allowed = 1.5 * floorMs + refreshMs;
    const bool met = a.total.Median() <= allowed;
    allMet = allMet && met;
    // The file work alone: until the report shows, less what showing a message box takes.
    const double fileWork = a.toMessage.Median() - a.messageShow.Median();
    const std::string size = SizeText(a.bytes);
    std::string among = a.further > 0 ? Format(" among %d further files", a.further) : "";
    if (a.handEdited) {
        among += ", BGruppen.dat hand-edited and kept";
    }
    std::printf("| Activation, %s variant%s | %s | copy %s + one refresh %.1f ms | %.2fx the "
                "allowance; file work %.1f ms = %.2fx copy | <= 1.5x copy + one refresh (%.1f "
                "ms) | %s |\n",
                size.c_str(), among.c_str(), Ms(a.total).c_str(), Ms(a.copy).c_str(), refreshMs,
                a.total.Median() / allowed, fileWork, fileWork / floorMs, allowed, Verdict(met));
}

void PrintActivationParts(const Activation& a) {
    std::string size = SizeText(a.bytes);
    if (a.further > 0) {
        size += Format(", %d further files", a.further);
    }
    if (a.handEdited) {
        size += ", kept";
    }
    std::printf("| %s | %s | %s | %s | %s | %s | %s | %s |\n", size.c_str(), Ms(a.copy).c_str(),
                Ms(a.copyFlushed).c_str(), Ms(a.toMessage).c_str(), Ms(a.refresh).c_str(),
                Ms(a.total).c_str(), Ms(a.messageShow).c_str(), Ms(a.messageAnswer).c_str());
}

} // namespace varnholt::bench
