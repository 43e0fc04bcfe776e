// The wizard's routes, its memory range and its registry backup text.
#include <gtest/gtest.h>

#include "components/wizard_routes.h"
#include "optimizer/registry_backup.h"
#include "optimizer/wizard_memory.h"

namespace qm {
namespace {

struct Page {
    std::string name;
    bool agrees = true;
};

TEST(WizardRoutes, NextAndBackWrapAndSkipPagesThatRefuse)
{
    Page a{"a"}, b{"b"}, c{"c"}, d{"d"};
    std::vector<Page*> route{&a, &b, &c, &d};
    std::vector<std::string> asked;
    std::function<bool(Page&, bool)> canShow = [&](Page& p, bool forward) {
        asked.push_back(p.name + (forward ? "+" : "-"));
        return p.agrees;
    };
    EXPECT_EQ(FindNextPage(route, &a, true, canShow), &b);
    EXPECT_EQ(FindNextPage(route, &d, true, canShow), &a); // wraps
    EXPECT_EQ(FindNextPage(route, &a, false, canShow), &d);
    b.agrees = false;
    asked.clear();
    EXPECT_EQ(FindNextPage(route, &a, true, canShow), &c);
    EXPECT_EQ(asked, (std::vector<std::string>{"b+", "c+"}));
    EXPECT_EQ(FindNextPage(route, &c, false, canShow), &a);
    // A page off the route: forward starts from the last, back from the first.
    Page stray{"x"};
    EXPECT_EQ(FindNextPage(route, &stray, true, canShow), &a);
    EXPECT_EQ(FindNextPage(route, static_cast<Page*>(nullptr), false, canShow), &d);
    for (Page* p : route)
        p->agrees = false;
    EXPECT_EQ(FindNextPage(route, &a, true, canShow), nullptr);
    EXPECT_EQ(FindNextPage(std::vector<Page*>{}, &a, true, canShow), nullptr);
    // Without vetoes (at design time) every page agrees.
    EXPECT_EQ(FindNextPage(route, &a, true, std::function<bool(Page&, bool)>{}), &b);
}

TEST(WizardRoutes, StepButtonsOnFirstMiddleAndLastPages)
{
    Page a, b, c;
    std::vector<Page*> route{&a, &b, &c};
    auto first = StepButtons(route, &a, true, true);
    EXPECT_FALSE(first.back);
    EXPECT_TRUE(first.next);
    auto middle = StepButtons(route, &b, true, true);
    EXPECT_TRUE(middle.back);
    EXPECT_TRUE(middle.next);
    auto last = StepButtons(route, &c, true, true);
    EXPECT_TRUE(last.back);
    EXPECT_FALSE(last.next); // even though the page says enabled
    EXPECT_FALSE(StepButtons(route, &b, false, true).back);
    auto none = StepButtons(route, static_cast<Page*>(nullptr), true, true);
    EXPECT_FALSE(none.back || none.next);
}

TEST(WizardRoutes, PageIndexesMoveInsertAndRefuseWithTheListError)
{
    std::vector<int> list{1, 2, 3};
    MoveToIndex(list, 3, 0);
    EXPECT_EQ(list, (std::vector<int>{3, 1, 2}));
    MoveToIndex(list, 4, 3); // absent: inserted, at the end at most
    EXPECT_EQ(list, (std::vector<int>{3, 1, 2, 4}));
    try {
        MoveToIndex(list, 1, 4);
        FAIL() << "no error";
    } catch (const EWizardListError& e) {
        EXPECT_STREQ(e.what(), "4 is an invalid PageIndex value.  PageIndex must be between 0 and 3");
    }
    EXPECT_THROW(MoveToIndex(list, 9, 5), EWizardListError);
    EXPECT_THROW(MoveToIndex(list, 1, -1), EWizardListError);
    EXPECT_EQ(list, (std::vector<int>{3, 1, 2, 4}));
}

TEST(WizardRoutes, NewRoutesTakeTheFirstFreeNameWithoutRegardToCase)
{
    EXPECT_EQ(NewRouteName({}), "Route1");
    EXPECT_EQ(NewRouteName({"route1", "Route3"}), "Route2");
    EXPECT_TRUE(SameRouteName("Default", "DEFAULT"));
    EXPECT_FALSE(SameRouteName("Default", "Defaults"));
}

TEST(WizardMemory, TheFiguresOfA128MiBMachine)
{
    constexpr std::int64_t MiB = 1048576;
    const auto range = WizardMemory(128 * MiB, 40 * MiB);
    EXPECT_EQ(range.maxLabel, 56);
    EXPECT_EQ(range.minValue, 50);
    EXPECT_EQ(range.maxValue, 96);
    // Used memory below 42 MiB: the range is inverted.
    const auto small = WizardMemory(128 * MiB, 88 * MiB);
    EXPECT_EQ(small.maxLabel, 8);
    EXPECT_LT(small.maxValue, small.minValue);
    // 31 MiB used or less: a negative label, truncated toward zero.
    EXPECT_EQ(WizardMemory(128 * MiB, 96 * MiB + MiB / 2).maxLabel, 0);
    EXPECT_EQ(WizardMemory(128 * MiB, 97 * MiB + MiB / 2).maxLabel, -1);
    EXPECT_EQ(WizardMemory(128 * MiB, 100 * MiB).maxLabel, -4);
    // 25 GiB: beyond what 32 bits hold.
    const auto big = WizardMemory(25600 * MiB, 20000 * MiB);
    EXPECT_EQ(big.maxLabel, 5568);
    EXPECT_EQ(big.minValue, 20010);
    EXPECT_EQ(big.maxValue, 25568);
}

TEST(RegistryBackup, Version5RestoresValuesAndDeletesOnlyTheAbsentOnes)
{
    BackedUpKey tcpip{"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", true, {}};
    tcpip.values.push_back({"DefaultTTL", RegValueNow{4, {}, {0x80, 0, 0, 0}}});
    tcpip.values.push_back({"TcpWindowSize", std::nullopt});
    tcpip.values.push_back({"Domain", RegValueNow{1, "a\\b \"c\"", {}}});
    tcpip.values.push_back({"Odd", RegValueNow{3, {}, {0x01, 0xab}}});
    tcpip.values.push_back({"Expand", RegValueNow{2, {}, {'x', 0}}});
    // A key that did not exist: importing removes what the optimizer may
    // write there and keeps whatever else was written there since.
    BackedUpKey gone{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", false, {}};
    gone.values.push_back({"MaxConnectionsPerServer", std::nullopt});
    gone.values.push_back({"MaxConnectionsPer1_0Server", std::nullopt});
    EXPECT_EQ(RegFileText(RegFileFormat::Version5, {tcpip, gone}),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\r\n"
              "\"DefaultTTL\"=dword:00000080\r\n"
              "\"TcpWindowSize\"=-\r\n"
              "\"Domain\"=\"a\\\\b \\\"c\\\"\"\r\n"
              "\"Odd\"=hex:01,ab\r\n"
              "\"Expand\"=hex(2):78,00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\r\n"
              "\"MaxConnectionsPerServer\"=-\r\n"
              "\"MaxConnectionsPer1_0Server\"=-\r\n");
    EXPECT_EQ(
        RegFileText(RegFileFormat::Regedit4, {gone}),
        "REGEDIT4\r\n"
        "\r\n"
        "; [HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings] did not exist\r\n");
}

TEST(RegistryBackup, Regedit4CannotDeleteAndSaysSo)
{
    BackedUpKey limits{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", true, {}};
    limits.values.push_back({"MaxConnectionsPerServer", RegValueNow{4, {}, {0x0a, 0, 0, 0x01}}});
    limits.values.push_back({"MaxConnectionsPer1_0Server", std::nullopt});
    EXPECT_EQ(RegFileText(RegFileFormat::Regedit4, {limits}),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\r\n"
              "\"MaxConnectionsPerServer\"=dword:0100000a\r\n"
              "; \"MaxConnectionsPer1_0Server\" did not exist\r\n");
    EXPECT_EQ(RegFileFormatFor("Windows 9x", 4), RegFileFormat::Regedit4);
    EXPECT_EQ(RegFileFormatFor("Windows NT", 4), RegFileFormat::Regedit4);
    EXPECT_EQ(RegFileFormatFor("Windows NT", 5), RegFileFormat::Version5);
    EXPECT_EQ(RegFileFormatFor("Windows NT", 6), RegFileFormat::Version5);
}

} // namespace
} // namespace qm
