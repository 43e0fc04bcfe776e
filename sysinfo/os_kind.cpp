#include "sysinfo/os_kind.h"

#include "platform/text_case.h"

namespace qm {

TOSKind OSKindFromVersion(unsigned platform, unsigned major, unsigned minor, std::string_view servicePack)
{
    if (platform == 2) {
        if (major == 5 && minor == 1)
            return TOSKind::osXP;
        switch (major) {
        case 3:
            return TOSKind::osNT3;
        case 4:
            return TOSKind::osNT4;
        case 5:
            return TOSKind::os2K;
        default:
            return TOSKind::osUnknown;
        }
    }
    const std::string_view sp = TrimBlanks(servicePack);
    if (major == 4 && minor == 0)
        return sp == "B" ? TOSKind::os95OSR2 : TOSKind::os95;
    if (major == 4 && minor == 10)
        return sp == "A" ? TOSKind::os98SE : TOSKind::os98;
    if (major == 4 && minor == 90)
        return TOSKind::osME;
    return TOSKind::osUnknown;
}

bool IsNTKind(TOSKind kind)
{
    return kind == TOSKind::osNT3 || kind == TOSKind::osNT4 || kind == TOSKind::os2K || kind == TOSKind::osXP;
}

std::string OSNameOf(TOSKind kind)
{
    switch (kind) {
    case TOSKind::os95:
    case TOSKind::os95OSR2:
        return "Windows 95";
    case TOSKind::os98:
    case TOSKind::os98SE:
        return "Windows 98";
    case TOSKind::osNT3:
    case TOSKind::osNT4:
        return "Windows NT";
    case TOSKind::os2K:
        return "Windows 2000";
    case TOSKind::osME:
        return "Windows Millenium Edition";
    case TOSKind::osXP:
        return "Windows XP";
    case TOSKind::osUnknown:
        break;
    }
    return {};
}

std::string ClassKeyFor(bool isNT)
{
    return isNT ? "SYSTEM\\CurrentControlSet\\Control\\Class" : "SYSTEM\\CurrentControlSet\\Services\\Class";
}

std::string ClassKeyOf(TOSKind kind)
{
    return ClassKeyFor(IsNTKind(kind));
}

std::string ProfilePathFrom(std::string_view desktopPath)
{
    size_t slash = desktopPath.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(desktopPath.substr(0, slash));
}

std::string ReverseText(std::string_view text)
{
    return std::string(text.rbegin(), text.rend());
}

std::string RemoveBlanks(std::string_view text)
{
    std::string_view trimmed = TrimBlanks(text);
    std::string out;
    for (size_t i = 0; i < trimmed.size(); ++i) {
        if (trimmed[i] == ' ')
            continue;
        if (trimmed[i] == '\r' && i + 1 < trimmed.size() && trimmed[i + 1] == '\n') {
            ++i;
            continue;
        }
        out += trimmed[i];
    }
    return out;
}

std::string MultiStrToStr(std::string_view buffer)
{
    std::string out;
    for (size_t i = 0; i < buffer.size(); ++i) {
        if (buffer[i] == '\0') {
            if (i + 1 < buffer.size() && buffer[i + 1] == '\0')
                break;
            continue;
        }
        out += buffer[i];
    }
    return out;
}

std::string ReplaceTextAll(std::string_view text, std::string_view find, std::string_view replacement)
{
    if (find.empty())
        return std::string(text);
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        bool match = i + find.size() <= text.size();
        for (size_t k = 0; match && k < find.size(); ++k)
            match = LowerAscii(text[i + k]) == LowerAscii(find[k]);
        if (match) {
            out += replacement;
            i += find.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace qm
