#include <gtest/gtest.h>

#include "sysinfo/msi_cpu.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/msi_memory.h"
#include "sysinfo/report_json.h"

using namespace qm;

namespace {

// Latin-1 to UTF-8, standing in for the system's code page.
std::string Latin1ToUtf8(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

} // namespace

TEST(ReportJson, FieldsAsTypedValuesInTableOrder)
{
    TMemory memory;
    memory.PhysicalTotal = 25769803776;
    memory.MemoryLoad = 37;
    TCPU cpu;
    cpu.Family = 25;
    cpu.VendorID = "Quote \" back\\slash\ttab";
    cpu.Features->FPU = true;
    JsonTopic first{"Memory", "TMemory", &TMemory::StaticType(), &memory, {}, {}};
    memory.Report(first.report, ReportLocale(','));
    JsonTopic second{"CPU", "TCPU", &TCPU::StaticType(), &cpu, {}, {"TCPU.GetInfo: no"}};
    cpu.Report(second.report);
    const std::string json = ReportJson({first, second}, Latin1ToUtf8);
    EXPECT_TRUE(json.starts_with("{\"format\":\"quarrimond-report\",\"version\":1,\"topics\":[{\"name\":\"Memory\","
                                 "\"collector\":\"TMemory\",\"properties\":{"));
    EXPECT_NE(json.find("\"PhysicalTotal\":25769803776"), std::string::npos);
    EXPECT_LT(json.find("\"MemoryLoad\":37"), json.find("\"PhysicalTotal\""));
    // Nested objects as objects, switches as booleans, texts escaped.
    EXPECT_NE(json.find("\"Features\":{"), std::string::npos);
    EXPECT_NE(json.find("\"FPU\":true"), std::string::npos);
    EXPECT_NE(json.find("\"VendorID\":\"Quote \\\" back\\\\slash\\u0009tab\""), std::string::npos);
    EXPECT_NE(json.find("\"Family\":25"), std::string::npos);
    // The text report's sections, split at the first "=", and the failures.
    EXPECT_NE(json.find("\"report\":[{\"section\":\"Memory\",\"values\":[[\"PhysMemTotal\",\"25,769,803,776\"]"),
              std::string::npos);
    EXPECT_TRUE(json.ends_with("\"failures\":[\"TCPU.GetInfo: no\"]}]}\n"));
}

TEST(ReportJson, CollectionsAsArraysAndTextsInUtf8)
{
    TDevice device;
    device.ClassName = "Net";
    device.FriendlyName = "Karte f\xFCr das Netz";
    TDevices devices;
    devices.SetDevices({device, device});
    JsonTopic topic{"Devices", "TDevices", &TDevices::StaticType(), &devices, {}, {}};
    const std::string json = ReportJson({topic}, Latin1ToUtf8);
    EXPECT_NE(json.find("\"FriendlyName\":\"Karte f\xC3\xBCr das Netz\""), std::string::npos);
    const size_t first = json.find("\"ClassName\":\"Net\"");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(json.find("\"ClassName\":\"Net\"", first + 1), std::string::npos);
    EXPECT_EQ(JsonString("a\nb"), "\"a\\u000ab\"");
}
