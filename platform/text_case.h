#pragma once
// Letter case in texts the program compares: the registry's names, device
// classes, markup tags, topic and route names. ASCII letters only, as the
// C library's "C" locale has them; other bytes are compared as they are.
// (Lists a person reads are sorted by the system's own order instead.)
#include <string>
#include <string_view>
#include <vector>

namespace qm {

char LowerAscii(char c);
char UpperAscii(char c);
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Negative, zero or positive, ordering by the lower-case letters.
int CompareIgnoringCase(std::string_view a, std::string_view b);
// The index of the first of `list` equal to `text`, or -1.
int IndexIgnoringCase(const std::vector<std::string>& list, std::string_view text);

} // namespace qm
