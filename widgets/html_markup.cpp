#include "widgets/html_markup.h"

#include <algorithm>
#include <charconv>

#include "platform/text_case.h"

namespace qm {

namespace {

int ToInt(const std::optional<std::string>& text, int fallback)
{
    if (!text)
        return fallback;
    int value = fallback;
    const char* first = text->data();
    const char* last = first + text->size();
    if (first != last && *first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last ? value : fallback;
}

// Replaces the four entities; any other "&" stays.
std::string DecodeEntities(std::string_view text)
{
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& [entity, c] : kEntities) {
                if (text.substr(i, entity.size()) == entity) {
                    out += c;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

class Reader {
public:
    Reader(std::string_view text, const HtmlStyle& initial) : text_(text), initial_(initial), style_(initial) {}

    HtmlDocument Read()
    {
        while (pos_ < text_.size()) {
            if (text_[pos_] == '<') {
                size_t end = text_.find('>', pos_);
                if (end == std::string_view::npos)
                    break; // a tag without ">" takes the rest with it
                std::string_view tag = text_.substr(pos_, end - pos_ + 1);
                pos_ = end + 1;
                if (tag.size() > 2 && tag[1] == '#')
                    AddWord(std::string(tag.substr(2, tag.size() - 3)));
                else if (tag.size() > 2 && tag[1] == '/')
                    Closing(tag);
                else
                    Opening(tag);
                continue;
            }
            size_t end = pos_;
            while (end < text_.size() && text_[end] != '<' && text_[end] != ' ')
                ++end;
            if (end < text_.size() && text_[end] == ' ')
                ++end; // the blank belongs to the word
            AddWord(DecodeEntities(text_.substr(pos_, end - pos_)));
            pos_ = end;
        }
        return std::move(document_);
    }

private:
    void AddWord(std::string word)
    {
        HtmlToken token;
        token.kind = HtmlToken::Kind::Word;
        token.text = std::move(word);
        token.style = style_;
        document_.tokens.push_back(std::move(token));
    }

    void Add(HtmlToken::Kind kind)
    {
        HtmlToken token;
        token.kind = kind;
        token.style = style_;
        document_.tokens.push_back(std::move(token));
    }

    void Opening(std::string_view tag)
    {
        const char first = UpperAscii(tag[1]);
        switch (first) {
        case 'A':
            style_.link = static_cast<int>(document_.links.size());
            document_.links.push_back(HtmlAttribute(tag, "href").value_or(""));
            return;
        case 'B':
            if (StartsWithIgnoringCase(tag, "<BR>"))
                Add(HtmlToken::Kind::Break);
            else if (StartsWithIgnoringCase(tag, "<B>"))
                style_.bold = true;
            else if (StartsWithIgnoringCase(tag, "<BLINK")) {
                style_.blink = true;
                document_.hasBlink = true;
            } else if (StartsWithIgnoringCase(tag, "<BODY")) {
                if (auto color = HtmlAttribute(tag, "bgcolor")) {
                    HtmlToken token;
                    token.kind = HtmlToken::Kind::BodyBackground;
                    token.color = HtmlColor(*color);
                    document_.tokens.push_back(token);
                }
                // A background picture would come from the network: none is fetched.
            }
            return;
        case 'F':
            if (auto face = HtmlAttribute(tag, "face"))
                style_.face = *face;
            if (auto color = HtmlAttribute(tag, "color"); color && HtmlColor(*color))
                style_.color = *HtmlColor(*color);
            if (auto color = HtmlAttribute(tag, "bgcolor"))
                style_.background = HtmlColor(*color);
            // Absurd sizes are held to what a font can be.
            style_.size = std::clamp(ToInt(HtmlAttribute(tag, "size"), style_.size), 1, 1000);
            return;
        case 'H':
            Add(HtmlToken::Kind::Rule);
            return;
        case 'I':
            if (StartsWithIgnoringCase(tag, "<IND")) {
                HtmlToken token;
                token.kind = HtmlToken::Kind::Indent;
                token.value = std::clamp(ToInt(HtmlAttribute(tag, "x"), 0), 0, 100000);
                document_.tokens.push_back(token);
            } else if (StartsWithIgnoringCase(tag, "<IMG")) {
                HtmlToken token;
                token.kind = HtmlToken::Kind::Image;
                token.style = style_;
                token.text = HtmlAttribute(tag, "src").value_or("");
                token.width = std::clamp(ToInt(HtmlAttribute(tag, "width"), 0), 0, 10000);
                token.height = std::clamp(ToInt(HtmlAttribute(tag, "height"), 0), 0, 10000);
                std::string align = LowerCase(HtmlAttribute(tag, "align").value_or(""));
                token.imageAlign = align == "top" ? HtmlImageAlign::Top
                    : align == "middle"           ? HtmlImageAlign::Middle
                                                  : HtmlImageAlign::Bottom;
                document_.tokens.push_back(token);
            } else if (StartsWithIgnoringCase(tag, "<I>")) {
                style_.italic = true;
            }
            return;
        case 'L': {
            HtmlToken token;
            token.kind = HtmlToken::Kind::Bullet;
            token.style = style_;
            token.value = listLevel_;
            document_.tokens.push_back(token);
            return;
        }
        case 'P': {
            std::string align = LowerCase(HtmlAttribute(tag, "align").value_or(""));
            if (align == "left" || align == "right" || align == "center") {
                HtmlToken token;
                token.kind = HtmlToken::Kind::Align;
                token.align = align == "left" ? HtmlAlign::Left
                    : align == "right"        ? HtmlAlign::Right
                                              : HtmlAlign::Center;
                document_.tokens.push_back(token);
            }
            if (auto color = HtmlAttribute(tag, "bgcolor")) {
                HtmlToken token;
                token.kind = HtmlToken::Kind::LineBackground;
                token.color = HtmlColor(*color).value_or(clBlack);
                document_.tokens.push_back(token);
            }
            return;
        }
        case 'R':
            style_.angleTenths = std::clamp(ToInt(HtmlAttribute(tag, "a"), 0), -3600, 3600) * 10;
            return;
        case 'S':
            if (StartsWithIgnoringCase(tag, "<S>"))
                style_.strike = true;
            else if (StartsWithIgnoringCase(tag, "<SUB>"))
                style_.sub = true;
            else if (StartsWithIgnoringCase(tag, "<SUP>"))
                style_.sup = true;
            else if (StartsWithIgnoringCase(tag, "<SHAD>"))
                style_.shadow = true;
            return;
        case 'U':
            if (StartsWithIgnoringCase(tag, "<UL>"))
                ++listLevel_;
            else
                style_.underline = true;
            return;
        default:
            return; // unknown: skipped
        }
    }

    void Closing(std::string_view tag)
    {
        const char first = UpperAscii(tag[2]);
        const char second = tag.size() > 3 ? UpperAscii(tag[3]) : '\0';
        switch (first) {
        case 'A':
            style_.link = -1;
            return;
        case 'B':
            if (StartsWithIgnoringCase(tag, "</BL"))
                style_.blink = false;
            else
                style_.bold = false;
            return;
        case 'F':
            style_.face = initial_.face;
            style_.size = initial_.size;
            style_.color = initial_.color;
            style_.background = initial_.background;
            return;
        case 'I':
            style_.italic = false;
            return;
        case 'P': {
            Add(HtmlToken::Kind::Break);
            HtmlToken token;
            token.kind = HtmlToken::Kind::LineBackground; // no colour: the background returns
            document_.tokens.push_back(token);
            return;
        }
        case 'R':
            style_.angleTenths = 0;
            return;
        case 'S':
            if (second == 'U')
                style_.sub = style_.sup = false;
            else if (second == 'H')
                style_.shadow = false;
            else
                style_.strike = false;
            return;
        case 'U':
            if (StartsWithIgnoringCase(tag, "</UL>"))
                listLevel_ = std::max(0, listLevel_ - 1);
            else
                style_.underline = false;
            return;
        default:
            return;
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    const HtmlStyle initial_;
    HtmlStyle style_;
    int listLevel_ = 0;
    HtmlDocument document_;
};

} // namespace

std::optional<Color> HtmlColor(std::string_view value)
{
    if (!value.empty() && value[0] == '#') {
        if (value.size() != 7)
            return std::nullopt;
        unsigned rgb = 0;
        auto [end, error] = std::from_chars(value.data() + 1, value.data() + 7, rgb, 16);
        if (error != std::errc() || end != value.data() + 7)
            return std::nullopt;
        return MakeColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    std::string lower = LowerCase(value);
    if (lower.find("cl") == std::string::npos)
        return std::nullopt;
    // The framework's colour names, compared in lower case.
    static constexpr std::string_view kNames[] = {"clBlack",        "clMaroon",
                                                  "clGreen",        "clOlive",
                                                  "clNavy",         "clPurple",
                                                  "clTeal",         "clGray",
                                                  "clSilver",       "clRed",
                                                  "clLime",         "clYellow",
                                                  "clBlue",         "clFuchsia",
                                                  "clAqua",         "clWhite",
                                                  "clBtnFace",      "clBtnShadow",
                                                  "clBtnHighlight", "clWindow",
                                                  "clWindowText",   "clInactiveCaption",
                                                  "clInfoBk",       "clGrayText"};
    for (std::string_view name : kNames)
        if (LowerCase(name) == lower)
            return ColorFromName(name);
    return clBlack;
}

std::optional<std::string> HtmlAttribute(std::string_view tag, std::string_view name)
{
    std::string lowerTag = LowerCase(tag);
    std::string key = LowerCase(name) + "=";
    size_t at = lowerTag.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    size_t start = at + key.size();
    size_t end = start;
    while (end < tag.size() && tag[end] != ' ' && tag[end] != '>')
        ++end;
    std::string value(tag.substr(start, end - start));
    value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
    value.erase(std::remove(value.begin(), value.end(), '\''), value.end());
    return value;
}

HtmlDocument ParseHtml(std::string_view text, const HtmlStyle& initial)
{
    return Reader(text, initial).Read();
}

std::string HtmlPlainText(const HtmlDocument& document)
{
    std::string text;
    for (const HtmlToken& token : document.tokens) {
        if (token.kind == HtmlToken::Kind::Word)
            text += token.text;
        else if ((token.kind == HtmlToken::Kind::Break || token.kind == HtmlToken::Kind::Rule) && !text.empty() &&
                 text.back() != ' ')
            text += ' ';
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace qm
