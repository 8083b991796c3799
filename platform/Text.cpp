#include "Text.h"

#include "Handles.h"
#include "ResourceTexts.h"

#include <algorithm>

namespace varnholt {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

} // namespace

std::wstring Widen(const std::string& utf8) {
    return ToWide(CP_UTF8, utf8);
}
std::string Narrow(const std::wstring& wide) {
    return FromWide(CP_UTF8, wide);
}
std::string AnsiToUtf8(const std::string& ansi) {
    return Narrow(ToWide(CP_ACP, ansi));
}
std::string Utf8ToAnsi(const std::string& utf8) {
    return FromWide(CP_ACP, Widen(utf8));
}

std::string ErrorText(DWORD error) {
    // In the language shown where the system has its texts, else in the system's own.
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    LocalMemory buffer;
    DWORD length = FormatMessageW(flags, nullptr, error, LanguageId(ShownLanguage()),
                                  reinterpret_cast<wchar_t*>(buffer.receive()), 0, nullptr);
    if (length == 0) {
        length = FormatMessageW(flags, nullptr, error, 0,
                                reinterpret_cast<wchar_t*>(buffer.receive()), 0, nullptr);
    }
    std::wstring text;
    if (length > 0 && buffer) {
        text.assign(static_cast<const wchar_t*>(buffer.get()), length);
    }
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return Text(IDS_ERROR_NUMBER, {std::to_string(error)});
    }
    return Narrow(text);
}

bool SystemUpperCase(char16_t* units, std::size_t count) {
    if (count == 0 || count > 0x7FFFFFFF) {
        return count == 0;
    }
    const std::wstring in(units, units + count);
    std::wstring out(count, L'\0');
    const int length = static_cast<int>(count);
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, in.data(), length, &out[0], length,
                      nullptr, nullptr, 0) != length) {
        return false;
    }
    std::copy(out.begin(), out.end(), units);
    return true;
}

std::string EnvironmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::string();
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, &value[0], size);
    return length < size ? Narrow(value.substr(0, length)) : std::string();
}

} // namespace varnholt
