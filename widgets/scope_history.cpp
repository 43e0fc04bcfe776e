#include "widgets/scope_history.h"

#include <cstdio>
#include <stdexcept>

namespace qm {

std::string FormatScopeField(int value)
{
    char field[24];
    std::snprintf(field, sizeof(field), value >= 0 ? "%.10d" : "%.9d", value);
    return field;
}

void ScopeHistory::Add(int value, int bufferSize)
{
    text_.insert(0, FormatScopeField(value));
    size_t limit = bufferSize > 0 ? static_cast<size_t>(bufferSize) * kFieldWidth : 0;
    if (text_.size() >= limit)
        text_.resize(limit);
}

int ScopeHistory::At(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("scope sample index");
    return std::stoi(text_.substr(static_cast<size_t>(index) * kFieldWidth, kFieldWidth));
}

} // namespace qm
