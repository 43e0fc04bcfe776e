#include "framework/properties.h"

#include <charconv>

#include "framework/colors.h"
#include "framework/component.h"
#include "platform/text_case.h"

namespace qm {

namespace {

std::string NameList(std::span<const std::string_view> names)
{
    std::string list;
    for (std::string_view name : names)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

const TypeInfo* BaseOf(const TypeInfo& type)
{
    return type.base ? &type.base() : nullptr;
}

const PropertyInfo* FindEntry(const TypeInfo& type, std::string_view name, const TypeInfo*& level)
{
    for (const TypeInfo* t = &type; t; t = BaseOf(*t))
        for (const PropertyInfo& entry : t->properties)
            if (entry.name == name) {
                level = t;
                return &entry;
            }
    return nullptr;
}

void* ObjectAtLevel(const TypeInfo& level, void* self, Component* component)
{
    return component && level.fromComponent ? level.fromComponent(*component) : self;
}

PropertyTarget Find(const TypeInfo& type, void* self, Component* component, std::string_view path, bool forWriting)
{
    PropertyTarget target;
    const TypeInfo* current = &type;
    for (;;) {
        const TypeInfo* level = nullptr;
        // A table may name a dotted property itself ("StoredProps.Strings").
        if (const PropertyInfo* entry = FindEntry(*current, path, level)) {
            target.info = entry;
            target.self = ObjectAtLevel(*level, self, component);
            return target;
        }
        const size_t dot = path.find('.');
        if (dot == std::string_view::npos)
            return {};
        const PropertyInfo* entry = FindEntry(*current, path.substr(0, dot), level);
        if (!entry || entry->type != PropertyType::Object)
            return {};
        void* owner = ObjectAtLevel(*level, self, component);
        target.enclosing.emplace_back(entry, owner);
        self = entry->object(owner, forWriting);
        if (!self)
            return {};
        current = &entry->nested();
        component = nullptr;
        path = path.substr(dot + 1);
    }
}

void NotifyEnclosing(const PropertyTarget& target)
{
    for (auto it = target.enclosing.rbegin(); it != target.enclosing.rend(); ++it)
        if (it->first->changed)
            it->first->changed(it->second);
}

PropertyValue ToPropertyValue(const PropertyInfo& info, const FormValue& value)
{
    PropertyValue out;
    switch (info.type) {
    case PropertyType::Integer:
        out.number = value.AsInteger();
        break;
    case PropertyType::Float:
        out.real = value.AsFloat();
        break;
    case PropertyType::Boolean:
        out.number = value.AsBool() ? 1 : 0;
        break;
    case PropertyType::Enumeration: {
        const int index = IndexOfName(info.names, value.AsIdentifier());
        if (index < 0)
            throw EFormDescription("unknown value " + value.text + " (one of " + NameList(info.names) + ")");
        out.number = index;
        break;
    }
    case PropertyType::Set:
        for (const std::string& member : value.AsSet()) {
            const int index = IndexOfName(info.names, member);
            if (index < 0)
                throw EFormDescription("unknown member " + member + " (one of " + NameList(info.names) + ")");
            out.number |= std::int64_t{1} << index;
        }
        break;
    case PropertyType::String:
        out.text = value.AsString();
        break;
    case PropertyType::Color:
        out.number = ParseColor(value);
        break;
    case PropertyType::Strings:
        out.lines = value.AsList();
        break;
    case PropertyType::Reference:
        out.text = value.AsIdentifier() == "nil" ? std::string() : value.text;
        break;
    case PropertyType::Object:
    case PropertyType::Collection:
        break;
    }
    return out;
}

FormValue ToFormValue(const PropertyInfo& info, const PropertyValue& value)
{
    switch (info.type) {
    case PropertyType::Integer:
        return FormValue::Integer(value.number);
    case PropertyType::Float:
        return FormValue::Float(value.real);
    case PropertyType::Boolean:
        return FormValue::Identifier(value.number ? "True" : "False");
    case PropertyType::Enumeration:
        if (value.number >= 0 && value.number < static_cast<std::int64_t>(info.names.size()))
            return FormValue::Identifier(std::string(info.names[static_cast<size_t>(value.number)]));
        return FormValue::Integer(value.number);
    case PropertyType::Set: {
        std::vector<std::string> members;
        for (size_t i = 0; i < info.names.size() && i < 63; ++i)
            if (value.number & (std::int64_t{1} << i))
                members.emplace_back(info.names[i]);
        return FormValue::Set(std::move(members));
    }
    case PropertyType::String:
        return FormValue::String(value.text);
    case PropertyType::Color:
        if (auto name = ColorName(static_cast<Color>(value.number)))
            return FormValue::Identifier(std::string(*name));
        return FormValue::Integer(value.number);
    case PropertyType::Strings:
        return FormValue::List(value.lines);
    case PropertyType::Reference:
        return FormValue::Identifier(value.text.empty() ? "nil" : value.text);
    case PropertyType::Object:
    case PropertyType::Collection:
        break;
    }
    return {};
}

void AddReadable(const TypeInfo& type, const void* self, Component* component, const std::string& prefix,
                 std::vector<PropertyVisit>& out)
{
    if (const TypeInfo* base = BaseOf(type))
        AddReadable(*base, self, component, prefix, out);
    void* object = ObjectAtLevel(type, const_cast<void*>(self), component);
    for (const PropertyInfo& entry : type.properties) {
        if (entry.type == PropertyType::Object) {
            if (const void* nested = entry.object(object, false))
                AddReadable(entry.nested(), nested, nullptr, prefix + std::string(entry.name) + ".", out);
        } else if (entry.Readable()) {
            out.push_back({prefix + std::string(entry.name), &entry, object});
        }
    }
}

bool ParseDecimal(const std::string& text, std::int64_t& number)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto [stop, error] = std::from_chars(begin, end, number);
    return error == std::errc() && stop == end && begin != end;
}

} // namespace

namespace property_detail {

void CheckRange(std::int64_t number, std::int64_t min, std::int64_t max)
{
    if (number < min || number > max)
        throw EFormDescription("number out of range");
}

} // namespace property_detail

int IndexOfName(std::span<const std::string_view> names, std::string_view name)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

int IndexOfNameIgnoringCase(std::span<const std::string_view> names, std::string_view name)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (EqualIgnoringCase(names[i], name))
            return static_cast<int>(i);
    return -1;
}

PropertyTarget FindProperty(const TypeInfo& type, void* self, std::string_view path, bool forWriting)
{
    return Find(type, self, nullptr, path, forWriting);
}

PropertyTarget FindProperty(Component& component, std::string_view path, bool forWriting)
{
    return Find(component.Type(), nullptr, &component, path, forWriting);
}

const EventInfo* FindEvent(const TypeInfo& type, std::string_view name, const TypeInfo** owner)
{
    for (const TypeInfo* t = &type; t; t = BaseOf(*t))
        for (const EventInfo& entry : t->events)
            if (entry.name == name) {
                if (owner)
                    *owner = t;
                return &entry;
            }
    return nullptr;
}

void ApplyFormValue(const PropertyTarget& target, const FormValue& value)
{
    const PropertyInfo& info = *target.info;
    if (info.type == PropertyType::Object)
        throw EFormDescription(std::string(info.name) + " is an object: set its properties by name");
    if (info.type == PropertyType::Collection) {
        if (!info.add)
            throw EFormDescription(std::string(info.name) + " is read-only");
        const auto& items = value.AsCollection();
        info.clear(target.self);
        for (const FormCollectionItem& item : items) {
            void* object = info.add(target.self);
            for (const FormProperty& property : item) {
                PropertyTarget member = FindProperty(info.nested(), object, property.name, true);
                if (!member)
                    throw EFormDescription(std::string(info.nested().name) + " has no property " + property.name);
                ApplyFormValue(member, property.value);
            }
        }
        if (info.changed)
            info.changed(target.self);
        NotifyEnclosing(target);
        return;
    }
    if (!info.set)
        throw EFormDescription(std::string(info.name) + " is read-only");
    info.set(target.self, ToPropertyValue(info, value));
    NotifyEnclosing(target);
}

FormValue ReadFormValue(const PropertyTarget& target)
{
    const PropertyInfo& info = *target.info;
    if (info.type == PropertyType::Collection) {
        FormValue value;
        value.kind = FormValue::Kind::Collection;
        const size_t count = info.count(target.self);
        for (size_t i = 0; i < count; ++i) {
            FormCollectionItem item;
            for (const PropertyVisit& visit : ReadableProperties(info.nested(), info.item(target.self, i))) {
                PropertyTarget member{visit.info, const_cast<void*>(visit.self), {}};
                item.push_back(FormProperty{visit.path, ReadFormValue(member)});
            }
            value.collection.push_back(std::move(item));
        }
        return value;
    }
    if (!info.get)
        throw EFormDescription(std::string(info.name) + " cannot be read");
    return ToFormValue(info, info.get(target.self));
}

std::string StoredText(const PropertyTarget& target)
{
    const PropertyInfo& info = *target.info;
    switch (info.type) {
    case PropertyType::Integer:
        return std::to_string(info.get(target.self).number);
    case PropertyType::String:
        return info.get(target.self).text;
    case PropertyType::Boolean:
    case PropertyType::Enumeration:
        return ReadFormValue(target).text;
    default:
        return FormatFormValue(ReadFormValue(target));
    }
}

void SetStoredText(const PropertyTarget& target, const std::string& text)
{
    const PropertyInfo& info = *target.info;
    switch (info.type) {
    case PropertyType::Integer: {
        PropertyValue value;
        if (!ParseDecimal(text, value.number))
            value.number = 0;
        if (!info.set)
            throw EFormDescription(std::string(info.name) + " is read-only");
        try {
            info.set(target.self, value);
        } catch (const EFormDescription&) {
            // Too large for the property: as a text that is no number.
            value.number = 0;
            info.set(target.self, value);
        }
        NotifyEnclosing(target);
        return;
    }
    case PropertyType::String:
        ApplyFormValue(target, FormValue::String(text));
        return;
    case PropertyType::Boolean:
    case PropertyType::Enumeration: {
        const int index = IndexOfNameIgnoringCase(info.names, text);
        if (index >= 0)
            ApplyFormValue(target, FormValue::Identifier(std::string(info.names[static_cast<size_t>(index)])));
        return;
    }
    default:
        ApplyFormValue(target, ParseFormValue(text));
        return;
    }
}

std::vector<PropertyVisit> ReadableProperties(const TypeInfo& type, const void* self)
{
    std::vector<PropertyVisit> out;
    AddReadable(type, self, nullptr, "", out);
    return out;
}

std::vector<PropertyVisit> ReadableProperties(Component& component)
{
    std::vector<PropertyVisit> out;
    AddReadable(component.Type(), nullptr, &component, "", out);
    return out;
}

} // namespace qm
