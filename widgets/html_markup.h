#pragma once
// Reading the small HTML subset of the formatted-text control into a flat
// list of tokens (words with their style, pictures, breaks, bullets...).
// Malformed markup never raises: a tag without ">" ends the text, unknown
// tags and attributes are ignored.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/colors.h"

namespace qm {

struct HtmlStyle {
    std::string face = "MS Sans Serif";
    int size = 8; // points
    bool bold = false, italic = false, underline = false, strike = false;
    Color color = clBlack;
    std::optional<Color> background;
    int angleTenths = 0;
    bool sub = false, sup = false, shadow = false, blink = false;
    int link = -1; // index into the document's links, -1 outside links
    friend bool operator==(const HtmlStyle&, const HtmlStyle&) = default;
};

enum class HtmlAlign { Left, Center, Right };
enum class HtmlImageAlign { Bottom, Top, Middle };

struct HtmlToken {
    enum class Kind { Word, Image, Break, Rule, Bullet, Indent, Align, LineBackground, BodyBackground };
    Kind kind = Kind::Word;
    std::string text; // a word (with its trailing blank), or a picture's source
    HtmlStyle style;
    int width = 0, height = 0; // a picture's requested size, 0 for its own
    int value = 0; // indent x, or bullet level
    HtmlAlign align = HtmlAlign::Left;
    HtmlImageAlign imageAlign = HtmlImageAlign::Bottom;
    std::optional<Color> color; // backgrounds; nothing ends a line background
};

struct HtmlDocument {
    std::vector<HtmlToken> tokens;
    std::vector<std::string> links; // targets, by link index
    bool hasBlink = false;
};

// "clRed" (any case, unknown names black) or "#RRGGBB"; nothing otherwise.
std::optional<Color> HtmlColor(std::string_view value);

// The value of `name` inside a tag's text (case-insensitive), quotes removed.
std::optional<std::string> HtmlAttribute(std::string_view tag, std::string_view name);

HtmlDocument ParseHtml(std::string_view text, const HtmlStyle& initial);

// The words of a document as one line of plain text, as a screen reader
// says it: line breaks and rules become blanks, pictures say nothing.
std::string HtmlPlainText(const HtmlDocument& document);

} // namespace qm
