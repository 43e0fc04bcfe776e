#include "widgets/html_layout.h"

#include <algorithm>

namespace qm {

namespace {

constexpr int kListIndent = 12;

// One piece waiting on the current line.
struct Pending {
    enum class Kind { Word, Picture, Bullet } kind;
    int x = 0;
    int width = 0, height = 0;
    int extra = 0; // subscript or superscript room
    const HtmlToken* token = nullptr;
};

class Layouter {
public:
    Layouter(const HtmlDocument& document, HtmlMeasurer& measurer, const Rect& area, bool clip)
        : document_(document), measurer_(measurer), area_(area), clip_(clip), top_(area.top)
    {
        result_.links.resize(document.links.size());
    }

    HtmlLayout Run()
    {
        HtmlStyle lineStyle;
        if (!document_.tokens.empty())
            lineStyle = document_.tokens.front().style;
        StartLine(lineStyle);
        for (const HtmlToken& token : document_.tokens)
            Take(token);
        EndLine(nullptr);
        return std::move(result_);
    }

private:
    void StartLine(const HtmlStyle& style)
    {
        pending_.clear();
        x_ = area_.left;
        lineHeight_ = measurer_.Text(style, "gh").height;
        hasBullet_ = false;
        lineAlign_ = align_;
        lastStyle_ = style;
    }

    void Take(const HtmlToken& token)
    {
        using Kind = HtmlToken::Kind;
        switch (token.kind) {
        case Kind::Word: {
            HtmlSize size = measurer_.Text(token.style, token.text);
            int extra = token.style.sub || token.style.sup ? size.height / 4 : 0;
            Place({Pending::Kind::Word, 0, size.width, size.height, extra, &token});
            lastStyle_ = token.style;
            break;
        }
        case Kind::Image: {
            HtmlSize natural = measurer_.Picture(token.text);
            int width = token.width > 0 ? token.width : natural.width;
            int height = token.height > 0 ? token.height : natural.height;
            Place({Pending::Kind::Picture, 0, width, height, 0, &token});
            break;
        }
        case Kind::Break:
            EndLine(&token.style);
            break;
        case Kind::Rule: {
            const int lineBottom = top_ + lineHeight_;
            EndLine(&token.style);
            result_.rules.push_back({area_.left, lineBottom, area_.right, lineBottom + 1});
            break;
        }
        case Kind::Bullet: {
            if (hasBullet_)
                EndLine(&token.style);
            hasBullet_ = true;
            x_ = std::max(x_, area_.left + kListIndent * token.value);
            HtmlSize size = measurer_.Text(token.style, "o");
            pending_.push_back({Pending::Kind::Bullet, x_, kListIndent, size.height, 0, &token});
            lineHeight_ = std::max(lineHeight_, size.height);
            x_ += kListIndent;
            break;
        }
        case Kind::Indent:
            x_ = std::max(x_, area_.left + token.value);
            break;
        case Kind::Align:
            align_ = token.align;
            lineAlign_ = token.align;
            break;
        case Kind::LineBackground:
            lineBackground_ = token.color;
            break;
        case Kind::BodyBackground:
            result_.body = token.color;
            break;
        }
    }

    void Place(Pending piece)
    {
        const int areaWidth = area_.Width();
        const int lineLength = x_ - area_.left + piece.width;
        // A piece wider than the whole area stays where it stands, clipped.
        if (!(lineLength < areaWidth || piece.width >= areaWidth) && !pending_.empty())
            EndLine(&piece.token->style);
        piece.x = x_;
        x_ += piece.width;
        lineHeight_ = std::max(lineHeight_, piece.height + piece.extra);
        pending_.push_back(piece);
    }

    void EndLine(const HtmlStyle* nextStyle)
    {
        // The trailing blank does not count toward the line's width.
        int right = area_.left;
        for (const Pending& piece : pending_) {
            int end = piece.x + piece.width;
            if (piece.kind == Pending::Kind::Word && !piece.token->text.empty() && piece.token->text.back() == ' ')
                end -= measurer_.Text(piece.token->style, " ").width;
            right = std::max(right, end);
        }
        const int width = right - area_.left;
        int shift = 0;
        if (lineAlign_ == HtmlAlign::Right)
            shift = area_.Width() - width;
        else if (lineAlign_ == HtmlAlign::Center)
            shift = (area_.Width() - width) / 2;
        result_.widestLine = std::max(result_.widestLine, width);

        const bool visible = !clip_ || top_ <= area_.bottom;
        if (visible) {
            if (lineBackground_)
                result_.bands.push_back({{area_.left, top_, area_.right, top_ + lineHeight_}, *lineBackground_});
            for (const Pending& piece : pending_)
                Emit(piece, shift);
        }
        for (const Pending& piece : pending_)
            if (piece.kind == Pending::Kind::Word)
                result_.plainText += piece.token->text;
        if (!pending_.empty())
            result_.plainText += "\r\n";

        top_ += lineHeight_;
        result_.height = top_ - area_.top;
        StartLine(nextStyle ? *nextStyle : lastStyle_);
    }

    void Emit(const Pending& piece, int shift)
    {
        const int bottom = top_ + lineHeight_;
        Rect rect = Rect::FromBounds(piece.x + shift, bottom - piece.height, piece.width, piece.height);
        switch (piece.kind) {
        case Pending::Kind::Word: {
            const HtmlStyle& style = piece.token->style;
            if (style.sup)
                rect = Rect::FromBounds(rect.left, rect.top - piece.extra, piece.width, piece.height);
            result_.words.push_back({rect, piece.token->text, style});
            if (style.link >= 0 && style.link < static_cast<int>(result_.links.size()))
                result_.links[style.link].push_back(rect);
            break;
        }
        case Pending::Kind::Picture:
            if (piece.token->imageAlign == HtmlImageAlign::Top)
                rect = Rect::FromBounds(rect.left, top_, piece.width, piece.height);
            else if (piece.token->imageAlign == HtmlImageAlign::Middle)
                rect = Rect::FromBounds(rect.left, top_ + (lineHeight_ - piece.height) / 2, piece.width, piece.height);
            result_.pictures.push_back({rect, piece.token->text});
            break;
        case Pending::Kind::Bullet:
            result_.bullets.push_back({rect, piece.token->style, piece.token->value % 2 == 1});
            break;
        }
    }

    const HtmlDocument& document_;
    HtmlMeasurer& measurer_;
    Rect area_;
    bool clip_;
    HtmlLayout result_;
    std::vector<Pending> pending_;
    int x_ = 0;
    int top_ = 0;
    int lineHeight_ = 0;
    bool hasBullet_ = false;
    HtmlAlign align_ = HtmlAlign::Left;
    HtmlAlign lineAlign_ = HtmlAlign::Left;
    std::optional<Color> lineBackground_;
    HtmlStyle lastStyle_;
};

} // namespace

HtmlLayout LayoutHtml(const HtmlDocument& document, HtmlMeasurer& measurer, const Rect& area, bool clip)
{
    return Layouter(document, measurer, area, clip).Run();
}

} // namespace qm
