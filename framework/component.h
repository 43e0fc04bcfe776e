#pragma once
// The component model behind window descriptions: a component applies stored
// properties by name and binds its events to handlers by name. Everything here
// is plain C++ so that descriptions can be checked without Windows.
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/form_text.h"

namespace qm {

class Component;

using NotifyEvent = std::function<void(Component& sender)>;

// Handlers of a form, by name. A form registers its member functions here; the
// loader hands them to the components that name them.
class HandlerTable {
public:
    template <class Signature> void Add(std::string name, std::function<Signature> handler)
    {
        handlers_[std::move(name)] = std::move(handler);
    }

    // Throws EFormDescription when there is no such handler or it has another
    // signature than the event needs.
    template <class Signature> std::function<Signature> Get(std::string_view name) const
    {
        auto it = handlers_.find(name);
        if (it == handlers_.end())
            throw EFormDescription("no handler named " + std::string(name));
        const auto* handler = std::any_cast<std::function<Signature>>(&it->second);
        if (!handler)
            throw EFormDescription("handler " + std::string(name) + " does not fit the event it is bound to");
        return *handler;
    }

private:
    std::map<std::string, std::any, std::less<>> handlers_;
};

// One settable property of class T, as data.
template <class T> struct PropertyEntry {
    std::string_view name;
    void (*apply)(T& self, const FormValue& value);
};

// One bindable event of class T, as data.
template <class T> struct EventEntry {
    std::string_view name;
    void (*bind)(T& self, const HandlerTable& handlers, std::string_view handler);
};

template <class T>
bool ApplyFromTable(std::span<const PropertyEntry<T>> table, T& self, std::string_view name, const FormValue& value)
{
    for (const auto& entry : table) {
        if (entry.name == name) {
            entry.apply(self, value);
            return true;
        }
    }
    return false;
}

template <class T>
bool BindFromTable(std::span<const EventEntry<T>> table, T& self, std::string_view event, const HandlerTable& handlers,
                   std::string_view handler)
{
    for (const auto& entry : table) {
        if (entry.name == event) {
            entry.bind(self, handlers, handler);
            return true;
        }
    }
    return false;
}

class Component {
public:
    explicit Component(std::string name = {}) : name_(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Applies one stored property; false when the class has no such property.
    virtual bool ApplyProperty(std::string_view name, const FormValue& value);
    // Binds one event; false when the class has no such event.
    virtual bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler);
    // A property's current value as stored text ("3", "True"); false when the
    // class keeps no such property as text.
    virtual bool PropertyText(std::string_view, std::string&) const { return false; }
    // Sets a property from stored text; false when there is no such property.
    virtual bool SetPropertyText(std::string_view, const std::string&) { return false; }
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
