#pragma once
// The component model behind window descriptions: a component applies stored
// properties by name and binds its events to handlers by name, both through
// its class's table (framework/properties.h). Everything here is plain C++ so
// that descriptions can be checked without Windows.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/form_text.h"
#include "framework/handler_table.h"
#include "framework/properties.h"

namespace qm {

class Component;

using NotifyEvent = std::function<void(Component& sender)>;

class Component {
public:
    explicit Component(std::string name = {}) : name_(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // The class's table of published properties and events; every class
    // with a table of its own overrides Type().
    static const TypeInfo& StaticType();
    virtual const TypeInfo& Type() const { return StaticType(); }

    // Applies one described property; false when the class has no such
    // property. Throws EFormDescription for a bad value.
    bool ApplyProperty(std::string_view name, const FormValue& value);
    // Binds one event; false when the class has no such event.
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler);
    // A property's current value as a description writes it.
    std::optional<FormValue> ReadProperty(std::string_view name) const;
    // A property's current value as stored text ("3", "True"); false when the
    // class has no such readable property.
    bool PropertyText(std::string_view name, std::string& text) const;
    // Sets a property from stored text; false when there is no such property.
    bool SetPropertyText(std::string_view name, const std::string& text);
    // A child described inside this one. Components that hold no children refuse.
    virtual void InsertChild(Component& child);
    // Runs once after the whole description has been applied.
    virtual void Loaded() {}
    // True while a description is being applied to this component: setters
    // then only store, and Loaded() acts on the final values.
    bool IsLoading() const { return loading_; }

    // The component whose description created this one (the form), if any.
    Component* Owner() const { return owner_; }
    void SetOwner(Component* owner) { owner_ = owner; }
    // Another component of the same description, by name; null when none.
    virtual Component* ResolveReference(std::string_view name) const
    {
        return owner_ ? owner_->ResolveReference(name) : nullptr;
    }
    void SetLoading(bool loading) { loading_ = loading; }

private:
    std::string name_;
    bool loading_ = false;
    Component* owner_ = nullptr;
};

// Creates components by class name for the loader.
class ComponentFactory {
public:
    virtual ~ComponentFactory() = default;
    // Returns null for an unknown class.
    virtual std::unique_ptr<Component> Create(std::string_view className) = 0;
};

// Applies a parsed description to `root` (the form itself): its properties and
// events, then each child object created through `factory`, recursively. The
// created components are handed to `adopt` in creation order (the owner keeps
// them). Every unknown class, property, event or handler throws
// EFormDescription naming the object and line: nothing is skipped silently.
void ApplyDescription(const FormObject& description, Component& root, ComponentFactory& factory,
                      const HandlerTable& handlers, const std::function<void(std::unique_ptr<Component>)>& adopt);

} // namespace qm
