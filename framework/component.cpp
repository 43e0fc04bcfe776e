#include "framework/component.h"

namespace qm {

bool Component::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Name") {
        name_ = value.AsString();
        return true;
    }
    return false;
}

bool Component::BindEvent(std::string_view, const HandlerTable&, std::string_view)
{
    return false;
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
