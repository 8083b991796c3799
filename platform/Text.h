// Conversions between the program's UTF-8 texts and the platform's wide and ANSI texts, and
// the platform's error descriptions.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace varnholt {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// From and to the system's ANSI code page; embedded NUL characters are kept.
std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);
// The system's description of an error number, without the trailing line break.
std::string ErrorText(DWORD error);
// Upper-cases code units as the system's file names compare them: the invariant locale's
// casing without linguistic rules is the file system's. The fold the program installs for
// LowerName (UseUpperCaseFold); false when the system could not map them.
bool SystemUpperCase(char16_t* units, std::size_t count);
// The value of the environment variable `name`; empty when it is not set.
std::string EnvironmentValue(const wchar_t* name);

} // namespace varnholt
