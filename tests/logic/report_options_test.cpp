#include <gtest/gtest.h>

#include "app/report_options.h"

namespace qm {
namespace {

std::optional<ReportOptions> Parse(std::vector<std::string> arguments)
{
    return ParseReportOptions(arguments);
}

TEST(ReportOptions, WhatTheCommandLineAsksFor)
{
    const auto plain = Parse({});
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->json);
    EXPECT_EQ(plain->file, "-");
    const auto full = Parse({"--format", "json", "--topic", "cpu", "--topic", "Time Zone", "C:\\r.json"});
    ASSERT_TRUE(full);
    EXPECT_TRUE(full->json);
    EXPECT_EQ(full->topics, (std::vector<std::string>{"cpu", "Time Zone"}));
    EXPECT_EQ(full->file, "C:\\r.json");
    EXPECT_FALSE(Parse({"--format", "text"})->json);
    EXPECT_EQ(Parse({"-"})->file, "-");
    EXPECT_EQ(Parse({".\\-v"})->file, ".\\-v");
    EXPECT_TRUE(Parse({"/?"})->help);
    EXPECT_TRUE(Parse({"--list-topics"})->listTopics);
}

TEST(ReportOptions, UsageErrors)
{
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"-v"},
                                               {"--verbose"},
                                               {"--format"},
                                               {"--format", ""},
                                               {"--format", "xml"},
                                               {"--format", "json", "--format", "text"},
                                               {"--format", "json", "--format", "json"},
                                               {"--topic"},
                                               {"--topic", ""},
                                               {"a.txt", "b.txt"},
                                               {""}}) {
        std::string line;
        for (const std::string& argument : wrong)
            line += "[" + argument + "]";
        EXPECT_FALSE(Parse(wrong)) << line;
    }
}

TEST(ReportOptions, AFailureIsFiledUnderTheTopicOfItsClass)
{
    const std::vector<std::string_view> classes = {"TOperatingSystem", "TTimeZone", "TDisk"};
    // The time zone is read with the operating system, but its failure is its own.
    EXPECT_EQ(FailureTopic("TTimeZone.GetInfo", classes, 0), 1u);
    EXPECT_EQ(FailureTopic("TDisk.SetDisk", classes, 0), 2u);
    // A part without a topic of its own: the topic being read or written.
    EXPECT_EQ(FailureTopic("TNTSpecific.GetInfo", classes, 0), 0u);
    EXPECT_EQ(FailureTopic("", classes, 2), 2u);
    EXPECT_EQ(FailureTopic("TTimeZone", classes, 0), 1u);
}

} // namespace
} // namespace qm
