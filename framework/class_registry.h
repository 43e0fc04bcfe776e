#pragma once
// Component classes by name, for creating what window descriptions list.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"

namespace qm {

class ClassRegistry final : public ComponentFactory {
public:
    using Creator = std::unique_ptr<Component> (*)();

    void Register(std::string className, Creator creator) { creators_[std::move(className)] = creator; }

    template <class T> void Register(std::string className)
    {
        Register(std::move(className), []() -> std::unique_ptr<Component> { return std::make_unique<T>(); });
    }

    std::unique_ptr<Component> Create(std::string_view className) override
    {
        auto it = creators_.find(className);
        return it == creators_.end() ? nullptr : it->second();
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& [name, creator] : creators_)
            names.push_back(name);
        return names;
    }

private:
    std::map<std::string, Creator, std::less<>> creators_;
};

} // namespace qm
