#include <gtest/gtest.h>

#include "app/banner_rule.h"

namespace qm {
namespace {

TEST(BannerRule, ShowsOnTheThirdActivationThenEverySecondWhenDismissed)
{
    BannerRule rule;
    std::vector<int> shownOn;
    for (int activation = 1; activation <= 9; ++activation)
        if (rule.Activate(false)) // dismissed at once each time
            shownOn.push_back(activation);
    EXPECT_EQ(shownOn, (std::vector<int>{3, 5, 7, 9}));
}

TEST(BannerRule, NothingChangesWhileItIsVisible)
{
    BannerRule rule;
    rule.Activate(false);
    rule.Activate(false);
    ASSERT_TRUE(rule.Activate(false));
    EXPECT_EQ(rule.Count(), 4);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(rule.Activate(true));
}

TEST(BannerRule, StopsForGoodAtTheCap)
{
    BannerRule rule;
    rule.Reset(BannerRule::kCountCap - 3);
    EXPECT_TRUE(rule.Activate(false)); // 199999998 is a multiple of 3
    EXPECT_EQ(rule.Count(), BannerRule::kCountCap - 1);
    EXPECT_FALSE(rule.Activate(false));
    EXPECT_EQ(rule.Count(), BannerRule::kCountCap);
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(rule.Activate(false));
    EXPECT_EQ(rule.Count(), BannerRule::kCountCap);
}

} // namespace
} // namespace qm
