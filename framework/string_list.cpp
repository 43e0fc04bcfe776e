#include "framework/string_list.h"

namespace qm {

int StringList::IndexOf(std::string_view line) const
{
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i] == line)
            return static_cast<int>(i);
    return -1;
}

std::string StringList::Text() const
{
    size_t size = 0;
    for (const auto& line : lines_)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void StringList::SetText(std::string_view text)
{
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

} // namespace qm
