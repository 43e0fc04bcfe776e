#pragma once
// Texts between the system's ANSI code page and Unicode.
#include <string>
#include <string_view>

namespace qm {

std::wstring WideFromAnsi(std::string_view ansi);
// Characters the code page lacks become '?'; NULs inside are kept.
std::string AnsiFromWide(std::wstring_view wide);
// Each UTF-16 unit as two bytes, low byte first, as files hold them.
std::string Utf16LittleEndianBytes(std::string_view ansi);
std::string Utf8FromAnsi(std::string_view ansi);

} // namespace qm
