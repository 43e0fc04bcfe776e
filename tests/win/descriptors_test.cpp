// Every class a window description may name: each published property reads
// back what was written, as description text, and enumerations take every
// value they list.
#include <gtest/gtest.h>

#include "app/app_classes.h"
#include "framework/application.h"
#include "test_support.h"

namespace qm {
namespace {

class Descriptors : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        RegisterAppClasses(app->Classes());
    }
    test::FakeServices services;
    std::unique_ptr<Application> app;
};

TEST_F(Descriptors, EveryPropertyOfEveryClassRoundTripsThroughItsText)
{
    int checked = 0;
    for (const std::string& className : app->Classes().Names()) {
        std::unique_ptr<Component> component = app->Classes().Create(className);
        ASSERT_NE(component, nullptr) << className;
        // As while a description is applied: values are only stored.
        component->SetLoading(true);
        for (const PropertyVisit& visit : ReadableProperties(*component)) {
            PropertyTarget target = FindProperty(*component, visit.path, true);
            ASSERT_TRUE(target) << className << "." << visit.path;
            if (!target.info->Writable())
                continue;
            const std::string before = FormatFormValue(ReadFormValue(target));
            ApplyFormValue(target, ParseFormValue(before));
            EXPECT_EQ(FormatFormValue(ReadFormValue(FindProperty(*component, visit.path, false))), before)
                << className << "." << visit.path;
            ++checked;
            if (target.info->type != PropertyType::Enumeration)
                continue;
            for (std::string_view name : target.info->names) {
                ApplyFormValue(target, FormValue::Identifier(std::string(name)));
                EXPECT_EQ(FormatFormValue(ReadFormValue(target)), name) << className << "." << visit.path;
            }
            ApplyFormValue(target, ParseFormValue(before));
        }
        component->SetLoading(false);
    }
    EXPECT_GT(checked, 200);
}

TEST_F(Descriptors, AStoredSettingReachesAControlByItsPath)
{
    TForm& form = app->CreateForm<test::TextForm>(R"(object F: TQuarrimondTestForm
  object Box: TCheckBox
  end
  object Kind: TComboBox
    Style = csDropDownList
    Items = ('a' 'b')
  end
end
)");
    Component& box = *form.FindComponent("Box");
    EXPECT_TRUE(box.SetPropertyText("Checked", "TRUE"));
    std::string text;
    ASSERT_TRUE(box.PropertyText("Checked", text));
    EXPECT_EQ(text, "True");
    Component& kind = *form.FindComponent("Kind");
    EXPECT_TRUE(kind.SetPropertyText("ItemIndex", "1"));
    ASSERT_TRUE(kind.PropertyText("ItemIndex", text));
    EXPECT_EQ(text, "1");
    // A stored text that is no number sets 0.
    EXPECT_TRUE(kind.SetPropertyText("ItemIndex", "one"));
    ASSERT_TRUE(kind.PropertyText("ItemIndex", text));
    EXPECT_EQ(text, "0");
    EXPECT_FALSE(kind.SetPropertyText("NoSuchProperty", "1"));
}

TEST_F(Descriptors, UnknownNamesStillStopLoadingWithTheirLine)
{
    try {
        app->CreateForm<test::TextForm>("object F: TQuarrimondTestForm\n  object L: TListView\n    Columns = <\n"
                                        "      item\n        Title = 'x'\n      end>\n  end\nend\n");
        FAIL();
    } catch (const EFormDescription& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("Title"), std::string::npos) << what;
        EXPECT_NE(what.find("line 3"), std::string::npos) << what;
    }
}

} // namespace
} // namespace qm
