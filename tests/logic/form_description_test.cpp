#include <gtest/gtest.h>

#include "framework/colors.h"
#include "framework/component.h"
#include "framework/form_text.h"

namespace qm {
namespace {

TEST(FormText, ReadsNestedObjectsAndEveryKindOfValue)
{
    FormObject form = ParseFormText(R"(object MainForm: TMainForm
  Caption = 'It''s here'
  Hint = 'Two'#13#10'lines' +
    ' joined'
  Left = -12
  Font.Style = [fsBold, fsItalic]
  Empty = []
  Lines = (
    'first '
    'second'#33)
  // a comment
  OnCreate = FormCreate
  object Panel1: TPanel
    Visible = False
  end
end
)");
    EXPECT_EQ(form.name, "MainForm");
    EXPECT_EQ(form.className, "TMainForm");
    ASSERT_EQ(form.properties.size(), 7u);
    EXPECT_EQ(form.properties[5].value.AsList(), (std::vector<std::string>{"first ", "second!"}));
    form.properties.erase(form.properties.begin() + 5);
    EXPECT_EQ(form.properties[0].value.AsString(), "It's here");
    EXPECT_EQ(form.properties[1].value.AsString(), "Two\r\nlines joined");
    EXPECT_EQ(form.properties[2].value.AsInt(), -12);
    EXPECT_EQ(form.properties[3].value.AsSet(), (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(form.properties[4].value.AsSet().empty());
    EXPECT_EQ(form.properties[5].value.AsIdentifier(), "FormCreate");
    ASSERT_EQ(form.children.size(), 1u);
    EXPECT_FALSE(form.children[0].properties[0].value.AsBool());
    EXPECT_EQ(form.children[0].line, 13);
}

TEST(FormText, MalformedTextFailsWithItsLine)
{
    const char* broken[] = {
        "object A: TA\n  X = 'open\nend\n",
        "object A: TA\n  X = \nend\n",
        "object A TA\nend\n",
        "object A: TA\n  X = 1\n",
        "object A: TA\nend\nend\n",
        "object A: TA\n  X = #300\nend\n",
        "object A: TA\n  X = 99999999999999999999\nend\n",
        "",
    };
    for (const char* text : broken)
        EXPECT_THROW(ParseFormText(text), EFormDescription) << text;
    try {
        ParseFormText("object A: TA\n  X = 1\n  Y = ?\nend\n");
        FAIL();
    } catch (const EFormDescription& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

TEST(FormText, ValuesOfTheWrongKindAreRefused)
{
    FormObject form = ParseFormText("object A: TA\n  N = 5\n  S = 'x'\n  B = Maybe\nend\n");
    EXPECT_THROW(form.properties[0].value.AsString(), EFormDescription);
    EXPECT_THROW(form.properties[1].value.AsInt(), EFormDescription);
    EXPECT_THROW(form.properties[2].value.AsBool(), EFormDescription);
    FormObject big = ParseFormText("object A: TA\n  N = 3000000000\nend\n");
    EXPECT_THROW(big.properties[0].value.AsInt(), EFormDescription);
    EXPECT_EQ(big.properties[0].value.AsInteger(), 3000000000ll);
}

// A component with one property and one event, as the loader sees it.
class Probe : public Component {
public:
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {IntProperty<Probe, &Probe::size>("Size")};
        static constexpr EventInfo kEvents[] = {MakeEvent<Probe, &Probe::onPing>("OnPing")};
        static constexpr TypeInfo kType = ComponentType<Probe>("TProbe", &Component::StaticType, kProperties, kEvents);
        return kType;
    }
    const TypeInfo& Type() const override { return StaticType(); }
    void InsertChild(Component& child) override { children.push_back(&child); }
    void Loaded() override
    {
        loadedWhileLoading = IsLoading();
        ++loadedCalls;
    }

    int size = 0;
    NotifyEvent onPing;
    std::vector<Component*> children;
    int loadedCalls = 0;
    bool loadedWhileLoading = true;
};

class ProbeFactory : public ComponentFactory {
public:
    std::unique_ptr<Component> Create(std::string_view className) override
    {
        return className == "TProbe" ? std::make_unique<Probe>() : nullptr;
    }
};

struct Loaded {
    Probe root;
    std::vector<std::unique_ptr<Component>> owned;
};

void Load(Loaded& loaded, const char* text, const HandlerTable& handlers)
{
    ProbeFactory factory;
    ApplyDescription(ParseFormText(text), loaded.root, factory, handlers,
                     [&](std::unique_ptr<Component> c) { loaded.owned.push_back(std::move(c)); });
}

TEST(ApplyDescription, AppliesPropertiesBindsHandlersAndBuildsTheTree)
{
    HandlerTable handlers;
    int pings = 0;
    handlers.Add<void(Component&)>("Pinged", [&](Component&) { ++pings; });
    Loaded loaded;
    Load(loaded, "object Root: TProbe\n Size = 3\n object Child: TProbe\n  Size = 7\n  OnPing = Pinged\n end\nend\n",
         handlers);
    EXPECT_EQ(loaded.root.Name(), "Root");
    EXPECT_EQ(loaded.root.size, 3);
    ASSERT_EQ(loaded.root.children.size(), 1u);
    auto& child = static_cast<Probe&>(*loaded.root.children[0]);
    EXPECT_EQ(child.Name(), "Child");
    EXPECT_EQ(child.size, 7);
    EXPECT_EQ(child.Owner(), &loaded.root);
    child.onPing(child);
    EXPECT_EQ(pings, 1);
    EXPECT_EQ(child.loadedCalls, 1);
    EXPECT_FALSE(child.loadedWhileLoading);
    EXPECT_EQ(loaded.root.loadedCalls, 1);
}

TEST(ApplyDescription, EveryUnknownNameFailsLoudly)
{
    HandlerTable handlers;
    handlers.Add<void(Component&, int)>("WrongShape", [](Component&, int) {});
    const char* cases[] = {
        "object R: TProbe\n Colour = 3\nend\n", // unknown property
        "object R: TProbe\n OnPing = Missing\nend\n", // unknown handler
        "object R: TProbe\n OnPing = WrongShape\nend\n", // handler of another signature
        "object R: TProbe\n OnPong = Missing\nend\n", // unknown event
        "object R: TProbe\n object C: TUnknown\n end\nend\n", // unknown class
        "object R: TProbe\n Size = 'big'\nend\n", // wrong kind of value
    };
    for (const char* text : cases) {
        Loaded loaded;
        EXPECT_THROW(Load(loaded, text, handlers), EFormDescription) << text;
    }
}

TEST(ApplyDescription, TheMessageNamesTheObjectAndLine)
{
    HandlerTable handlers;
    Loaded loaded;
    try {
        Load(loaded, "object R: TProbe\n object Knob: TProbe\n  Size = 1\n  Sise = 2\n end\nend\n", handlers);
        FAIL();
    } catch (const EFormDescription& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("Knob"), std::string::npos) << what;
        EXPECT_NE(what.find("line 4"), std::string::npos) << what;
        EXPECT_NE(what.find("Sise"), std::string::npos) << what;
    }
}

TEST(Colors, NamesNumbersAndSystemColours)
{
    FormObject form = ParseFormText("object A: TA\n  C = clLime\n  D = 255\n  E = clBtnFace\n  F = clPink\nend\n");
    EXPECT_EQ(ParseColor(form.properties[0].value), 0x00FF00u);
    EXPECT_EQ(ParseColor(form.properties[1].value), clRed);
    EXPECT_TRUE(IsSystemColor(ParseColor(form.properties[2].value)));
    EXPECT_EQ(SystemColorIndex(ParseColor(form.properties[2].value)), 15);
    EXPECT_THROW(ParseColor(form.properties[3].value), EFormDescription);
}

} // namespace
} // namespace qm
