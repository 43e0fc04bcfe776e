#include "app/report_options.h"

namespace qm {

std::optional<ReportOptions> ParseReportOptions(const std::vector<std::string>& arguments)
{
    ReportOptions options;
    bool haveFile = false, haveFormat = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--list-topics") {
            options.listTopics = true;
        } else if (argument == "--format") {
            if (!hasValue || haveFormat)
                return std::nullopt;
            const std::string& format = arguments[++i];
            if (format != "text" && format != "json")
                return std::nullopt;
            options.json = format == "json";
            haveFormat = true;
        } else if (argument == "--topic") {
            if (!hasValue || arguments[i + 1].empty())
                return std::nullopt;
            options.topics.push_back(arguments[++i]);
        } else if ((argument.starts_with('-') && argument != "-") || argument.empty() || haveFile) {
            // "-v" is no file name someone meant; a file of that name is "./-v".
            return std::nullopt;
        } else {
            options.file = argument;
            haveFile = true;
        }
    }
    return options;
}

std::size_t FailureTopic(std::string_view caption, const std::vector<std::string_view>& classNames, std::size_t current)
{
    const std::string_view className = caption.substr(0, caption.find('.'));
    for (std::size_t i = 0; i < classNames.size(); ++i)
        if (classNames[i] == className)
            return i;
    return current;
}

} // namespace qm
