#pragma once
// Handlers of a form, by name. A form registers its member functions here; the
// loader hands them to the components whose events name them.
#include <any>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "framework/form_text.h"

namespace qm {

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

} // namespace qm
