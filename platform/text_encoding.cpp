#include "platform/text_encoding.h"

#include <windows.h>

namespace qm {

std::wstring WideFromAnsi(std::string_view ansi)
{
    if (ansi.empty())
        return {};
    const int count = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), count);
    return wide;
}

std::string AnsiFromWide(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int wideCount = static_cast<int>(wide.size());
    const int count = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return std::string(wide.size(), '?');
    std::string ansi(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideCount, ansi.data(), count, nullptr, nullptr);
    return ansi;
}

std::string Utf16LittleEndianBytes(std::string_view ansi)
{
    std::string bytes;
    for (const wchar_t c : WideFromAnsi(ansi)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Utf8FromAnsi(std::string_view ansi)
{
    const std::wstring wide = WideFromAnsi(ansi);
    if (wide.empty())
        return {};
    const int wideCount = static_cast<int>(wide.size());
    const int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, utf8.data(), count, nullptr, nullptr);
    return utf8;
}

} // namespace qm
