#include <gtest/gtest.h>

#include <chrono>

#include "app/main_form.h"
#include "app/quarrimond.h"
#include "app/transparent_skin.h"
#include "test_support.h"

namespace qm {
namespace {

struct Alpha {
    bool layered;
    BYTE alpha;
};

Alpha WindowAlpha(HWND window)
{
    Alpha result{(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, 255};
    BYTE alpha = 255;
    DWORD flags = 0;
    if (result.layered && GetLayeredWindowAttributes(window, nullptr, &alpha, &flags))
        result.alpha = alpha;
    return result;
}

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Fade : public testing::TestWithParam<unsigned> {};

TEST_P(Fade, TranslucentOnlyOnWindows2000AndAlwaysTakesItsTime)
{
    const unsigned minor = GetParam();
    test::FakeServices services;
    services.version = {2, 5, minor, minor == 0 ? 2195u : 2600u, "Service Pack 4"};
    Application app(services);
    CreateQuarrimondWindows(app);
    auto* main = app.FindForm<TMainForm>();
    double fadeIn = Seconds([&] { main->Show(); });
    Alpha shown = WindowAlpha(main->Handle());
    if (minor == 0) {
        EXPECT_TRUE(shown.layered);
        EXPECT_EQ(shown.alpha, 252); // 99 % of 255, truncated
    } else {
        EXPECT_FALSE(shown.layered);
    }
    double fadeOut = Seconds([&] { main->Close(); });
    if (minor == 0) {
        EXPECT_EQ(WindowAlpha(main->Handle()).alpha, 0);
    }
    // 100 steps of 5 ms each way, whether or not anything is seen.
    EXPECT_GE(fadeIn, 0.45);
    EXPECT_GE(fadeOut, 0.45);
    RecordProperty("fade_in_seconds", std::to_string(fadeIn));
    RecordProperty("fade_out_seconds", std::to_string(fadeOut));
    std::printf("Windows 5.%u: fade in %.3f s, fade out %.3f s\n", minor, fadeIn, fadeOut);
}

INSTANTIATE_TEST_SUITE_P(Versions, Fade, testing::Values(0u, 1u));

} // namespace
} // namespace qm
