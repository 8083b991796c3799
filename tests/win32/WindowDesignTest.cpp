// The main window as a player sees it: each control's class, style, caption and tool tip, the
// tab order, the icon, cursor and folder picture, the picture drawn behind the
// labels, the program file's version block, and the window class that goes with the window.
#include "app/frmVarnholt.h"
#include "platform/ResourceTexts.h"
#include "tests/driver/Driver.h"
#include "tests/win32/WindowFakes.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>
#include <memory>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// No game key, an installation folder in the settings, no files but a BGruppen.dat that cannot
// be read (shown as the original): the labels that start-up fills show their data, the others
// their design.
struct NoFiles : FileSystem {
    FileError Missing() {
        FileError e;
        e.number = ERROR_FILE_NOT_FOUND;
        e.description = "missing";
        return e;
    }
    bool FileLength(const std::string&, std::uint64_t&) override { return false; }
    bool FileExists(const std::string& path) override {
        const std::string current = "\\BGruppen.dat";
        return path.size() >= current.size() &&
               path.compare(path.size() - current.size(), current.size(), current) == 0;
    }
    bool ReadFirstLine(const std::string&, std::size_t, std::string&) override { return false; }
    FileError CheckDeletable(const std::string&) override { return Missing(); }
    FileError CopyFileTo(const std::string&, const std::string&) override { return Missing(); }
    FileError WriteBytes(const std::string&, const std::string&) override { return Missing(); }
    std::string FirstLineOf(const std::string&) override { return std::string(); }
    FileError RenameFile(const std::string&, const std::string&, bool) override {
        return Missing();
    }
    FileError DeleteFileAt(const std::string&) override { return Missing(); }
    bool ListFiles(const std::string&, const std::string&, std::vector<std::string>&) override {
        return false;
    }
};

BOOL CALLBACK FindToolTip(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == TOOLTIPS_CLASSW) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The window in English, its texts read from the program's string tables.
const ScopedTexts g_english(GetModuleHandleW(nullptr), Language::English);

class WindowDesign : public ::testing::Test {
  protected:
    using Window = OpenedWindow<NoRegistry, NoFiles>;
    static void SetUpTestSuite() {
        window_.reset(new Window({{"ANNOPath", "C:\\Games\\ANNO 1503\\"}, {"FirstRun", "1"}}));
        ASSERT_TRUE(window_->Open());
    }
    static void TearDownTestSuite() { window_.reset(); }
    HWND Main() const { return window_->form.Handle(); }
    HWND Control(Ctl c) const { return drive::ControlOf(Main(), c); }

    static std::unique_ptr<Window> window_;
};

std::unique_ptr<WindowDesign::Window> WindowDesign::window_;

} // namespace

TEST_F(WindowDesign, FixedFrameAroundTheDesignedClientArea) {
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 312);
    const LONG style = GetWindowLongW(Main(), GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(drive::Text(Main()), "Marrik's ANNO 1503 Varnholt v1.00");
    EXPECT_NE(GetClassLongPtrW(Main(), GCLP_HICON), 0u);
}

// Where each control stands, and its font, the window tests at every resolution check.
TEST_F(WindowDesign, EveryControlHasTheClassAndStyleOfItsKind) {
    for (const ControlDesign& d : DESIGN) {
        SCOPED_TRACE(d.name);
        HWND c = Control(d.id);
        ASSERT_NE(c, nullptr);
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        EXPECT_TRUE(IsWindowVisible(c));
        switch (d.kind) {
        case Kind::Button:
        case Kind::PictureButton:
            EXPECT_EQ(ClassOf(c), L"Button");
            EXPECT_NE(style & WS_TABSTOP, 0);
            EXPECT_EQ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, d.id == Ctl::btnDone);
            break;
        case Kind::List: {
            EXPECT_EQ(_wcsicmp(ClassOf(c).c_str(), L"ListBox"), 0);
            EXPECT_EQ(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0);
            // It scrolls vertically once the entries no longer fit.
            const LRESULT before = SendMessageW(c, LB_GETCOUNT, 0, 0);
            for (int i = 0; i < 12; ++i) {
                SendMessageW(c, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"extra"));
            }
            EXPECT_NE(GetWindowLongW(c, GWL_STYLE) & WS_VSCROLL, 0);
            while (SendMessageW(c, LB_GETCOUNT, 0, 0) > before) {
                SendMessageW(c, LB_DELETESTRING, static_cast<WPARAM>(before), 0);
            }
            EXPECT_NE(GetWindowLongW(c, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
            break;
        }
        case Kind::Label:
            EXPECT_EQ(ClassOf(c), L"Static");
            EXPECT_EQ(style & WS_TABSTOP, 0);
            break;
        }
    }
}

TEST_F(WindowDesign, CaptionsNoHandlerWritesKeepTheirDesign) {
    EXPECT_EQ(drive::Text(Control(Ctl::btnANNOStart)), "Start ANNO 1503");
    EXPECT_EQ(drive::Text(Control(Ctl::btnView)), "View/Edit");
    EXPECT_EQ(drive::Text(Control(Ctl::btnDone)), "Done");
    EXPECT_EQ(drive::Text(Control(Ctl::btnChooseDir)), "");
    EXPECT_EQ(drive::Text(Control(Ctl::Label1)), "Available BGruppen.dat Files:");
    EXPECT_EQ(drive::Text(Control(Ctl::Label2)), "Currently activated BGruppen.dat:");
    EXPECT_EQ(drive::Text(Control(Ctl::lblCR)), "\xC2\xA9 2005 Marrik");
    EXPECT_EQ(drive::Text(Control(Ctl::lblANNOVers)), "lblANNOVers"); // no version values
    EXPECT_EQ(drive::Text(Control(Ctl::lblANNOPath)), "C:\\Games\\ANNO 1503\\");
}

TEST_F(WindowDesign, ToolTipsAsDesigned) {
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindToolTip, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    std::map<HWND, std::string> tips;
    const int count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TOOLINFOW info = {};
        info.cbSize = sizeof info;
        info.lpszText = text;
        ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&info)));
        tips[reinterpret_cast<HWND>(info.uId)] = drive::Narrow(text);
    }
    // The texts as the player reads them; the other controls have none.
    const std::map<Ctl, std::string> expected = {
        {Ctl::btnANNOStart, "Spiel starten, Tools beenden..."},
        {Ctl::btnChooseDir, " Choose another ANNO 1503 installation..."},
        {Ctl::btnActivate, " Click to activate the selected BGruppen.dat file"},
        {Ctl::lstDATs, " All the available BGruppen.dat files in the current Data directory"},
        {Ctl::btnView, " Open selected file with Notepad"},
        {Ctl::lblHint, " Your currently activated BGruppen.dat file"},
        {Ctl::lblCurrDAT, " Your currently activated BGruppen.dat file"},
        {Ctl::lblANNOVers, " Your ANNO 1503 version"},
        {Ctl::lblDATPath, " Data directory we're currently working on"},
        {Ctl::lblANNOPath, " Your installation path of ANNO 1503"}};
    for (const ControlDesign& d : DESIGN) {
        SCOPED_TRACE(d.name);
        const auto shown = tips.find(Control(d.id));
        const auto text = expected.find(d.id);
        ASSERT_EQ(shown != tips.end(), text != expected.end());
        if (shown != tips.end()) {
            EXPECT_EQ(shown->second, text->second);
        }
    }
    EXPECT_EQ(count, static_cast<int>(expected.size()));
}

TEST_F(WindowDesign, FocusStartsOnDoneAndTabFollowsTheDesign) {
    SetFocus(Control(Ctl::btnDone));
    EXPECT_EQ(GetFocus(), Control(Ctl::btnDone));
    const Ctl order[] = {Ctl::btnView,      Ctl::lstDATs,      Ctl::btnActivate,
                         Ctl::btnChooseDir, Ctl::btnANNOStart, Ctl::btnDone};
    HWND at = Control(Ctl::btnDone);
    for (Ctl next : order) {
        at = GetNextDlgTabItem(Main(), at, FALSE);
        EXPECT_EQ(at, Control(next));
    }
    EnableWindow(Control(Ctl::btnActivate), FALSE);
    EXPECT_EQ(GetNextDlgTabItem(Main(), Control(Ctl::lstDATs), FALSE), Control(Ctl::btnChooseDir));
    EnableWindow(Control(Ctl::btnActivate), TRUE);
}

TEST_F(WindowDesign, HandCursorOverTheCreditsOnly) {
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    SendMessageW(Main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(Ctl::lblCR)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hand = GetCursor();
    ASSERT_NE(hand, arrow);
    POINT hot = {};
    ASSERT_GT(IconWidth(hand, &hot), 0);
    EXPECT_EQ(hot.x, 5);
    EXPECT_EQ(hot.y, 0);

    SetCursor(arrow);
    SendMessageW(Main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(Ctl::lblHint)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);
}

TEST_F(WindowDesign, FolderButtonShowsItsPicture) {
    HICON icon = reinterpret_cast<HICON>(
        SendMessageW(Control(Ctl::btnChooseDir), BM_GETIMAGE, IMAGE_ICON, 0));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(IconWidth(icon), 16);
}

TEST_F(WindowDesign, LabelsAreDrawnOnThePicture) {
    const RedrawnWindow drawn(Main());
    ASSERT_TRUE(drawn.loaded());
    HDC memory = drawn.picture();
    HDC screen = drawn.screen();

    // The picture's top rows fill the client area: free spots and the last visible row.
    for (POINT p : {POINT{400, 100}, POINT{5, 5}, POINT{300, 311}, POINT{639, 200}}) {
        EXPECT_EQ(GetPixel(screen, p.x, p.y), GetPixel(memory, p.x, p.y)) << p.x << "," << p.y;
    }
    // Label2 shows white text straight on the picture, with no box behind it.
    const RECT label = RectIn(Control(Ctl::Label2), Main());
    int white = 0, picturePixels = 0, total = 0;
    for (int y = label.top; y < label.bottom; ++y) {
        for (int x = label.left; x < label.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            ++total;
            white += c == RGB(255, 255, 255) ? 1 : 0;
            picturePixels += c == GetPixel(memory, x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(white, 30);
    EXPECT_GT(picturePixels, total / 2);
    // lblHint's text is yellow while the current file fits.
    const RECT hint = RectIn(Control(Ctl::lblHint), Main());
    int yellow = 0;
    for (int y = hint.top; y < hint.bottom; ++y) {
        for (int x = hint.left; x < hint.right; ++x) {
            yellow += GetPixel(screen, x, y) == RGB(255, 255, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, 30);
}

TEST(ProgramFile, CarriesItsVersionBlock) {
    const std::wstring exe = drive::ExeFolder() + L"varnholt.exe";
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1200);
    auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
        if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value),
                            &length)) {
            return std::string();
        }
        return drive::Narrow(value);
    };
    EXPECT_EQ(text(L"ProductName"), "Varnholt v1.00");
    EXPECT_EQ(text(L"CompanyName"), "Marrik's ANNO 1503-Tools");
    EXPECT_EQ(text(L"FileVersion"), "1.00");
    EXPECT_EQ(text(L"ProductVersion"), "1.00");
}

// The window class lives as long as the window: it is unregistered when the window goes, before
// the icons it names are destroyed, and a window can be made again after.
TEST(WindowClass, GoesWithTheWindowAndCanBeRegisteredAgain) {
    const ScopedTexts texts(GetModuleHandleW(nullptr), Language::English);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        auto window = std::make_unique<OpenedWindow<GameRegistry, DemoFiles>>(
            std::map<std::string, std::string>{{"FirstRun", "1"}});
        ASSERT_TRUE(window->form.Create());
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        EXPECT_TRUE(GetClassInfoExW(instance, L"frmVarnholt", &wc));
        window.reset();
        EXPECT_FALSE(GetClassInfoExW(instance, L"frmVarnholt", &wc));
    }
}
