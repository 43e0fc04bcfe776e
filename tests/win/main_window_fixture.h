#pragma once
// The program's windows as start-up creates them, over the given services.
#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "app/quarrimond.h"

namespace qm::test {

template <class Services> class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        CreateQuarrimondWindows(*app);
        main = app->FindForm<TMainForm>();
        ASSERT_NE(main, nullptr);
    }

    template <class T> T& Get(const char* name) { return main->Find<T>(name); }

    SIZE Client() const
    {
        RECT r;
        GetClientRect(main->Handle(), &r);
        return SIZE{r.right, r.bottom};
    }

    Services services;
    std::unique_ptr<Application> app;
    TMainForm* main = nullptr;
};

} // namespace qm::test
