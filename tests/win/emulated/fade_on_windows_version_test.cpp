// Built once per emulated Windows version; Wine reports that version to this
// program alone (see the test registration).
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "app/quarrimond.h"
#include "expected_version.h"

namespace qm {
namespace {

TEST(FadeOnThisWindows, LayeredOnlyOnWindows2000)
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(version.dwMajorVersion, static_cast<DWORD>(test::ExpectedMajor()));
    ASSERT_EQ(version.dwMinorVersion, static_cast<DWORD>(test::ExpectedMinor()));

    Application app; // the real system, as Wine presents it
    CreateQuarrimondWindows(app);
    auto* main = app.FindForm<TMainForm>();
    auto start = GetTickCount();
    main->Show();
    DWORD fadeIn = GetTickCount() - start;
    HWND window = main->Handle();
    BYTE alpha = 255;
    bool layered = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (layered)
        GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
    if (version.dwMajorVersion == 5 && version.dwMinorVersion == 0) {
        EXPECT_TRUE(layered);
        EXPECT_EQ(alpha, 252);
    } else {
        EXPECT_FALSE(layered);
        EXPECT_EQ(alpha, 255);
    }
    EXPECT_GE(fadeIn, 450u);
    std::printf("Windows %lu.%lu: layered %d, alpha %u, fade in %lu ms\n", version.dwMajorVersion,
                version.dwMinorVersion, layered, alpha, fadeIn);
    // Leave no settings behind for the other test programs.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond\\MainFormSettings");
}

} // namespace
} // namespace qm
