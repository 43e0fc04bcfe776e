#include <gtest/gtest.h>

#include <set>

#include "test_support.h"
#include "widgets/html_static_text.h"
#include "widgets/widget_classes.h"

namespace qm {
namespace {

const char* kLinks = R"(object F: TQuarrimondTestForm
  ClientWidth = 400
  ClientHeight = 100
  Color = clWhite
  object Text: THTMLStaticText
    Left = 10
    Top = 10
    Width = 380
    Height = 40
    HTMLText.Strings = (
      'Go to <a href="https://quarrimond.example.org/">the site</a> '
      'or <a href="details">details</a>.')
    OnAnchorClick = AnchorClicked
    OnAnchorKeypress = AnchorPressed
    OnClick = Clicked
  end
end
)";

class HtmlText : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        RegisterWidgetClasses(app->Classes());
        struct Form : test::TextForm {
            Form(Application& a, std::vector<std::string>& log) : test::TextForm(a, kLinks)
            {
                Handlers().Add<void(Component&, const std::string&)>(
                    "AnchorClicked",
                    [&log](Component&, const std::string& anchor) { log.push_back("click " + anchor); });
                Handlers().Add<void(Component&, const std::string&)>(
                    "AnchorPressed", [&log](Component&, const std::string& anchor) { log.push_back("key " + anchor); });
                Handlers().Add<void(Component&)>("Clicked", [&log](Component&) { log.push_back("OnClick"); });
            }
        };
        form = &app->CreateForm<Form>(log);
        form->Show();
        text = &form->Find<THTMLStaticText>("Text");
        text->Repaint();
    }

    POINT CentreOfLink(int link)
    {
        const Rect& r = text->LastLayout().links.at(link).at(0);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    test::FakeServices services;
    std::unique_ptr<Application> app;
    test::TextForm* form = nullptr;
    THTMLStaticText* text = nullptr;
    std::vector<std::string> log;
};

TEST_F(HtmlText, APaintLaysOutAgainOnlyWhatChanged)
{
    const HtmlLayout first = text->LastLayout();
    ASSERT_FALSE(first.words.empty());
    text->Repaint(); // nothing changed: the same layout
    EXPECT_EQ(text->LastLayout().words.size(), first.words.size());

    text->SetHTMLText("<b>Bold</b> words");
    auto placed = [&](const std::string& word) {
        for (const HtmlPlacedWord& w : text->LastLayout().words)
            if (w.text.starts_with(word))
                return w.rect;
        ADD_FAILURE() << "no word " << word;
        return Rect{};
    };
    text->Repaint();
    EXPECT_EQ(text->LastLayout().words.front().text, "Bold");
    const int narrow = placed("Bold").Width();

    FontSpec larger = text->GetFont();
    larger.height = -24;
    text->SetFont(larger);
    text->Repaint();
    EXPECT_GT(placed("Bold").Width(), narrow);

    text->SetBounds(Rect::FromBounds(10, 10, 30, 120)); // too narrow for both words on one line
    text->Repaint();
    EXPECT_GT(placed("words").top, placed("Bold").top);
}

TEST_F(HtmlText, WebLinksGoToTheShellPlainOnesToTheHandler)
{
    ASSERT_EQ(text->LastLayout().links.size(), 2u);
    POINT site = CentreOfLink(0);
    test::ClickAt(*text, site.x, site.y);
    EXPECT_EQ(services.opened, (std::vector<std::string>{"https://quarrimond.example.org/"}));
    EXPECT_EQ(log, (std::vector<std::string>{"OnClick"}));
    POINT details = CentreOfLink(1);
    test::ClickAt(*text, details.x, details.y);
    EXPECT_EQ(log, (std::vector<std::string>{"OnClick", "click details", "OnClick"}));
    EXPECT_EQ(services.opened.size(), 1u);
}

TEST_F(HtmlText, LinksAreBlueAndUnderlinedTheRestInTheFontColour)
{
    test::Snapshot shot(*text);
    const Rect& link = text->LastLayout().links[0][0];
    bool blue = false, underline = false;
    for (int x = link.left; x < link.right; ++x) {
        for (int y = link.top; y < link.bottom; ++y)
            blue = blue || shot.At(x, y) == 0x0000FF;
        underline = underline || shot.At(x, link.bottom - 2) == 0x0000FF || shot.At(x, link.bottom - 3) == 0x0000FF;
    }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(underline);
    bool black = false;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y)
            black = black || shot.At(x, y) == 0x000000;
    EXPECT_TRUE(black); // "Go" in the window text colour
}

TEST_F(HtmlText, ArrowKeysCycleTheLinksAndEnterFollowsTheFocusedOne)
{
    SetFocus(text->Handle());
    EXPECT_EQ(text->FocusedLink(), 0);
    SendMessageA(text->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(text->FocusedLink(), 1);
    SendMessageA(text->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(text->FocusedLink(), 0); // from the last back to the first
    SendMessageA(text->Handle(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(text->FocusedLink(), 1);
    SendMessageA(text->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"key details"}));
    SendMessageA(text->Handle(), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(text->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(services.opened, (std::vector<std::string>{"https://quarrimond.example.org/"}));
}

TEST_F(HtmlText, DisabledTextIsGreyWithAWhiteShadow)
{
    text->SetHTMLText("<b>MMMM</b>");
    text->SetEnabled(false);
    test::Snapshot shot(*text);
    int grey = 0, whiteRightOfGrey = 0;
    for (int y = 0; y + 1 < shot.Height(); ++y)
        for (int x = 0; x + 1 < shot.Width(); ++x)
            if (shot.At(x, y) == 0x808080) {
                ++grey;
                if (shot.At(x + 1, y + 1) == 0xFFFFFF)
                    ++whiteRightOfGrey;
            }
    EXPECT_GT(grey, 10);
    EXPECT_GT(whiteRightOfGrey, 0);
}

TEST_F(HtmlText, AutoSizingFitsTheControlToItsText)
{
    text->SetHTMLText("short");
    text->SetAutoSizing(true);
    text->Repaint();
    EXPECT_EQ(text->Width(), text->LastLayout().widestLine + 6);
    EXPECT_LT(text->Width(), 100);
}

TEST_F(HtmlText, BlinkingTogglesEveryHalfSecond)
{
    text->SetHTMLText("<blink>WWWW</blink>");
    text->SetEnableBlink(true);
    auto inkOf = [&] {
        test::Snapshot shot(*text);
        int ink = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                ink += shot.At(x, y) != 0xFFFFFF;
        return ink;
    };
    std::set<bool> seen;
    for (int i = 0; i < 8; ++i) {
        seen.insert(inkOf() > 0);
        test::PumpFor(130);
    }
    EXPECT_EQ(seen.size(), 2u); // both phases were seen
    text->SetEnableBlink(false);
    EXPECT_GT(inkOf(), 0);
}

} // namespace
} // namespace qm
