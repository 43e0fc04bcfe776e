// Property tables: descriptions applied through them, values read back,
// stored settings texts, nested objects and collections.
#include <gtest/gtest.h>

#include "framework/component.h"
#include "framework/properties.h"

namespace qm {
namespace {

enum class Speed { spModem, spIsdn, spDsl };
constexpr std::string_view kSpeedNames[] = {"spModem", "spIsdn", "spDsl"};
constexpr std::string_view kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline"};

struct Inner {
    int depth = 1;
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {IntProperty<Inner, &Inner::depth>("Depth")};
        static constexpr TypeInfo kType = RecordType("Inner", kProperties);
        return kType;
    }
};

struct Column {
    std::string caption;
    int width = 50;
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {
            StringProperty<Column, &Column::caption>("Caption"),
            IntProperty<Column, &Column::width>("Width"),
        };
        static constexpr TypeInfo kType = RecordType("Column", kProperties);
        return kType;
    }
};

// A record with one property of every kind, and a counter of change notices.
struct Sample {
    int count = 3;
    short small = 0;
    double ratio = 0.5;
    bool on = false;
    Speed speed = Speed::spModem;
    int style = 0;
    std::string text = "x";
    std::uint32_t color = 0x00FF00;
    std::vector<std::string> lines;
    std::string partner;
    Inner inner;
    int innerChanges = 0;
    std::vector<Column> columns;
    int clamped = 0;

    int Clamped() const { return clamped; }
    void SetClamped(int value) { clamped = value < 0 ? 0 : value > 10 ? 10 : value; }

    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {
            IntProperty<Sample, &Sample::count>("Count"),
            IntProperty<Sample, &Sample::small>("Small"),
            FloatProperty<Sample, &Sample::ratio>("Ratio"),
            BoolProperty<Sample, &Sample::on>("On"),
            EnumProperty<Sample, &Sample::speed>("Speed", kSpeedNames),
            SetProperty<Sample, &Sample::style>("Style", kStyleNames),
            StringProperty<Sample, &Sample::text>("Text"),
            ColorProperty<Sample, &Sample::color>("Color"),
            LinesProperty<Sample, &Sample::lines>("Lines"),
            ReferenceProperty<Sample, &Sample::partner>("Partner"),
            ObjectProperty<Sample, Inner, [](Sample& s, bool) { return &s.inner; },
                           [](Sample& s) { ++s.innerChanges; }>("Inner"),
            CollectionProperty<Sample, Column, [](Sample& s) -> std::vector<Column>& { return s.columns; }>("Columns"),
            IntProperty<Sample, &Sample::Clamped, &Sample::SetClamped>("Clamped"),
            IntProperty<Sample, &Sample::count, nullptr>("ReadOnly"),
        };
        static constexpr TypeInfo kType = RecordType("Sample", kProperties);
        return kType;
    }
};

PropertyTarget Find(Sample& sample, std::string_view path)
{
    return FindProperty(Sample::StaticType(), &sample, path, true);
}

void Apply(Sample& sample, std::string_view path, std::string_view valueText)
{
    PropertyTarget target = Find(sample, path);
    ASSERT_TRUE(target) << path;
    ApplyFormValue(target, ParseFormValue(valueText));
}

std::string Read(Sample& sample, std::string_view path)
{
    return FormatFormValue(ReadFormValue(Find(sample, path)));
}

// Stands for a control: counts how often it is drawn and laid out again,
// and what its field held each time.
class Gauge {
public:
    std::vector<std::string> events;
    void Invalidate() { events.push_back("draw " + std::to_string(height_)); }
    void Realign() { events.push_back("layout " + std::to_string(height_)); }

    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {
            EnumProperty<Gauge, Repainted<&Gauge::speed_>>("Speed", kSpeedNames),
            IntProperty<Gauge, Realigned<&Gauge::height_>>("Height"),
        };
        static constexpr TypeInfo kType = RecordType("Gauge", kProperties);
        return kType;
    }
    Speed speed() const { return speed_; }

private:
    Speed speed_ = Speed::spModem;
    int height_ = 62;
};

TEST(Properties, AFieldThatShowsIsWrittenThenDrawnAndLaidOutAgain)
{
    Gauge gauge;
    auto apply = [&](std::string_view path, std::string_view text) {
        ApplyFormValue(FindProperty(Gauge::StaticType(), &gauge, path, true), ParseFormValue(text));
    };
    auto read = [&](std::string_view path) {
        return FormatFormValue(ReadFormValue(FindProperty(Gauge::StaticType(), &gauge, path, false)));
    };
    EXPECT_EQ(read("Height"), "62");
    EXPECT_EQ(read("Speed"), "spModem");
    EXPECT_TRUE(gauge.events.empty());
    apply("Speed", "spIsdn");
    EXPECT_EQ(gauge.speed(), Speed::spIsdn);
    EXPECT_EQ(gauge.events, (std::vector<std::string>{"draw 62"}));
    apply("Height", "40");
    EXPECT_EQ(read("Height"), "40");
    EXPECT_EQ(gauge.events, (std::vector<std::string>{"draw 62", "layout 40", "draw 40"}));
}

TEST(Properties, DescriptionValuesReachTheFieldsAndReadBackAsWritten)
{
    Sample s;
    const std::pair<const char*, const char*> cases[] = {
        {"Count", "-17"},
        {"Ratio", "0.25"},
        {"On", "True"},
        {"Speed", "spDsl"},
        {"Style", "[fsBold, fsUnderline]"},
        {"Text", "'it''s'#13#10'two'"},
        {"Color", "clBtnFace"},
        {"Lines", "( 'a' '' 'c''d' )"},
        {"Partner", "Wizard1"},
        {"Inner.Depth", "9"},
        {"Columns", "< item Caption = 'PID' Width = 40 end item Caption = 'Name' Width = 120 end >"},
    };
    for (const auto& [path, text] : cases) {
        Apply(s, path, text);
        EXPECT_EQ(Read(s, path), text) << path;
    }
    EXPECT_EQ(s.count, -17);
    EXPECT_EQ(s.speed, Speed::spDsl);
    EXPECT_EQ(s.style, 5);
    EXPECT_EQ(s.text, "it's\r\ntwo");
    EXPECT_EQ(s.lines, (std::vector<std::string>{"a", "", "c'd"}));
    ASSERT_EQ(s.columns.size(), 2u);
    EXPECT_EQ(s.columns[1].caption, "Name");
    EXPECT_EQ(s.columns[1].width, 120);
    // A colour without a name reads back as its number.
    Apply(s, "Color", "12345");
    EXPECT_EQ(Read(s, "Color"), "12345");
}

TEST(Properties, BadValuesAreRefusedWithTheReason)
{
    Sample s;
    auto failure = [&](std::string_view path, std::string_view text) {
        try {
            Apply(s, path, text);
        } catch (const EFormDescription& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(failure("Speed", "spT1").find("spModem, spIsdn, spDsl"), std::string::npos);
    EXPECT_NE(failure("Style", "[fsStrike]").find("fsStrike"), std::string::npos);
    EXPECT_NE(failure("Small", "40000").find("out of range"), std::string::npos);
    EXPECT_NE(failure("Count", "'three'").find("number"), std::string::npos);
    EXPECT_NE(failure("ReadOnly", "1").find("read-only"), std::string::npos);
    EXPECT_NE(failure("Inner", "3").find("object"), std::string::npos);
    EXPECT_NE(failure("Columns", "< item Height = 3 end >").find("Height"), std::string::npos);
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.small, 0);
    EXPECT_FALSE(Find(s, "Nothing"));
    EXPECT_FALSE(Find(s, "Inner.Nothing"));
    EXPECT_FALSE(Find(s, "Count.Depth"));
}

TEST(Properties, WritingThroughANestedObjectTellsItsOwner)
{
    Sample s;
    Apply(s, "Inner.Depth", "4");
    EXPECT_EQ(s.inner.depth, 4);
    EXPECT_EQ(s.innerChanges, 1);
}

TEST(Properties, SettersDecideWhatIsStored)
{
    Sample s;
    Apply(s, "Clamped", "99");
    EXPECT_EQ(Read(s, "Clamped"), "10");
}

TEST(Properties, StoredTextsFollowTheSettingsRules)
{
    Sample s;
    // Integers in decimal; a text that is not a number stores 0.
    SetStoredText(Find(s, "Count"), "42");
    EXPECT_EQ(StoredText(Find(s, "Count")), "42");
    SetStoredText(Find(s, "Count"), "4x");
    EXPECT_EQ(s.count, 0);
    SetStoredText(Find(s, "Count"), "99999999999");
    EXPECT_EQ(s.count, 0);
    // Enumerations and Booleans by name, compared without regard to case;
    // an unknown name leaves the value.
    SetStoredText(Find(s, "On"), "true");
    EXPECT_TRUE(s.on);
    EXPECT_EQ(StoredText(Find(s, "On")), "True");
    SetStoredText(Find(s, "On"), "yes");
    EXPECT_TRUE(s.on);
    SetStoredText(Find(s, "Speed"), "SPISDN");
    EXPECT_EQ(s.speed, Speed::spIsdn);
    EXPECT_EQ(StoredText(Find(s, "Speed")), "spIsdn");
    // Strings as they are.
    SetStoredText(Find(s, "Text"), "  a 'b'  ");
    EXPECT_EQ(s.text, "  a 'b'  ");
    EXPECT_EQ(StoredText(Find(s, "Text")), "  a 'b'  ");
}

TEST(Properties, EveryReadablePropertyIsListedWithNestedOnesExpanded)
{
    Sample s;
    std::vector<std::string> paths;
    for (const PropertyVisit& visit : ReadableProperties(Sample::StaticType(), &s))
        paths.push_back(visit.path);
    EXPECT_NE(std::find(paths.begin(), paths.end(), "Inner.Depth"), paths.end());
    EXPECT_NE(std::find(paths.begin(), paths.end(), "Columns"), paths.end());
    EXPECT_EQ(std::find(paths.begin(), paths.end(), "Inner"), paths.end());
    EXPECT_EQ(paths.front(), "Count");
}

// Base and derived tables: a derived component finds its base's entries on
// the base part of the object.
class BaseProbe : public Component {
public:
    int base = 0;
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {IntProperty<BaseProbe, &BaseProbe::base>("Base")};
        static constexpr TypeInfo kType = ComponentType<BaseProbe>("BaseProbe", &Component::StaticType, kProperties);
        return kType;
    }
    const TypeInfo& Type() const override { return StaticType(); }
};

struct Mixin {
    virtual ~Mixin() = default;
    int mixin = 0;
};

// The component part does not start the object: the tables must still find it.
class DerivedProbe : public Mixin, public BaseProbe {
public:
    int derived = 0;
    NotifyEvent OnPing;
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {IntProperty<DerivedProbe, &DerivedProbe::derived>("Derived")};
        static constexpr EventInfo kEvents[] = {MakeEvent<DerivedProbe, &DerivedProbe::OnPing>("OnPing")};
        static constexpr TypeInfo kType =
            ComponentType<DerivedProbe>("DerivedProbe", &BaseProbe::StaticType, kProperties, kEvents);
        return kType;
    }
    const TypeInfo& Type() const override { return StaticType(); }
};

TEST(Properties, DerivedComponentsUseEveryTableOfTheirClasses)
{
    DerivedProbe probe;
    EXPECT_TRUE(probe.ApplyProperty("Base", FormValue::Integer(5)));
    EXPECT_TRUE(probe.ApplyProperty("Derived", FormValue::Integer(6)));
    EXPECT_TRUE(probe.ApplyProperty("Name", FormValue::String("Probe1")));
    EXPECT_EQ(probe.base, 5);
    EXPECT_EQ(probe.derived, 6);
    EXPECT_EQ(probe.mixin, 0);
    EXPECT_EQ(probe.Name(), "Probe1");
    std::string text;
    ASSERT_TRUE(probe.PropertyText("Base", text));
    EXPECT_EQ(text, "5");
    EXPECT_TRUE(probe.SetPropertyText("Derived", "12"));
    EXPECT_EQ(probe.derived, 12);
    EXPECT_FALSE(probe.SetPropertyText("Missing", "1"));

    HandlerTable handlers;
    int pings = 0;
    handlers.Add<void(Component&)>("Ping", [&](Component&) { ++pings; });
    EXPECT_TRUE(probe.BindEvent("OnPing", handlers, "Ping"));
    probe.OnPing(probe);
    EXPECT_EQ(pings, 1);
    EXPECT_FALSE(probe.BindEvent("OnPong", handlers, "Ping"));
}

TEST(FormValueText, FormattedValuesReadBackTheSame)
{
    const char* texts[] = {"0",        "-9007199254740993",
                           "1.5",      "-0.125",
                           "1.0e+300", "clLime",
                           "''",       "'a''b'#0#9'c'",
                           "[]",       "[a, b]",
                           "( )",      "( 'x' '' )",
                           "< >",      "< item A = 1 B = 'two' end item end >"};
    for (const char* text : texts) {
        FormValue value = ParseFormValue(text);
        const std::string formatted = FormatFormValue(value);
        EXPECT_EQ(FormatFormValue(ParseFormValue(formatted)), formatted) << text;
    }
    EXPECT_EQ(ParseFormValue("1.0e+300").real, 1e300);
    EXPECT_EQ(FormatFormValue(ParseFormValue("'it''s'")), "'it''s'");
    EXPECT_THROW(ParseFormValue("1 2"), EFormDescription);
    EXPECT_THROW(ParseFormValue("< item A = end >"), EFormDescription);
    EXPECT_THROW(ParseFormValue("1."), EFormDescription);
}

} // namespace
} // namespace qm
