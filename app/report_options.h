#pragma once
// The console report tool's plain decisions: what its command line asks for,
// and under which topic a failure it meets is filed.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct ReportOptions {
    bool json = false, listTopics = false, help = false;
    std::vector<std::string> topics;
    std::string file = "-"; // "-": standard output
};

// Nothing when the arguments are not understood: an option it does not know
// (anything else that starts with "-", but "-" itself), an option without its
// value, "--format" twice or with another value than "text" or "json", or a
// second file.
std::optional<ReportOptions> ParseReportOptions(const std::vector<std::string>& arguments);

// The topic a failure belongs to, by the class that titles it
// ("TTimeZone.GetInfo" goes to the topic whose collector is TTimeZone);
// `current`, the topic being read or written, when no topic has that class.
std::size_t FailureTopic(std::string_view caption, const std::vector<std::string_view>& classNames,
                         std::size_t current);

} // namespace qm
