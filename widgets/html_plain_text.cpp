#include "widgets/html_plain_text.h"

#include <utility>

namespace qm {

std::string PlainTextOfHtml(std::string_view html)
{
    std::string text;
    for (size_t i = 0; i < html.size();) {
        if (html[i] == '<') {
            size_t end = html.find('>', i);
            if (end == std::string_view::npos)
                break;
            std::string_view tag = html.substr(i + 1, end - i - 1);
            if (tag == "br" || tag == "BR")
                text += "\r\n";
            i = end + 1;
        } else if (html[i] == '&') {
            static constexpr std::pair<std::string_view, char> kEntities[] = {
                {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
            bool decoded = false;
            for (const auto& [entity, c] : kEntities) {
                if (html.substr(i, entity.size()) == entity) {
                    text += c;
                    i += entity.size();
                    decoded = true;
                    break;
                }
            }
            if (!decoded)
                text += html[i++];
        } else {
            text += html[i++];
        }
    }
    return text;
}

} // namespace qm
