#include <gtest/gtest.h>

#include "widgets/html_layout.h"
#include "widgets/html_markup.h"

namespace qm {
namespace {

// Every character 6 pixels wide (7 in bold), lines 13 pixels high.
class FixedMeasurer : public HtmlMeasurer {
public:
    HtmlSize Text(const HtmlStyle& style, const std::string& text) override
    {
        return {static_cast<int>(text.size()) * (style.bold ? 7 : 6), 13};
    }
    HtmlSize Picture(const std::string& source) override
    {
        return source == "RES://LOGO" ? HtmlSize{40, 20} : HtmlSize{};
    }
};

std::vector<std::string> Lines(const HtmlLayout& layout)
{
    std::vector<std::string> lines;
    int top = -1;
    for (const HtmlPlacedWord& word : layout.words) {
        if (word.rect.bottom != top) {
            lines.emplace_back();
            top = word.rect.bottom;
        }
        lines.back() += word.text;
    }
    return lines;
}

HtmlLayout Lay(std::string_view html, int width, HtmlAlign align = HtmlAlign::Left)
{
    std::string text(html);
    if (align == HtmlAlign::Right)
        text = "<p align=right>" + text;
    else if (align == HtmlAlign::Center)
        text = "<p align=\"center\">" + text;
    static FixedMeasurer measurer;
    return LayoutHtml(ParseHtml(text, HtmlStyle{}), measurer, Rect::FromBounds(0, 0, width, 400), true);
}

TEST(HtmlLayout, WizardChecklistWrapsAtWordsWithOnlyFinishBold)
{
    HtmlLayout layout = Lay("Please review the final checklist and click <b>Finish</b> when you're ready to start "
                            "the optimization process...",
                            297);
    std::vector<std::string> lines = Lines(layout);
    ASSERT_EQ(lines.size(), 3u);
    // 264 pixels of regular text leave no room for the 42 of a bold "Finish".
    EXPECT_EQ(lines[0], "Please review the final checklist and click ");
    EXPECT_EQ(lines[1], "Finish when you're ready to start the ");
    EXPECT_EQ(lines[2], "optimization process...");
    for (const HtmlPlacedWord& word : layout.words)
        EXPECT_EQ(word.style.bold, word.text == "Finish") << word.text;
    for (const HtmlPlacedWord& word : layout.words)
        EXPECT_LE(word.rect.right, 297 + 6) << word.text; // only a trailing blank may pass the edge
    EXPECT_EQ(layout.height, 39);
}

TEST(HtmlLayout, JoinedLinesRunTogetherWithoutABlank)
{
    EXPECT_EQ(Lines(Lay(std::string("one two ") + "three", 297)), (std::vector<std::string>{"one two three"}));
    HtmlLayout joined = Lay(std::string("one two") + "three", 297);
    ASSERT_EQ(joined.words.size(), 2u);
    EXPECT_EQ(joined.words[1].text, "twothree");
}

TEST(HtmlLayout, AWordWiderThanTheAreaStaysWhereItStands)
{
    HtmlLayout layout = Lay("ab supercalifragilistic cd", 60);
    ASSERT_EQ(layout.words.size(), 3u);
    EXPECT_EQ(layout.words[1].rect.top, layout.words[0].rect.top);
    EXPECT_EQ(layout.words[1].rect.left, 18);
    EXPECT_GT(layout.words[1].rect.right, 60);
    EXPECT_GT(layout.words[2].rect.top, layout.words[1].rect.top);
}

TEST(HtmlLayout, RightAndCentreIgnoreTheTrailingBlank)
{
    HtmlLayout right = Lay("ab cd ", 100, HtmlAlign::Right);
    ASSERT_EQ(right.words.size(), 2u);
    EXPECT_EQ(right.words[0].rect.left, 100 - 30); // "ab cd" is 30 pixels
    HtmlLayout centre = Lay("ab cd ", 100, HtmlAlign::Center);
    EXPECT_EQ(centre.words[0].rect.left, 35);
}

TEST(HtmlLayout, BreaksRulesAndParagraphs)
{
    HtmlLayout layout = Lay("one<br>two<hr>three<p>four</p>five", 300);
    EXPECT_EQ(Lines(layout), (std::vector<std::string>{"one", "two", "threefour", "five"}));
    ASSERT_EQ(layout.rules.size(), 1u);
    EXPECT_EQ(layout.rules[0].top, 26);
    EXPECT_EQ(layout.rules[0].Width(), 300);
}

TEST(HtmlLayout, LinksCollectTheirRectangles)
{
    HtmlLayout layout = Lay("see <a href=\"https://example.org/x\">the home page</a> or <a href=help>help</a>", 300);
    ASSERT_EQ(layout.links.size(), 2u);
    EXPECT_EQ(layout.links[0].size(), 3u);
    EXPECT_EQ(layout.links[0][0].left, 24);
    EXPECT_EQ(layout.links[1].size(), 1u);
}

TEST(HtmlLayout, ClipsLinesBelowTheAreaUnlessMeasuring)
{
    FixedMeasurer measurer;
    HtmlDocument document = ParseHtml("a<br>b<br>c<br>d", HtmlStyle{});
    HtmlLayout clipped = LayoutHtml(document, measurer, Rect::FromBounds(0, 0, 50, 20), true);
    EXPECT_EQ(clipped.words.size(), 2u); // the line starting at 13 is still drawn, 26 is not
    HtmlLayout full = LayoutHtml(document, measurer, Rect::FromBounds(0, 0, 50, 20), false);
    EXPECT_EQ(full.words.size(), 4u);
    EXPECT_EQ(full.height, 52);
}

TEST(HtmlLayout, PicturesBulletsAndIndents)
{
    HtmlLayout layout = Lay("<img src=\"RES://LOGO\">x<br><ul><li>item</ul><br><ind x=50>far", 300);
    ASSERT_EQ(layout.pictures.size(), 1u);
    EXPECT_EQ(layout.pictures[0].rect, Rect::FromBounds(0, 0, 40, 20));
    ASSERT_EQ(layout.bullets.size(), 1u);
    EXPECT_TRUE(layout.bullets[0].filled);
    EXPECT_EQ(layout.bullets[0].rect.left, 12);
    EXPECT_EQ(layout.words.back().rect.left, 50);
}

TEST(HtmlLayout, CollectsThePlainTextLineByLine)
{
    EXPECT_EQ(Lay("a <b>bold</b> &amp; <a href=\"x\">link</a><br>next", 300).plainText, "a bold & link\r\nnext\r\n");
    EXPECT_EQ(Lay("broken <b", 300).plainText, "broken \r\n");
    EXPECT_EQ(Lay("", 300).plainText, "");
}

TEST(HtmlMarkup, StylesOpenAndClose)
{
    HtmlDocument doc =
        ParseHtml("<b>b</b><i>i</i><u>u</u><s>s</s><font face=\"Arial\" color=#FF0000 size=12>f</font>n", HtmlStyle{});
    ASSERT_EQ(doc.tokens.size(), 6u);
    EXPECT_TRUE(doc.tokens[0].style.bold);
    EXPECT_TRUE(doc.tokens[1].style.italic && !doc.tokens[1].style.bold);
    EXPECT_TRUE(doc.tokens[2].style.underline);
    EXPECT_TRUE(doc.tokens[3].style.strike);
    EXPECT_EQ(doc.tokens[4].style.face, "Arial");
    EXPECT_EQ(doc.tokens[4].style.color, clRed);
    EXPECT_EQ(doc.tokens[4].style.size, 12);
    EXPECT_EQ(doc.tokens[5].style, HtmlStyle{});
}

TEST(HtmlMarkup, EntitiesAndLiteralTags)
{
    HtmlDocument doc = ParseHtml("&lt;b&gt; &amp;x &nbsp; <#tag>", HtmlStyle{});
    std::string text;
    for (const HtmlToken& token : doc.tokens) {
        text += token.text;
        EXPECT_FALSE(token.style.bold);
    }
    EXPECT_EQ(text, "<b> &x &nbsp; tag");
}

TEST(HtmlMarkup, MalformedMarkupNeverReadsPastTheText)
{
    for (const char* text : {"<b", "text <a href=", "</", "<>", "< >", "<", "a</b></b></font></ul></p>b",
                             "<font size=99999999>big</font>", "<r a=45>turned</r>", "", "<img src=>"}) {
        HtmlDocument doc = ParseHtml(text, HtmlStyle{});
        FixedMeasurer measurer;
        HtmlLayout layout = LayoutHtml(doc, measurer, Rect::FromBounds(0, 0, 100, 100), false);
        EXPECT_GE(layout.height, 0) << text;
    }
    EXPECT_TRUE(ParseHtml("before <b never closed", HtmlStyle{}).tokens.size() == 1u);
    EXPECT_EQ(ParseHtml("<font size=99999999>x", HtmlStyle{}).tokens[0].style.size, 1000);
}

TEST(HtmlMarkup, ColoursByNameOrHex)
{
    EXPECT_EQ(HtmlColor("clNavy"), clNavy);
    EXPECT_EQ(HtmlColor("CLRED"), clRed);
    EXPECT_EQ(HtmlColor("clNoSuch"), clBlack);
    EXPECT_EQ(HtmlColor("#102030"), MakeColor(0x10, 0x20, 0x30));
    EXPECT_FALSE(HtmlColor("#12"));
    EXPECT_FALSE(HtmlColor("red"));
    EXPECT_EQ(HtmlAttribute("<a HREF=\"x y\">", "href"), "x"); // a value ends at a blank
    EXPECT_EQ(HtmlAttribute("<a href='z'>", "HREF"), "z");
    EXPECT_FALSE(HtmlAttribute("<a>", "href"));
}

} // namespace
} // namespace qm

namespace qm {
namespace {

TEST(HtmlPlainText, ReadsTheWordsAsOneLine)
{
    // The main window's banner, as its description holds it.
    EXPECT_EQ(HtmlPlainText(ParseHtml("Enjoying <b>Quarrimond</b>? See <a href=\"https://quarrimond.example.org/\">the "
                                      "Quarrimond home page</a> for updates.",
                                      HtmlStyle{})),
              "Enjoying Quarrimond? See the Quarrimond home page for updates.");
    EXPECT_EQ(HtmlPlainText(ParseHtml("first<br>second<hr><img src=\"x\">third", HtmlStyle{})), "first second third");
    EXPECT_EQ(HtmlPlainText(ParseHtml("", HtmlStyle{})), "");
    EXPECT_EQ(HtmlPlainText(ParseHtml("<b>unclosed", HtmlStyle{})), "unclosed");
}

} // namespace
} // namespace qm
