#include "platform/text_case.h"

namespace qm {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string LowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = LowerAscii(c);
    return out;
}

std::string UpperCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = UpperAscii(c);
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int IndexIgnoringCase(const std::vector<std::string>& list, std::string_view text)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (EqualIgnoringCase(list[i], text))
            return static_cast<int>(i);
    return -1;
}

} // namespace qm
