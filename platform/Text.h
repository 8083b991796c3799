// Conversions between the program's UTF-8 texts and the platform's wide and ANSI texts, and
// the platform's error descriptions.
#pragma once

#include <windows.h>

#include <string>

namespace varnholt {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// From and to the system's ANSI code page; embedded NUL characters are kept.
std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);
// The system's description of an error number, without the trailing line break.
std::string ErrorText(DWORD error);

} // namespace varnholt
