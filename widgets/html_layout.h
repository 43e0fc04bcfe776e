#pragma once
// Line layout of formatted text: words wrap at the area's width, lines are
// aligned left, right or centred, and every placed piece gets its rectangle.
// Measuring goes through an interface so the layout runs without Windows.
#include <optional>
#include <string>
#include <vector>

#include "framework/geometry.h"
#include "widgets/html_markup.h"

namespace qm {

struct HtmlSize {
    int width = 0, height = 0;
};

class HtmlMeasurer {
public:
    virtual ~HtmlMeasurer() = default;
    virtual HtmlSize Text(const HtmlStyle& style, const std::string& text) = 0;
    // A picture's own size; 0 x 0 when it cannot be had.
    virtual HtmlSize Picture(const std::string& source) = 0;
};

struct HtmlPlacedWord {
    Rect rect;
    std::string text;
    HtmlStyle style;
};

struct HtmlPlacedPicture {
    Rect rect;
    std::string source;
};

struct HtmlPlacedBullet {
    Rect rect;
    HtmlStyle style;
    bool filled; // odd list levels
};

struct HtmlBand {
    Rect rect;
    Color color;
};

struct HtmlLayout {
    std::vector<HtmlPlacedWord> words;
    std::vector<HtmlPlacedPicture> pictures;
    std::vector<HtmlPlacedBullet> bullets;
    std::vector<Rect> rules;
    std::vector<HtmlBand> bands;
    std::optional<Color> body;
    std::vector<std::vector<Rect>> links; // by link index
    int height = 0; // of all lines laid out
    int widestLine = 0;
    std::string plainText;
};

// Lays out `document` in `area`. With `clip`, lines starting below the area
// are left out, as drawing stops there.
HtmlLayout LayoutHtml(const HtmlDocument& document, HtmlMeasurer& measurer, const Rect& area, bool clip);

} // namespace qm
