// Handles that close themselves: one owner per handle, closed when the owner goes out of scope,
// on every path out of a function, the early returns and failures included.
//
//   KernelHandle process(info.hProcess);      // CloseHandle; a null handle is "none"
//   FileHandle file(CreateFileW(...));        // CloseHandle; INVALID_HANDLE_VALUE is "none"
//   FindHandle find(FindFirstFileW(...));     // FindClose
//   RegistryKey key; RegOpenKeyExW(root, path, 0, KEY_READ, key.receive());
//   GdiObject<HFONT> font(CreateFontW(...));  // DeleteObject, for fonts, bitmaps, brushes, pens
//   MemoryDc dc(CreateCompatibleDC(nullptr));  // DeleteDC
//   ScopedSelect use(dc.get(), font.get());    // SelectObject, and the old object back at the end
//   WindowDc screen(window, GetDC(window));   // ReleaseDC
//   IconHandle icon(LoadImageW(...));         // DestroyIcon; CursorHandle: DestroyCursor
//   LocalMemory text(LocalAlloc(...));        // LocalFree; CoTaskMemory: CoTaskMemFree
//
// An owner can be moved but not copied. get() lends the handle, release() gives it up, reset()
// closes it (and takes another), receive() closes it and hands out its address for a function
// that returns a new handle through a pointer. explicit operator bool tells whether it holds
// one. Destruction order is the reverse of declaration: declare a ScopedSelect after the DC and
// the object it selects, so that it puts the old object back before they are deleted.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace varnholt {

// The owner of one handle of the kind that `Traits` describes: its type, the value that means
// "no handle" and how it is closed.
template <typename Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::None(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::None()); }
    void reset(Handle handle = Traits::None()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::None()) {
            Traits::Close(old);
        }
    }
    Handle* receive() noexcept {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::None();
};

namespace handle_traits {

struct Kernel {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct File {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct Find {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct Registry {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
template <typename T> struct Gdi {
    using Handle = T;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct Dc {
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
struct Icon {
    using Handle = HICON;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct Cursor {
    using Handle = HCURSOR;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DestroyCursor(h); }
};
struct Menu {
    using Handle = HMENU;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
struct Window {
    using Handle = HWND;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
struct Local {
    using Handle = HLOCAL;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { LocalFree(h); }
};
struct CoTaskMem {
    using Handle = void*;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { CoTaskMemFree(h); }
};

} // namespace handle_traits

// Processes, threads, events and other handles that CloseHandle closes and null marks absent.
using KernelHandle = UniqueHandle<handle_traits::Kernel>;
// What CreateFile returns: INVALID_HANDLE_VALUE marks it absent.
using FileHandle = UniqueHandle<handle_traits::File>;
using FindHandle = UniqueHandle<handle_traits::Find>;
using RegistryKey = UniqueHandle<handle_traits::Registry>;
// A GDI object that DeleteObject deletes: GdiObject<HFONT>, GdiObject<HBITMAP>, ...
template <typename T> using GdiObject = UniqueHandle<handle_traits::Gdi<T>>;
// A device context made by CreateCompatibleDC or CreateDC.
using MemoryDc = UniqueHandle<handle_traits::Dc>;
// Icons and cursors made by LoadImage (without LR_SHARED), CreateIconIndirect and the like.
using IconHandle = UniqueHandle<handle_traits::Icon>;
using CursorHandle = UniqueHandle<handle_traits::Cursor>;
// A menu made by CreateMenu or CreatePopupMenu that no window owns.
using MenuHandle = UniqueHandle<handle_traits::Menu>;
// A window the code made and destroys itself (not one the system destroys with its owner).
using WindowHandle = UniqueHandle<handle_traits::Window>;
using LocalMemory = UniqueHandle<handle_traits::Local>;
using CoTaskMemory = UniqueHandle<handle_traits::CoTaskMem>;

// A window's device context from GetDC or GetWindowDC, released at the end of the scope.
class WindowDc {
  public:
    WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back at the end of the
// scope. A null object selects nothing.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), old_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (old_ != nullptr && old_ != HGDI_ERROR) {
            SelectObject(dc_, old_);
        }
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// One reference to a COM object, released at the end of the scope.
template <typename T> class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const noexcept { return p_; }
    T* get() const noexcept { return p_; }
    void** receive() noexcept { return reinterpret_cast<void**>(&p_); }

  private:
    T* p_ = nullptr;
};

} // namespace varnholt
