#include "framework/component.h"

namespace qm {

const TypeInfo& Component::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<Component, &Component::Name, &Component::SetName>("Name"),
    };
    static constexpr TypeInfo kType = ComponentType<Component>("TComponent", nullptr, kProperties);
    return kType;
}

bool Component::ApplyProperty(std::string_view name, const FormValue& value)
{
    PropertyTarget target = FindProperty(*this, name, true);
    if (!target)
        return false;
    ApplyFormValue(target, value);
    return true;
}

bool Component::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    const TypeInfo* owner = nullptr;
    const EventInfo* entry = FindEvent(Type(), event, &owner);
    if (!entry)
        return false;
    entry->bind(owner->fromComponent(*this), handlers, handler);
    return true;
}

std::optional<FormValue> Component::ReadProperty(std::string_view name) const
{
    PropertyTarget target = FindProperty(const_cast<Component&>(*this), name, false);
    if (!target || !target.info->Readable() || target.info->type == PropertyType::Object)
        return std::nullopt;
    return ReadFormValue(target);
}

bool Component::PropertyText(std::string_view name, std::string& text) const
{
    PropertyTarget target = FindProperty(const_cast<Component&>(*this), name, false);
    if (!target || !target.info->Readable() || target.info->type == PropertyType::Object)
        return false;
    text = StoredText(target);
    return true;
}

bool Component::SetPropertyText(std::string_view name, const std::string& text)
{
    PropertyTarget target = FindProperty(*this, name, true);
    if (!target || !target.info->Writable())
        return false;
    SetStoredText(target, text);
    return true;
}

void Component::InsertChild(Component& child)
{
    throw EFormDescription(child.Name() + " cannot be placed inside " + name_);
}

namespace {

std::string Where(const FormObject& object, int line)
{
    return object.name + " (line " + std::to_string(line) + ")";
}

void ApplyMembers(const FormObject& object, Component& root, Component& component, ComponentFactory& factory,
                  const HandlerTable& handlers, const std::function<void(std::unique_ptr<Component>)>& adopt,
                  std::vector<Component*>& loaded)
{
    component.SetLoading(true);
    for (const FormProperty& property : object.properties) {
        bool known = false;
        try {
            if (property.name.starts_with("On") && property.value.kind == FormValue::Kind::Identifier)
                known = component.BindEvent(property.name, handlers, property.value.text);
            else
                known = component.ApplyProperty(property.name, property.value);
        } catch (const EFormDescription& e) {
            throw EFormDescription(Where(object, property.value.line) + ", " + property.name + ": " + e.what());
        }
        if (!known)
            throw EFormDescription(Where(object, property.value.line) + ": " + object.className +
                                   " has no property or event " + property.name);
    }
    for (const FormObject& childObject : object.children) {
        std::unique_ptr<Component> child = factory.Create(childObject.className);
        if (!child)
            throw EFormDescription(Where(childObject, childObject.line) + ": unknown class " + childObject.className);
        child->SetName(childObject.name);
        child->SetOwner(&root);
        Component& ref = *child;
        adopt(std::move(child));
        ApplyMembers(childObject, root, ref, factory, handlers, adopt, loaded);
        component.InsertChild(ref);
    }
    loaded.push_back(&component);
}

} // namespace

void ApplyDescription(const FormObject& description, Component& root, ComponentFactory& factory,
                      const HandlerTable& handlers, const std::function<void(std::unique_ptr<Component>)>& adopt)
{
    root.SetName(description.name);
    std::vector<Component*> loaded;
    ApplyMembers(description, root, root, factory, handlers, adopt, loaded);
    // Children first, the form last, as every value is in place.
    for (Component* component : loaded) {
        component->SetLoading(false);
        component->Loaded();
    }
}

} // namespace qm
