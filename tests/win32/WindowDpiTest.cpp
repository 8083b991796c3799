// The main window at the screen's resolution, as run-at-dpi starts it at 96, 120, 144 and 192
// dots per inch (VARNHOLT_TEST_DPI) under Wine's own Tahoma: the client area, every control's
// rectangle, the fonts, the list's rows, the background, the icons and cursor, all against the
// design scaled; every caption whole; and a new layout when the window changes screens.
// With VARNHOLT_TEST_LANGUAGE=de the window shows the German of a German display language
// (under Wine: LANG=de_DE.UTF-8), else English. With VARNHOLT_SCREENSHOTS set, the window is
// saved there as window-<dpi>.bmp, in German as window-de-<dpi>.bmp.
#include "app/Dpi.h"
#include "app/frmVarnholt.h"
#include "core/FormLogic.h"
#include "platform/ResourceTexts.h"
#include "tests/driver/Driver.h"
#include "tests/win32/WindowFakes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

using namespace varnholt;
using namespace varnholt::test;

namespace {

bool GermanWanted() {
    const char* value = std::getenv("VARNHOLT_TEST_LANGUAGE");
    return value != nullptr && std::string(value) == "de";
}

int ExpectedDpi() {
    const char* value = std::getenv("VARNHOLT_TEST_DPI");
    return value != nullptr ? std::atoi(value) : 0;
}

// The design's length at `dpi`, as the window must show it: twips times dpi / 1440.
int Scaled(int designPixels, int dpi) {
    return MulDiv(designPixels, dpi, 96);
}

// Expects a length within one pixel of rounding.
#define EXPECT_PIXELS(actual, expected) EXPECT_LE(std::abs((actual) - (expected)), 1)

class WindowAtDpi : public ::testing::Test {
  protected:
    using Window = OpenedWindow<GameRegistry, DemoFiles>;
    static void SetUpTestSuite() {
        if (GermanWanted()) {
            skip_ = GermanDisplayMissing();
            if (!skip_.empty()) {
                return;
            }
        }
        // German as the program chooses it, from the display language.
        texts_.reset(new ScopedTexts(GetModuleHandleW(nullptr),
                                     GermanWanted() ? DisplayLanguage() : Language::English));
        window_.reset(new Window(std::map<std::string, std::string>{{"FirstRun", "1"}}));
        ASSERT_TRUE(window_->Open());
        const char* folder = std::getenv("VARNHOLT_SCREENSHOTS");
        if (folder != nullptr && *folder != '\0') {
            CreateDirectoryW(drive::Widen(folder).c_str(), nullptr);
            SaveScreenshot(window_->form.Handle(),
                           std::string(folder) + (GermanWanted() ? "\\window-de-" : "\\window-") +
                               std::to_string(window_->form.Dpi()) + ".bmp");
        }
    }
    static void TearDownTestSuite() {
        window_.reset();
        texts_.reset();
    }
    void SetUp() override {
        if (!skip_.empty()) {
            GTEST_SKIP() << skip_;
        }
    }
    HWND Main() const { return window_->form.Handle(); }
    HWND Control(Ctl c) const { return drive::ControlOf(Main(), c); }
    int Dpi() const { return window_->form.Dpi(); }

    // Checks every control's rectangle, font and list rows against the design at `dpi`.
    void ExpectLaidOutAt(int dpi) {
        for (const ControlDesign& d : DESIGN) {
            SCOPED_TRACE(d.name);
            HWND c = Control(d.id);
            const RECT rc = RectIn(c, Main());
            EXPECT_PIXELS(rc.left, Scaled(d.left, dpi));
            EXPECT_PIXELS(rc.top, Scaled(d.top, dpi));
            EXPECT_PIXELS(rc.right - rc.left, Scaled(d.width, dpi));
            const LOGFONTW lf = FontOf(c);
            EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
            EXPECT_EQ(lf.lfHeight, -MulDiv(825, dpi, 7200)); // 8.25 points
            EXPECT_EQ(lf.lfWeight, d.font == FontStyle::Window ? FW_NORMAL : FW_BOLD);
            EXPECT_EQ(lf.lfUnderline != 0, d.font == FontStyle::BoldUnderline);
            if (d.kind != Kind::List) {
                EXPECT_PIXELS(rc.bottom - rc.top, Scaled(d.height, dpi));
                continue;
            }
            // Whole rows of its own font: the scaled height rounded down to a row.
            const int row = static_cast<int>(SendMessageW(c, LB_GETITEMHEIGHT, 0, 0));
            RECT inner;
            GetClientRect(c, &inner);
            const int frame = (rc.bottom - rc.top) - inner.bottom;
            EXPECT_EQ(inner.bottom % row, 0) << "rows of " << row << " in " << inner.bottom;
            EXPECT_LE(rc.bottom - rc.top, Scaled(d.height, dpi) + 1);
            EXPECT_GT(rc.bottom - rc.top + row, Scaled(d.height, dpi));
            EXPECT_EQ(inner.bottom / row, (Scaled(d.height, dpi) - frame) / row);
            std::printf("[ dpi %d ] list %dx%d, %d rows of %d pixels visible, font %d\n", dpi,
                        static_cast<int>(rc.right - rc.left), static_cast<int>(rc.bottom - rc.top),
                        static_cast<int>(inner.bottom / row), row, static_cast<int>(lf.lfHeight));
        }
    }

    static std::unique_ptr<Window> window_;
    static std::unique_ptr<ScopedTexts> texts_;
    // Why the German window cannot be tested here; empty when it can, or in English.
    static std::string skip_;
};

std::unique_ptr<WindowAtDpi::Window> WindowAtDpi::window_;
std::unique_ptr<ScopedTexts> WindowAtDpi::texts_;
std::string WindowAtDpi::skip_;

} // namespace

TEST_F(WindowAtDpi, RunsPerMonitorAwareAtTheScreensResolution) {
    using GetContextFn = HANDLE(WINAPI*)();
    using AwarenessFn = int(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto context = reinterpret_cast<GetContextFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<AwarenessFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_NE(context, nullptr);
    ASSERT_NE(awareness, nullptr);
    EXPECT_EQ(awareness(context()), 2); // DPI_AWARENESS_PER_MONITOR_AWARE
    EXPECT_EQ(Dpi(), DpiOfWindow(Main()));
    if (ExpectedDpi() != 0) {
        EXPECT_EQ(Dpi(), ExpectedDpi()) << "the prefix's LogPixels did not take";
    }
    EXPECT_EQ(ShownLanguage(), GermanWanted() ? Language::German : Language::English);
    EXPECT_EQ(drive::Text(Control(Ctl::btnDone)), Text(IDS_DONE));
}

TEST_F(WindowAtDpi, ClientAreaAndControlsAreTheDesignScaled) {
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_PIXELS(client.right, Scaled(CLIENT_WIDTH, Dpi()));
    EXPECT_PIXELS(client.bottom, Scaled(CLIENT_HEIGHT, Dpi()));
    std::printf("[ dpi %d ] client area %dx%d\n", Dpi(), static_cast<int>(client.right),
                static_cast<int>(client.bottom));
    ExpectLaidOutAt(Dpi());
}

TEST_F(WindowAtDpi, ListScrollBarHasTheSystemsWidthBesideTheRows) {
    HWND list = Control(Ctl::lstDATs);
    const LRESULT before = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < 12; ++i) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"extra"));
    }
    RECT outer, inner;
    GetWindowRect(list, &outer);
    GetClientRect(list, &inner);
    const int edge = SystemMetricAtDpi(SM_CXEDGE, Dpi());
    EXPECT_PIXELS(inner.right,
                  (outer.right - outer.left) - 2 * edge - SystemMetricAtDpi(SM_CXVSCROLL, Dpi()));
    while (SendMessageW(list, LB_GETCOUNT, 0, 0) > before) {
        SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(before), 0);
    }
}

TEST_F(WindowAtDpi, BackgroundCoversTheClientAreaScaledSmoothly) {
    const RedrawnWindow drawn(Main());
    ASSERT_TRUE(drawn.loaded());
    HDC memory = drawn.picture();
    HDC screen = drawn.screen();
    RECT client;
    GetClientRect(Main(), &client);

    // Each spot shows the picture's colour at the matching place of the design: within the
    // range of the four picture pixels around it. The corners and edges show that it covers
    // the whole client area.
    const double toDesign = 96.0 / Dpi();
    int checked = 0;
    for (POINT p :
         {POINT{5, 5}, POINT{client.right - 1, client.bottom - 1}, POINT{client.right - 1, 3},
          POINT{2, client.bottom - 1}, POINT{Scaled(400, Dpi()), Scaled(100, Dpi())},
          POINT{Scaled(300, Dpi()), client.bottom - 2}}) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        const COLORREF shown = GetPixel(screen, p.x, p.y);
        const double u = (p.x + 0.5) * toDesign - 0.5, v = (p.y + 0.5) * toDesign - 0.5;
        int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
        for (int dy = 0; dy <= 1; ++dy) {
            for (int dx = 0; dx <= 1; ++dx) {
                const int x = std::min(std::max(static_cast<int>(u) + dx, 0), 639);
                const int y = std::min(std::max(static_cast<int>(v) + dy, 0), 523);
                const COLORREF c = GetPixel(memory, x, y);
                const int channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
                for (int k = 0; k < 3; ++k) {
                    low[k] = std::min(low[k], channels[k]);
                    high[k] = std::max(high[k], channels[k]);
                }
            }
        }
        const int channels[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
        for (int k = 0; k < 3; ++k) {
            EXPECT_GE(channels[k], low[k] - 1);
            EXPECT_LE(channels[k], high[k] + 1);
        }
        ++checked;
    }
    EXPECT_EQ(checked, 6);

    // Smooth, not blocky: an enlarged picture whose pixels were repeated would add to the
    // picture's own equal neighbours a share of 1 - 96 / dpi repeated ones (a fifth at 120
    // dots per inch, half at 192). Smoothly scaled, at most half of that share is added.
    if (Dpi() > 96) {
        auto equalShare = [](HDC dc, int left, int top, int width, int height) {
            int equal = 0;
            for (int y = top; y < top + height; ++y) {
                for (int x = left; x < left + width; ++x) {
                    equal += GetPixel(dc, x, y) == GetPixel(dc, x + 1, y) ? 1 : 0;
                }
            }
            return static_cast<double>(equal) / (width * height);
        };
        // A free spot right of the list, in the picture and on the screen.
        const double own = equalShare(memory, 505, 170, 100, 40);
        const double shown =
            equalShare(screen, Scaled(505, Dpi()), Scaled(170, Dpi()), Scaled(100, Dpi()), 20);
        const double repeated = 1.0 - 96.0 / Dpi();
        EXPECT_LT(shown, own + (1.0 - own) * repeated / 2)
            << "picture " << own << ", screen " << shown;
    }
}

TEST_F(WindowAtDpi, IconsFolderPictureAndCursorHaveTheSizeTheSystemAsksFor) {
    const int big = SystemMetricAtDpi(SM_CXICON, Dpi());
    const int small = SystemMetricAtDpi(SM_CXSMICON, Dpi());
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(SendMessageW(Main(), WM_GETICON, ICON_BIG, 0))),
              big);
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0))),
              small);
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(GetClassLongPtrW(Main(), GCLP_HICON))), big);
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(
                  SendMessageW(Control(Ctl::btnChooseDir), BM_GETIMAGE, IMAGE_ICON, 0))),
              small);

    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    SendMessageW(Main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(Ctl::lblCR)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    POINT hot = {};
    const int cursor = IconWidth(GetCursor(), &hot);
    SetCursor(arrow);
    EXPECT_EQ(cursor, SystemMetricAtDpi(SM_CXCURSOR, Dpi()));
    // The fingertip: x 5 of 32, at the top.
    EXPECT_PIXELS(hot.x, cursor * 5 / 32);
    EXPECT_LE(hot.y, 1);
    std::printf("[ dpi %d ] icons %d and %d, folder picture %d, cursor %d (hot spot %d,%d)\n",
                Dpi(), big, small, small, cursor, static_cast<int>(hot.x), static_cast<int>(hot.y));
}

// Under Wine's own Tahoma, no caption is cut: each label's caption, measured in the font the
// label draws it in, fits the label's width and lines, and the font is the design's wherever
// that fits, else one just narrow enough and never below four fifths of the normal width.
TEST_F(WindowAtDpi, NoCaptionIsCut) {
    // What start-up wrote, and every other text the program writes into these labels.
    std::map<Ctl, std::vector<std::string>> captions;
    for (const ControlDesign& d : DESIGN) {
        if (d.kind == Kind::Label) {
            captions[d.id].push_back(drive::Text(Control(d.id)));
        }
    }
    for (const std::string& text : CatalogueDescr()) {
        captions[Ctl::lblCurrDAT].push_back(text);
    }
    captions[Ctl::lblCurrDAT].push_back(Text(IDS_IDENT_ORIGINAL));
    captions[Ctl::lblCurrDAT].push_back(Text(IDS_IDENT_OTHER));
    captions[Ctl::lblCurrDAT].push_back(Text(IDS_IDENT_MISSING));
    captions[Ctl::lblHint].push_back(Text(IDS_HINT_FITS));
    captions[Ctl::lblHint].push_back(Text(IDS_HINT_DOES_NOT_FIT));
    captions[Ctl::lblANNOVers].push_back("1.04/English");

    int narrowed = 0;
    for (const auto& entry : captions) {
        const ControlDesign& d = DESIGN[static_cast<int>(entry.first)];
        HWND label = Control(d.id);
        const std::string original = drive::Text(label);
        const RECT rc = RectIn(label, Main());
        const int width = rc.right - rc.left, height = rc.bottom - rc.top;
        for (const std::string& text : entry.second) {
            SCOPED_TRACE(std::string(d.name) + ": " + text);
            window_->form.SetCaption(d.id, text);
            const std::wstring wide = drive::Widen(text);
            HFONT used = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            const Needs needs = Measure(used, wide, width);
            EXPECT_EQ(needs.face, L"Tahoma") << "not under Wine's own Tahoma";
            EXPECT_LE(needs.width, width);
            EXPECT_LE(needs.height, height);
            EXPECT_LE(needs.lines, LinesOf(wide));

            LOGFONTW lf = FontOf(label);
            if (lf.lfWidth != 0) {
                ++narrowed;
                std::printf("[ dpi %d ] %s narrowed to width %d: %s\n", Dpi(), d.name,
                            static_cast<int>(lf.lfWidth), text.c_str());
                // Narrowed because the design's font does not fit, and just enough.
                lf.lfWidth = 0;
                const GdiObject<HFONT> design(CreateFontIndirectW(&lf));
                const Needs normal = Measure(design.get(), wide, width);
                EXPECT_TRUE(normal.width > width || normal.height > height ||
                            normal.lines > LinesOf(wide));
                EXPECT_GE(FontOf(label).lfWidth * 5, normal.averageWidth * 4);
                lf.lfWidth = FontOf(label).lfWidth + 1;
                if (lf.lfWidth < normal.averageWidth) {
                    const GdiObject<HFONT> wider(CreateFontIndirectW(&lf));
                    const Needs more = Measure(wider.get(), wide, width);
                    EXPECT_TRUE(more.width > width || more.height > height ||
                                more.lines > LinesOf(wide));
                }
            }
        }
        window_->form.SetCaption(d.id, original);
    }
    std::printf("[ dpi %d ] %d captions drawn narrower\n", Dpi(), narrowed);
}

// Every button's caption fits its face within the frame's edges, Activate with each entry of
// the catalogue.
TEST_F(WindowAtDpi, NoButtonCaptionIsCut) {
    std::vector<std::pair<Ctl, std::string>> captions = {
        {Ctl::btnANNOStart, drive::Text(Control(Ctl::btnANNOStart))},
        {Ctl::btnView, drive::Text(Control(Ctl::btnView))},
        {Ctl::btnDone, drive::Text(Control(Ctl::btnDone))}};
    for (const std::string& entry : CatalogueDescr()) {
        captions.emplace_back(Ctl::btnActivate, Text(IDS_ACTIVATE_ENTRY, {entry}));
    }
    const int margin = 2 * 2 * SystemMetricAtDpi(SM_CXEDGE, Dpi());
    for (const auto& [control, text] : captions) {
        SCOPED_TRACE(text);
        HWND button = Control(control);
        const RECT rc = RectIn(button, Main());
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
        const Needs needs = Measure(font, drive::Widen(text), 10000);
        EXPECT_EQ(needs.lines, 1);
        EXPECT_LE(needs.width + margin, rc.right - rc.left);
        std::printf("[ dpi %d ] %s needs %d of %d pixels\n", Dpi(), text.c_str(),
                    needs.width + margin, static_cast<int>(rc.right - rc.left));
    }
}

TEST_F(WindowAtDpi, CaptionTooLongEvenNarrowedIsDrawnAsBefore) {
    HWND label = Control(Ctl::lblDATPath);
    const std::string original = drive::Text(label);
    window_->form.SetCaption(Ctl::lblDATPath,
                             "D:\\Spiele\\Sunflowers Interactive\\ANNO 1503 Koenigs-Edition mit "
                             "allen Erweiterungen\\Data\\");
    EXPECT_EQ(FontOf(label).lfWidth, 0);
    window_->form.SetCaption(Ctl::lblDATPath, original);
}

// Moved to a screen with another resolution, the window lays itself out anew from the design,
// and back again without drift.
TEST_F(WindowAtDpi, LaysItselfOutAgainOnAnotherScreen) {
    const int original = Dpi();
    for (int dpi : {original == 144 ? 120 : 144, original}) {
        SCOPED_TRACE(dpi);
        RECT suggested;
        GetWindowRect(Main(), &suggested);
        SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump(100);
        EXPECT_EQ(Dpi(), dpi);
        ExpectLaidOutAt(dpi);
        RECT window;
        GetWindowRect(Main(), &window);
        EXPECT_EQ(window.left, suggested.left);
        EXPECT_EQ(window.top, suggested.top);
    }
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_PIXELS(client.right, Scaled(CLIENT_WIDTH, original));
    EXPECT_PIXELS(client.bottom, Scaled(CLIENT_HEIGHT, original));
}
