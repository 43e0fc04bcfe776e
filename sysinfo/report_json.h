#pragma once
// The machine-readable report: every topic's published fields, its text
// report as sections of name-value pairs, and the failures its refresh met,
// as one JSON document in UTF-8 (schema: docs/report-schema.json).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/properties.h"
#include "framework/string_list.h"

namespace qm {

inline constexpr int kReportJsonVersion = 1;

// One topic as the document shows it: the collector's fields through its
// table, and the lines of its text report.
struct JsonTopic {
    std::string name;
    std::string collector; // the class, "TCPU"
    const TypeInfo* type = nullptr;
    const void* object = nullptr;
    StringList report;
    std::vector<std::string> failures;
};

// `toUtf8` turns the collectors' ANSI texts into UTF-8.
std::string ReportJson(const std::vector<JsonTopic>& topics,
                       const std::function<std::string(std::string_view)>& toUtf8);

// A JSON string literal of UTF-8 text, quotes included.
std::string JsonString(std::string_view utf8);

} // namespace qm
