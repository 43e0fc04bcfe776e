// Letter case as the program compares names: ASCII letters only.
#include <gtest/gtest.h>

#include "platform/text_case.h"

namespace qm {
namespace {

TEST(TextCase, AsciiLettersMatchEitherCaseAndNothingElseDoes)
{
    EXPECT_TRUE(EqualIgnoringCase("Display", "DISPLAY"));
    EXPECT_TRUE(EqualIgnoringCase("", ""));
    EXPECT_FALSE(EqualIgnoringCase("Display", "Displays"));
    EXPECT_FALSE(EqualIgnoringCase("[", "{")); // 0x5B and 0x7B are no letters
    EXPECT_FALSE(EqualIgnoringCase("\xC9t\xE9", "\xE9t\xE9")); // code-page letters are compared as they are
    EXPECT_EQ(LowerCase("MiXeD 1-2_Z\xC9"), "mixed 1-2_z\xC9");
    EXPECT_EQ(UpperCase("MiXeD 1-2_z\xE9"), "MIXED 1-2_Z\xE9");
    EXPECT_EQ(LowerAscii('@'), '@');
    EXPECT_EQ(UpperAscii('`'), '`');
}

TEST(TextCase, PrefixesOrderAndLookUp)
{
    EXPECT_TRUE(StartsWithIgnoringCase("<blink>", "<BLINK"));
    EXPECT_TRUE(StartsWithIgnoringCase("Windows=C:\\", "windows="));
    EXPECT_FALSE(StartsWithIgnoringCase("<B", "<BR>"));
    // By the lower-case letters: "_" (0x5F) before "a" (0x61), "B" after "a".
    EXPECT_LT(CompareIgnoringCase("_x", "Ax"), 0);
    EXPECT_GT(CompareIgnoringCase("B", "a"), 0);
    EXPECT_LT(CompareIgnoringCase("net", "NETWORK"), 0);
    EXPECT_EQ(CompareIgnoringCase("Ports", "PORTS"), 0);
    EXPECT_GT(CompareIgnoringCase("\xE9", "z"), 0); // bytes above 0x7F after every ASCII letter
    const std::vector<std::string> names{"Office", "Lab Printer", "LAB PRINTER"};
    EXPECT_EQ(IndexIgnoringCase(names, "lab printer"), 1);
    EXPECT_EQ(IndexIgnoringCase(names, "Lab"), -1);
    EXPECT_EQ(IndexIgnoringCase({}, ""), -1);
}

} // namespace
} // namespace qm
