#pragma once
// The Windows version an emulated test program expects Wine to show it. The
// test's environment names it (QM_EXPECTED_PLATFORM, _MAJOR, _MINOR), so one
// build of the program serves every version; -1 when it is not given.
#include <cstdlib>

namespace qm::test {

inline int ExpectedValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : -1;
}
inline int ExpectedPlatform()
{
    return ExpectedValue("QM_EXPECTED_PLATFORM");
}
inline int ExpectedMajor()
{
    return ExpectedValue("QM_EXPECTED_MAJOR");
}
inline int ExpectedMinor()
{
    return ExpectedValue("QM_EXPECTED_MINOR");
}

} // namespace qm::test
