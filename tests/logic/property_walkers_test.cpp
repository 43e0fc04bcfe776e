// How the table walkers go through a class's tables: bases first and in
// table order, a level of a component that keeps its values in another
// object, dotted names that a table holds itself, change notices from the
// innermost owner out, and what read-only and write-only entries allow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/properties.h"

namespace qm {
namespace {

struct Leaf {
    int value = 1;
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {IntProperty<Leaf, &Leaf::value>("Value")};
        static constexpr TypeInfo kType = RecordType("Leaf", kProperties);
        return kType;
    }
};

struct Branch {
    Leaf leaf;
    // Where the owners' change notices go, in the order they come.
    std::vector<std::string>* notices = nullptr;
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {
            ObjectProperty<Branch, Leaf, [](Branch& b, bool) { return &b.leaf; },
                           [](Branch& b) { b.notices->push_back("branch"); }>("Leaf"),
        };
        static constexpr TypeInfo kType = RecordType("Branch", kProperties);
        return kType;
    }
};

// Values kept apart from the component, as a container keeps its parts.
struct Store {
    Store() = default;
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;
    int kept = 5;
    std::vector<std::string> notices;
    Branch branch{Leaf{}, &notices};
};

class Holder : public Component {
public:
    Store store;
    std::string lines = "a";
    int written = 0;
    int ReadOnly() const { return 9; }

    static const TypeInfo& StoreLevel()
    {
        static constexpr PropertyInfo kProperties[] = {
            IntProperty<Store, &Store::kept>("Kept"),
            ObjectProperty<Store, Branch, [](Store& s, bool) { return &s.branch; },
                           [](Store& s) { s.notices.push_back("store"); }>("Branch"),
        };
        static constexpr TypeInfo kType{"Store", &Component::StaticType, kProperties, {},
                                        [](Component& c) -> void* { return &static_cast<Holder&>(c).store; }};
        return kType;
    }
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {
            // A table may name a dotted property of its own.
            StringProperty<Holder, &Holder::lines>("Branch.Lines"),
            IntProperty<Holder, &Holder::ReadOnly, nullptr>("ReadOnly"),
            IntProperty<Holder, nullptr, &Holder::written>("WriteOnly"),
        };
        static constexpr TypeInfo kType = ComponentType<Holder>("Holder", &StoreLevel, kProperties);
        return kType;
    }
    const TypeInfo& Type() const override { return StaticType(); }
};

TEST(PropertyWalkers, BasesFirstInTableOrderWithNestedObjectsExpanded)
{
    Holder holder;
    holder.SetName("H1");
    std::vector<std::string> paths, values;
    for (const PropertyVisit& visit : ReadableProperties(holder)) {
        paths.push_back(visit.path);
        values.push_back(FormatFormValue(ReadFormValue({visit.info, const_cast<void*>(visit.self), {}})));
    }
    EXPECT_EQ(paths, (std::vector<std::string>{"Name", "Kept", "Branch.Leaf.Value", "Branch.Lines", "ReadOnly"}));
    EXPECT_EQ(values, (std::vector<std::string>{"'H1'", "5", "1", "'a'", "9"}));
}

TEST(PropertyWalkers, PathsReachTheObjectOfTheirLevel)
{
    Holder holder;
    const std::vector<std::string>& notices = holder.store.notices;
    EXPECT_TRUE(holder.ApplyProperty("Kept", FormValue::Integer(6)));
    EXPECT_EQ(holder.store.kept, 6);
    // The table's own dotted entry wins over the nested path.
    EXPECT_TRUE(holder.ApplyProperty("Branch.Lines", FormValue::String("b")));
    EXPECT_EQ(holder.lines, "b");
    EXPECT_TRUE(notices.empty());
    // Two levels down: each owner hears of it, the innermost first.
    EXPECT_TRUE(holder.ApplyProperty("Branch.Leaf.Value", FormValue::Integer(7)));
    EXPECT_EQ(holder.store.branch.leaf.value, 7);
    EXPECT_EQ(notices, (std::vector<std::string>{"branch", "store"}));
    EXPECT_FALSE(holder.ApplyProperty("Branch.Leaf.Missing", FormValue::Integer(1)));
    EXPECT_FALSE(holder.ApplyProperty("Kept.Deeper", FormValue::Integer(1)));
}

TEST(PropertyWalkers, ReadOnlyAndWriteOnlyEntriesAllowOnlyTheirWay)
{
    Holder holder;
    EXPECT_THROW(holder.ApplyProperty("ReadOnly", FormValue::Integer(1)), EFormDescription);
    std::string text;
    EXPECT_TRUE(holder.PropertyText("ReadOnly", text));
    EXPECT_EQ(text, "9");
    EXPECT_TRUE(holder.ApplyProperty("WriteOnly", FormValue::Integer(3)));
    EXPECT_EQ(holder.written, 3);
    EXPECT_FALSE(holder.PropertyText("WriteOnly", text));
    EXPECT_EQ(text, "9");
}

} // namespace
} // namespace qm
