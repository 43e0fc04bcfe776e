#pragma once
// Published properties and events as data: one table per class names each
// property with its type and accessors and each event with its binder. The
// description loader applies window descriptions through the tables, the
// settings store reads and writes stored values through them, and the
// collectors' machine-readable reports list every field from them.
//
//   const TypeInfo& TPanel::StaticType()
//   {
//       static constexpr PropertyInfo kProperties[] = {
//           EnumProperty<TPanel, &TPanel::BevelOuter, &TPanel::SetBevelOuter>("BevelOuter", kBevelNames),
//           IntProperty<TPanel, &TPanel::bevelWidth_>("BevelWidth"),
//       };
//       static constexpr TypeInfo kType = ComponentType<TPanel>("TPanel", &TControl::StaticType, kProperties);
//       return kType;
//   }
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/form_text.h"
#include "framework/handler_table.h"
#include "framework/string_list.h"

namespace qm {

class Component;

enum class PropertyType {
    Integer,
    Float,
    Boolean,
    Enumeration, // one of `names`, by ordinal
    Set, // members of `names`, bit i for names[i]
    String,
    Color,
    Strings, // a list of lines
    Reference, // another component of the description, by name
    Object, // a nested object with its own table ("Font.Name")
    Collection // items of a nested table ("Columns = < item .. end >")
};

// What a property holds, whatever its type: numbers (integers, ordinals,
// set bits, colours), a fraction, a text (strings, references) or lines.
struct PropertyValue {
    std::int64_t number = 0;
    double real = 0;
    std::string text;
    std::vector<std::string> lines;
};

struct TypeInfo;

struct PropertyInfo {
    std::string_view name;
    PropertyType type = PropertyType::Integer;
    std::span<const std::string_view> names{};
    PropertyValue (*get)(const void* self) = nullptr; // null: written by descriptions only
    void (*set)(void* self, const PropertyValue& value) = nullptr; // null: read-only
    // Object and Collection: the nested table and how to reach the nested objects.
    const TypeInfo& (*nested)() = nullptr;
    void* (*object)(void* self, bool forWriting) = nullptr;
    std::size_t (*count)(const void* self) = nullptr;
    void* (*item)(void* self, std::size_t index) = nullptr;
    void* (*add)(void* self) = nullptr;
    void (*clear)(void* self) = nullptr;
    // After a nested object or collection was written through this property.
    void (*changed)(void* self) = nullptr;

    bool Readable() const { return get != nullptr || object != nullptr || count != nullptr; }
    bool Writable() const { return set != nullptr || object != nullptr || add != nullptr; }
};

struct EventInfo {
    std::string_view name;
    void (*bind)(void* self, const HandlerTable& handlers, std::string_view handler) = nullptr;
};

struct TypeInfo {
    std::string_view name;
    const TypeInfo& (*base)() = nullptr;
    std::span<const PropertyInfo> properties{};
    std::span<const EventInfo> events{};
    // The object of this type inside a component of this or a derived class;
    // null for plain records, which have no base.
    void* (*fromComponent)(Component& component) = nullptr;
};

inline constexpr std::string_view kBooleanNames[] = {"False", "True"};

// Index of `name` among `names` (exact), or -1.
int IndexOfName(std::span<const std::string_view> names, std::string_view name);
// Index of `name` among `names` without regard to case, or -1.
int IndexOfNameIgnoringCase(std::span<const std::string_view> names, std::string_view name);

// ---- Reading and writing by name --------------------------------------------

// Where a property lives: its entry and the object it belongs to.
struct PropertyTarget {
    const PropertyInfo* info = nullptr;
    void* self = nullptr;
    // The enclosing Object entries, outermost first, for their change notices.
    std::vector<std::pair<const PropertyInfo*, void*>> enclosing;
    explicit operator bool() const { return info != nullptr; }
};

// Finds `path` ("Left", "Font.Name", "CPU.Cache.Level2") in `type` and its
// bases for the object `self` (or, for a component, the component itself).
PropertyTarget FindProperty(const TypeInfo& type, void* self, std::string_view path, bool forWriting);
PropertyTarget FindProperty(Component& component, std::string_view path, bool forWriting);
const EventInfo* FindEvent(const TypeInfo& type, std::string_view name, const TypeInfo** owner = nullptr);

// Applies a description value; throws EFormDescription for a value of the
// wrong kind or out of range, and for a read-only property.
void ApplyFormValue(const PropertyTarget& target, const FormValue& value);
// The value as a description would write it.
FormValue ReadFormValue(const PropertyTarget& target);

// Stored text, as the settings store keeps values: integers in decimal,
// enumerations and Booleans by name, strings as they are, other types as
// their description text.
std::string StoredText(const PropertyTarget& target);
// Sets from stored text: a text that is not a number sets an integer to 0;
// an enumeration takes the first name equal without regard to case, and
// keeps its value when none is. Other types read description text.
void SetStoredText(const PropertyTarget& target, const std::string& text);

// Every readable property of `type` and its bases, nested objects expanded
// with dotted names, in table order (bases first). For each: the path, the
// entry and the object it belongs to.
struct PropertyVisit {
    std::string path;
    const PropertyInfo* info;
    const void* self;
};
std::vector<PropertyVisit> ReadableProperties(const TypeInfo& type, const void* self);
std::vector<PropertyVisit> ReadableProperties(Component& component);

// ---- Building tables ----------------------------------------------------------

namespace property_detail {

template <class T, auto Member> decltype(auto) Read(const T& self)
{
    using M = decltype(Member);
    if constexpr (std::is_member_object_pointer_v<M>)
        return (self.*Member);
    else if constexpr (std::is_member_function_pointer_v<M>)
        return (self.*Member)();
    else
        return Member(self);
}

template <class T, auto Member, class V> void Write(T& self, V&& value)
{
    using M = decltype(Member);
    if constexpr (std::is_member_object_pointer_v<M>)
        self.*Member = std::forward<V>(value);
    else if constexpr (std::is_member_function_pointer_v<M>)
        (self.*Member)(std::forward<V>(value));
    else
        Member(self, std::forward<V>(value));
}

template <class V> PropertyValue Encode(const V& value)
{
    PropertyValue out;
    if constexpr (std::is_same_v<V, bool>)
        out.number = value ? 1 : 0;
    else if constexpr (std::is_enum_v<V>)
        out.number = static_cast<std::int64_t>(value);
    else if constexpr (std::is_floating_point_v<V>)
        out.real = value;
    else if constexpr (std::is_integral_v<V>)
        out.number = static_cast<std::int64_t>(value);
    else if constexpr (std::is_same_v<V, std::string>)
        out.text = value;
    else if constexpr (std::is_same_v<V, std::vector<std::string>>)
        out.lines = value;
    else if constexpr (std::is_same_v<V, StringList>)
        out.lines = value.Lines();
    else
        static_assert(sizeof(V) == 0, "no property encoding for this type");
    return out;
}

// Throws EFormDescription when the number does not fit V.
void CheckRange(std::int64_t number, std::int64_t min, std::int64_t max);

template <class V> V Decode(const PropertyValue& value)
{
    if constexpr (std::is_same_v<V, bool>)
        return value.number != 0;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<V>(value.number);
    else if constexpr (std::is_floating_point_v<V>)
        return static_cast<V>(value.real);
    else if constexpr (std::is_integral_v<V>) {
        if constexpr (sizeof(V) < sizeof(std::int64_t) || std::is_signed_v<V>)
            CheckRange(value.number, static_cast<std::int64_t>(std::numeric_limits<V>::min()),
                       static_cast<std::int64_t>(std::numeric_limits<V>::max()));
        return static_cast<V>(value.number);
    } else if constexpr (std::is_same_v<V, std::string>)
        return value.text;
    else if constexpr (std::is_same_v<V, std::vector<std::string>>)
        return value.lines;
    else if constexpr (std::is_same_v<V, StringList>) {
        StringList list;
        for (const std::string& line : value.lines)
            list.Add(line);
        return list;
    } else
        static_assert(sizeof(V) == 0, "no property decoding for this type");
}

template <class M> struct SetterArgument;
template <class T, class A> struct SetterArgument<void (T::*)(A)> {
    using Type = std::remove_cvref_t<A>;
};
template <class T, class A> struct SetterArgument<void (*)(T&, A)> {
    using Type = std::remove_cvref_t<A>;
};
template <class T, class V> struct SetterArgument<V T::*> {
    using Type = V;
};
// A lambda taking the object and the value.
template <class Closure, class T, class A> struct SetterArgument<void (Closure::*)(T&, A) const> {
    using Type = std::remove_cvref_t<A>;
};
template <class F>
requires requires
{
    &F::operator();
}
struct SetterArgument<F> : SetterArgument<decltype(&F::operator())> {};

template <class T, auto Getter, auto Setter> struct ValueTypeOf {
    using Type = typename SetterArgument<std::remove_cv_t<decltype(Setter)>>::Type;
};
template <class T, auto Getter, auto Setter>
requires(!std::is_null_pointer_v<decltype(Getter)>) struct ValueTypeOf<T, Getter, Setter> {
    using Type = std::remove_cvref_t<decltype(Read<T, Getter>(std::declval<const T&>()))>;
};

template <class F> struct EventSignature;
template <class Signature> struct EventSignature<std::function<Signature>> {
    using Type = Signature;
};

} // namespace property_detail

// A property of class T read by `Getter` and written by `Setter`: each a data
// member, a member function, or a function taking the object (nullptr for
// none). The value type follows from them.
template <class T, auto Getter, auto Setter = Getter>
constexpr PropertyInfo MakeProperty(std::string_view name, PropertyType type,
                                    std::span<const std::string_view> names = {})
{
    using V = typename property_detail::ValueTypeOf<T, Getter, Setter>::Type;
    PropertyInfo info{name, type, names};
    if constexpr (!std::is_null_pointer_v<decltype(Getter)>)
        info.get = [](const void* self) {
            return property_detail::Encode<V>(property_detail::Read<T, Getter>(*static_cast<const T*>(self)));
        };
    if constexpr (!std::is_null_pointer_v<decltype(Setter)>)
        info.set = [](void* self, const PropertyValue& value) {
            property_detail::Write<T, Setter>(*static_cast<T*>(self), property_detail::Decode<V>(value));
        };
    return info;
}

template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo IntProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Integer);
}
template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo FloatProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Float);
}
template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo BoolProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Boolean, kBooleanNames);
}
template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo StringProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::String);
}
template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo ColorProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Color);
}
template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo LinesProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Strings);
}
template <class T, auto Getter, auto Setter = Getter> constexpr PropertyInfo ReferenceProperty(std::string_view name)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Reference);
}
template <class T, auto Getter, auto Setter = Getter>
constexpr PropertyInfo EnumProperty(std::string_view name, std::span<const std::string_view> names)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Enumeration, names);
}
template <class T, auto Getter, auto Setter = Getter>
constexpr PropertyInfo SetProperty(std::string_view name, std::span<const std::string_view> names)
{
    return MakeProperty<T, Getter, Setter>(name, PropertyType::Set, names);
}

// A control's field whose change shows, as the getter and setter of its
// property in one: read as it is; written, then the control draws itself
// again (Repainted), after laying out its children (Realigned).
//
//   ColorProperty<P, Repainted<&P::headerColor_>>("HeaderColor"),
//   IntProperty<P, Realigned<&P::headerHeight_>>("HeaderHeight"),
namespace property_detail {

template <auto Field, bool Realign> struct ShownField {
    template <class C> const auto& operator()(const C& control) const { return control.*Field; }
    template <class C, class V> void operator()(C& control, V&& value) const
    {
        control.*Field = std::forward<V>(value);
        if constexpr (Realign)
            control.Realign();
        control.Invalidate();
    }
};

} // namespace property_detail

template <auto Field> inline constexpr property_detail::ShownField<Field, false> Repainted{};
template <auto Field> inline constexpr property_detail::ShownField<Field, true> Realigned{};

// A nested object reached through `Access(T&, bool forWriting)`; `Changed(T&)`
// runs after one of its properties was written through this entry.
template <class T, class Nested, auto Access, auto Changed = nullptr>
constexpr PropertyInfo ObjectProperty(std::string_view name)
{
    PropertyInfo info{name, PropertyType::Object};
    info.nested = &Nested::StaticType;
    info.object = [](void* self, bool forWriting) -> void* {
        return static_cast<void*>(Access(*static_cast<T*>(self), forWriting));
    };
    if constexpr (!std::is_null_pointer_v<decltype(Changed)>)
        info.changed = [](void* self) { Changed(*static_cast<T*>(self)); };
    return info;
}

// A collection whose items are of type Item (with a StaticType table), kept
// by `Access(T&)` in a container of items with size(), clear(), emplace_back()
// and operator[].
template <class T, class Item, auto Access, auto Changed = nullptr>
constexpr PropertyInfo CollectionProperty(std::string_view name)
{
    PropertyInfo info{name, PropertyType::Collection};
    info.nested = &Item::StaticType;
    info.count = [](const void* self) -> std::size_t {
        return Access(*const_cast<T*>(static_cast<const T*>(self))).size();
    };
    info.item = [](void* self, std::size_t index) -> void* {
        return static_cast<void*>(&Access(*static_cast<T*>(self))[index]);
    };
    info.add = [](void* self) -> void* { return static_cast<void*>(&Access(*static_cast<T*>(self)).emplace_back()); };
    info.clear = [](void* self) { Access(*static_cast<T*>(self)).clear(); };
    if constexpr (!std::is_null_pointer_v<decltype(Changed)>)
        info.changed = [](void* self) { Changed(*static_cast<T*>(self)); };
    return info;
}

// Events: `Member` is a std::function data member; its signature is what the
// handler must have.
template <class T, auto Member> constexpr EventInfo MakeEvent(std::string_view name)
{
    return {name, [](void* self, const HandlerTable& handlers, std::string_view handler) {
                using F = std::remove_cvref_t<decltype(static_cast<T*>(self)->*Member)>;
                static_cast<T*>(self)->*Member =
                    handlers.Get<typename property_detail::EventSignature<F>::Type>(handler);
            }};
}

template <class T>
constexpr TypeInfo ComponentType(std::string_view name, const TypeInfo& (*base)(),
                                 std::span<const PropertyInfo> properties, std::span<const EventInfo> events = {})
{
    return {name, base, properties, events,
            [](Component& component) -> void* { return static_cast<void*>(static_cast<T*>(&component)); }};
}

constexpr TypeInfo RecordType(std::string_view name, std::span<const PropertyInfo> properties)
{
    return {name, nullptr, properties, {}, nullptr};
}

} // namespace qm
