#pragma once
// The classes of the test automation server, and where it is registered.
#include <windows.h>

namespace qm::test {

inline constexpr CLSID kAnsweringEngine = {
    0x51d3c7a0, 0x2b4e, 0x4f6a, {0x9c, 0x11, 0x0e, 0x5a, 0x7d, 0x20, 0x31, 0x01}};
inline constexpr CLSID kFailingEngine = {0x51d3c7a0, 0x2b4e, 0x4f6a, {0x9c, 0x11, 0x0e, 0x5a, 0x7d, 0x20, 0x31, 0x02}};
inline constexpr char kAnsweringEngineText[] = "{51D3C7A0-2B4E-4F6A-9C11-0E5A7D203101}";
inline constexpr char kFailingEngineText[] = "{51D3C7A0-2B4E-4F6A-9C11-0E5A7D203102}";
inline constexpr char kServerFile[] = "qm_test_automation.dll";

} // namespace qm::test
