#include <gtest/gtest.h>

#include "sysinfo/cache_leaves.h"
#include "sysinfo/msi_cpu.h"
#include "tests/logic/scripted_processor.h"

namespace qm {
namespace {

using test::Recorder;
using test::ScriptedProcessor;

TEST(CpuName, TableRowsAndTheirConditions)
{
    const CpuName coppermine = LookupCpuName(kIntel, 6, 8, 0, 0, 256, 700);
    EXPECT_EQ(coppermine.name, "Pentium III E");
    EXPECT_EQ(coppermine.codeName, "Coppermine (0.18 \xB5m)");
    EXPECT_EQ(coppermine.transistors, 28100000);

    EXPECT_EQ(LookupCpuName(kIntel, 6, 5, 0, 0, 0, 300).name, "Celeron");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 5, 0, 0, 512, 300).name, "Pentium II");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 5, 0, 0, 512, 300).codeName, "Deschutes (0,25\xB5m)");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 5, 0, 0, 1024, 300).name, "Pentium II Xeon");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 5, 0, 0, 1024, 300).codeName, "Deschutes (0.25 \xB5m)");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 6, 0, 0, 128, 300).name, "Celeron A");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 6, 0, 0, 256, 300).name, "Pentium II PE (mobile)");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 7, 0, 0, 512, 500).name, "Pentium III");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 7, 0, 0, 1024, 500).name, "Pentium III Xeon");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 3, 0, 0, 512, 233).name, "Pentium II");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 3, 0, 1, 512, 233).name, "Pentium II OverDrive");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 2, 0, 0, 0, 0).name, "Pentium II");
    EXPECT_EQ(LookupCpuName(kIntel, 6, 12, 0, 0, 0, 0).codeName, "");

    // Families 7 and 8 by brand, then by cache.
    EXPECT_EQ(LookupCpuName(kIntel, 8, 3, 1, 0, 0, 0).name, "Celeron");
    EXPECT_EQ(LookupCpuName(kIntel, 7, 0, 3, 0, 0, 0).name, "Pentium III Xeon");
    EXPECT_EQ(LookupCpuName(kIntel, 8, 9, 4, 0, 0, 0).name, "Pentium IV");
    EXPECT_EQ(LookupCpuName(kIntel, 8, 9, 2, 0, 512, 0).name, "Pentium III");
    EXPECT_EQ(LookupCpuName(kIntel, 8, 9, 2, 0, 1024, 0).name, "Pentium III Xeon");
    EXPECT_EQ(LookupCpuName(kIntel, 15, 2, 9, 0, 0, 0).name, "Pentium IV");
    EXPECT_EQ(LookupCpuName(kIntel, 9, 0, 0, 0, 0, 0).name, "");

    // The counts are the table's own, not corrected.
    EXPECT_EQ(LookupCpuName(kIdt, 5, 4, 0, 0, 0, 0).transistors, 54000000);
    EXPECT_EQ(LookupCpuName(kAmd, 6, 11, 0, 0, 0, 0).name, "K7");
    EXPECT_EQ(LookupCpuName(kAmd, 5, 4, 0, 0, 0, 0).name, "");
    EXPECT_EQ(LookupCpuName(kAmd, 4, 7, 0, 0, 0, 0).name, "Am486DX2");

    // Cyrix family 4 model 0 by clock; other clocks have no entry.
    EXPECT_EQ(LookupCpuName(kCyrix, 4, 0, 0, 0, 0, 66).name, "Cx486SLC/DLC");
    EXPECT_EQ(LookupCpuName(kCyrix, 4, 0, 0, 0, 0, 33).name, "Cx486S");
    EXPECT_EQ(LookupCpuName(kCyrix, 4, 0, 0, 0, 0, 100).name, "Cx486DX/DX2/DX4");
    EXPECT_EQ(LookupCpuName(kCyrix, 4, 0, 0, 0, 0, 40).name, "");
    EXPECT_EQ(LookupCpuName(kCyrix, 4, 0, 0, 0, 0, 40).transistors, 0);
    EXPECT_EQ(LookupCpuName(kCyrix, 6, 0, 0, 0, 0, 224).name, "6x86MX (PR166-266)");
    EXPECT_EQ(LookupCpuName(kCyrix, 6, 0, 0, 0, 0, 225).name, "M-II (PR300-433)");

    // An unlisted UMC family-4 model keeps the family's code name and count.
    const CpuName umc = LookupCpuName(kUmc, 4, 7, 0, 0, 0, 0);
    EXPECT_EQ(umc.name, "");
    EXPECT_EQ(umc.codeName, "U5D and U5S");
    EXPECT_EQ(umc.transistors, 12000000);
    EXPECT_EQ(LookupCpuName(kUmc, 4, 2, 0, 0, 0, 0).name, "U5S");

    const CpuName unknown = LookupCpuName(kUnknownVendor, 6, 8, 0, 0, 256, 700);
    EXPECT_EQ(unknown.name, "");
    EXPECT_EQ(unknown.transistors, 0);
}

TEST(CpuVendor, ExactTwelveCharacterTexts)
{
    ASSERT_NE(FindCpuVendor("GenuineIntel"), nullptr);
    EXPECT_EQ(FindCpuVendor("GenuineIntel")->fullName, "Intel Corporation");
    EXPECT_EQ(FindCpuVendor("AuthenticAMD")->shortName, "AMD");
    EXPECT_EQ(FindCpuVendor("UMC UMC UMC ")->index, kUmc);
    EXPECT_EQ(FindCpuVendor("genuineintel"), nullptr);
    EXPECT_EQ(FindCpuVendor("HygonGenuine"), nullptr);
    // EBX, EDX, ECX.
    EXPECT_EQ(VendorSignature({0xD, 0x756E6547, 0x6C65746E, 0x49656E69}), "GenuineIntel");
}

TEST(CpuClock, SnappingToTheUsualSteps)
{
    EXPECT_EQ(SnapFrequency(866), 866);
    EXPECT_EQ(SnapFrequency(1399), 1400);
    EXPECT_EQ(SnapFrequency(998), 1000);
    EXPECT_EQ(SnapFrequency(925), 920); // 20 is nearer than 33
    EXPECT_EQ(SnapFrequency(455), 460); // a tie goes up
    EXPECT_EQ(SnapFrequency(697), 700);
    EXPECT_EQ(SnapFrequency(451), 450);
    EXPECT_EQ(SnapFrequency(733), 733);
    EXPECT_EQ(SnapFrequency(1001), 1000);
    EXPECT_EQ(SnapFrequency(0), 0);
}

TEST(CpuClock, MeasurementArithmetic)
{
    // 1000 counts of a 3.579545 MHz counter: 279.36 µs.
    EXPECT_EQ(ElapsedMicroseconds(1000, 3579545), 279u);
    EXPECT_EQ(ElapsedMicroseconds(1000, 10000000), 100u);
    EXPECT_EQ(ElapsedMicroseconds(1000, 0), 0u);
    EXPECT_EQ(MeasurementMhz(70000, 100), 700);
    EXPECT_EQ(MeasurementMhz(70050, 100), 700); // 700.5: halves to even
    EXPECT_EQ(MeasurementMhz(70150, 100), 702);
    EXPECT_EQ(MeasurementMhz(70000, 0), 0);
    EXPECT_EQ(MeasurementMhz(0xFFFFFFFFu, 1000), 4294967);

    EXPECT_TRUE(MeasurementsAgree(700, 701, 699));
    EXPECT_TRUE(MeasurementsAgree(700, 701, 702));
    EXPECT_FALSE(MeasurementsAgree(700, 700, 702)); // 3 x 702 is 4 above the sum
    EXPECT_FALSE(MeasurementsAgree(700, 700, 705));

    EXPECT_EQ(FrequencyFromTotals(866000, 1000), 866);
    EXPECT_EQ(FrequencyFromTotals(866400, 1000), 866);
    EXPECT_EQ(FrequencyFromTotals(866600, 1000), 867); // rounds up plainly
    EXPECT_EQ(FrequencyFromTotals(1000, 0), 0);
}

TEST(CpuCache, DescriptorsByVendor)
{
    // Pentium III: 0x43 (512 KB level 2), 0x08/0x0C (16 KB code/data); byte 0 is the count.
    CacheSizes p3 = DecodeIntelCache({0x03020101, 0, 0, 0x0C040843}, 6, 7);
    EXPECT_EQ(p3, (CacheSizes{16, 16, 0, 512}));
    // A later level-2 descriptor overrides an earlier one.
    EXPECT_EQ(DecodeIntelCache({0x00824401, 0, 0, 0}, 6, 7).level2, 256);
    // 0x40 after a level-2 descriptor says there is no level 3, not no level 2.
    EXPECT_EQ(DecodeIntelCache({0x00408501, 0, 0, 0}, 6, 8).level2, 2048);
    EXPECT_EQ(DecodeIntelCache({0x00004001, 0, 0, 0}, 6, 8).level2, 0);
    // Byte 0 of EAX is the call count, never a descriptor.
    EXPECT_EQ(DecodeIntelCache({0x0000000A, 0, 0, 0}, 6, 7).l1Data, 0);
    EXPECT_EQ(DecodeIntelCache({0x00000041, 0, 0, 0}, 6, 7).level2, 0);
    // A register with bit 31 set carries no descriptors.
    EXPECT_EQ(DecodeIntelCache({0x00000001, 0x80000043, 0, 0}, 6, 7).level2, 0);

    EXPECT_EQ(DecodeAmdCache({0, 0, 0x40020140, 0x40020140}), (CacheSizes{64, 64, 128, 0}));
    EXPECT_EQ(DecodeCyrixCache({0, 0, 0x00800000, 0}).level1, 16);
    EXPECT_EQ(DecodeCyrixCache({0, 0, 0x00700000, 0}).level1, 0);
}

// Register values of real processors, then made-up ones for the descriptors
// they leave out; the sizes are those Intel documents.
TEST(CpuCache, IntelsPublishedDescriptors)
{
    // Pentium 4 (Northwood): 0x66 8 KB data, 0x70 a 12K-micro-op trace
    // cache, 0x7B 512 KB level 2; 0x5B and 0x51 are TLBs.
    EXPECT_EQ(DecodeIntelCache({0x665B5101, 0, 0, 0x007B7040}, 15, 2), (CacheSizes{8, 12, 0, 512}));
    // Celeron (Willamette): 0x39, a sectored 128 KB level 2.
    EXPECT_EQ(DecodeIntelCache({0x665B5001, 0, 0, 0x00397040}, 15, 1).level2, 128);
    // Pentium 4 (Prescott): 0x60 16 KB data, 0x7C 1 MB level 2.
    EXPECT_EQ(DecodeIntelCache({0x605B5001, 0, 0, 0x007C7040}, 15, 3), (CacheSizes{16, 12, 0, 1024}));
    // Pentium M: 0x2C and 0x30, 32 KB each; 0x7D 2 MB level 2; 0xF0 prefetching.
    EXPECT_EQ(DecodeIntelCache({0x02B3B001, 0x000000F0, 0, 0x2C04307D}, 6, 13), (CacheSizes{32, 32, 0, 2048}));
    // Celeron M: 0x86, 512 KB level 2.
    EXPECT_EQ(DecodeIntelCache({0x02B3B001, 0, 0, 0x2C043086}, 6, 9).level2, 512);
    // Atom: 0x0E 24 KB data, 0x30 32 KB code, 0x80 512 KB level 2.
    EXPECT_EQ(DecodeIntelCache({0x4FBA5901, 0x0E3080C0, 0, 0}, 6, 28), (CacheSizes{24, 32, 0, 512}));
    // 0x71 and 0x72: trace caches of 16K and 32K micro-ops.
    EXPECT_EQ(DecodeIntelCache({0x00007101, 0, 0, 0}, 15, 4).l1Code, 16);
    EXPECT_EQ(DecodeIntelCache({0x00007201, 0, 0, 0}, 15, 4).l1Code, 32);
    // 0x0D 16 KB data, 0x09 32 KB code, 0x21 256 KB level 2.
    EXPECT_EQ(DecodeIntelCache({0x21090D01, 0, 0, 0}, 6, 14), (CacheSizes{16, 32, 0, 256}));
    // 0x67 and 0x68 data, 0x4E 6 MB and 0x48 3 MB level 2, 0x1D and 0x24.
    EXPECT_EQ(DecodeIntelCache({0x004E6701, 0, 0, 0}, 6, 23), (CacheSizes{16, 0, 0, 6144}));
    EXPECT_EQ(DecodeIntelCache({0x00486801, 0, 0, 0}, 6, 23), (CacheSizes{32, 0, 0, 3072}));
    EXPECT_EQ(DecodeIntelCache({0x00001D01, 0, 0, 0}, 6, 23).level2, 128);
    EXPECT_EQ(DecodeIntelCache({0x00002401, 0, 0, 0}, 6, 23).level2, 1024);
    // Level-3 descriptors leave level 2 alone.
    EXPECT_EQ(DecodeIntelCache({0x22D0EC01, 0x4D4A2529, 0, 0x00000046}, 6, 23).level2, 0);
    // 0x49 is a 4 MB level 3 on the Xeon MP of family 15 model 6, a level 2 elsewhere.
    EXPECT_EQ(DecodeIntelCache({0x00004901, 0, 0, 0}, 6, 15).level2, 4096);
    EXPECT_EQ(DecodeIntelCache({0x00004901, 0, 0, 0}, 15, 6).level2, 0);
    EXPECT_EQ(DecodeIntelCache({0x00004901, 0, 0, 0}, 15, 4).level2, 4096);
    // 0xFF: nothing here, the caches are in leaf 4.
    EXPECT_EQ(DecodeIntelCache({0x00FEFF01, 0x000000F0, 0, 0}, 6, 151), (CacheSizes{}));
}

TEST(CpuSerial, SixGroupsOfFourDigits)
{
    EXPECT_EQ(SerialNumberText(0x686, 0x0383F9FF, 0), "0000-0686-0383-F9FF-0000-0000");
    EXPECT_EQ(SerialNumberText(0xFFFFFFFF, 0xABCDEF12, 0x1), "FFFF-FFFF-ABCD-EF12-0000-0001");
    EXPECT_FALSE(HasFdivFlaw());
    const CpuSignature s = DecodeSignature({0x00001686, 0x12345602, 0, 0});
    EXPECT_EQ(s.family, 6);
    EXPECT_EQ(s.model, 8);
    EXPECT_EQ(s.stepping, 6);
    EXPECT_EQ(s.cpuType, 1);
    EXPECT_EQ(s.brandId, 2);
}

TEST(CpuSignature, ExtendedModelFromFamilySixOn)
{
    // Zhaoxin KaiXian KX-6640MA: base family 7, extended model 3.
    const CpuSignature zhaoxin = DecodeSignature({0x000307B0, 0, 0, 0});
    EXPECT_EQ(zhaoxin.family, 7);
    EXPECT_EQ(zhaoxin.model, 0x3B);
    // Ryzen 9 9950X: base family 15 plus extended family 11, model 0x44.
    const CpuSignature zen5 = DecodeSignature({0x00B40F40, 0, 0, 0});
    EXPECT_EQ(zen5.family, 26);
    EXPECT_EQ(zen5.model, 0x44);
    // Below family 6 the bits are reserved and not read.
    EXPECT_EQ(DecodeSignature({0x00010543, 0, 0, 0}).model, 4);
}

ScriptedProcessor PentiumThree()
{
    ScriptedProcessor p;
    p.leaves[0] = {3, 0x756E6547, 0x6C65746E, 0x49656E69};
    p.leaves[1] = {0x00000686, 0x00000002, 0, 0x0387F9FF}; // serial-number bit 18 set
    p.leaves[2] = {0x03020101, 0, 0, 0x0C040842};
    return p;
}

TEST(Processor, APentiumThreeFromItsRegisters)
{
    ScriptedProcessor p = PentiumThree();
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Vendor, "Intel");
    EXPECT_EQ(cpu.VendorEx, "Intel Corporation");
    EXPECT_EQ(cpu.VendorID, "Pentium III E");
    EXPECT_EQ(cpu.Transistors, 28100000);
    EXPECT_EQ(cpu.Frequency, 700);
    EXPECT_EQ(cpu.Cache->Level2, 256);
    EXPECT_EQ(cpu.SerialNumber, "0000-0686-0387-F9FF-0000-0000");
    EXPECT_TRUE(cpu.Features->SERIAL);
    EXPECT_TRUE(cpu.Features->MMX);
    EXPECT_FALSE(cpu.Features->_3DNOW);
    EXPECT_TRUE(services.messages.empty());

    StringList lines;
    cpu.Report(lines);
    EXPECT_EQ(lines[0], "[CPU]");
    EXPECT_EQ(lines[1], "Count=1");
    EXPECT_EQ(lines[3], "VendorID=Pentium III E");
    EXPECT_EQ(lines[4], "Vendor=Intel");
    EXPECT_EQ(lines[11], "FDIVBug=0");
    EXPECT_EQ(lines[12], "[CPU Features]");
    EXPECT_EQ(lines[13], "3D Now! extensions=0");
    EXPECT_EQ(lines[19], "Serial number=1");
    EXPECT_EQ(lines[36], "Built-In FPU=1");
    EXPECT_EQ(lines[37], "[CPU Cache]");
    EXPECT_EQ(lines[40], "Level 1 Unified Cache=0");
    EXPECT_EQ(lines[41], "Level 2 Unified Cache=256");
    EXPECT_EQ(lines.Count(), 42u);
}

TEST(Processor, AnUnknownVendorKeepsWhatOnlyAKnownOneSets)
{
    ScriptedProcessor p = PentiumThree();
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    p.leaves[0] = {1, 0x69637548, 0x656E6975, 0x6E65476E}; // not in the table
    p.leaves[1].edx &= ~(1u << 18); // and no serial number
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.VendorIndex, 0);
    EXPECT_EQ(cpu.Vendor, "");
    EXPECT_EQ(cpu.VendorEx, "Intel Corporation"); // kept
    EXPECT_EQ(cpu.SerialNumber, "0000-0686-0387-F9FF-0000-0000"); // kept
    EXPECT_EQ(cpu.Cache->Level2, 0);
    EXPECT_EQ(cpu.VendorID, "");
    EXPECT_EQ(cpu.CodeName, "");
    EXPECT_EQ(cpu.Transistors, 0);

    TCPU fresh;
    fresh.GetInfo(services, p);
    EXPECT_EQ(fresh.SerialNumber, "");
}

TEST(Processor, LeafTwoIsCalledAsOftenAsItSays)
{
    ScriptedProcessor p = PentiumThree();
    Recorder services;
    TCPU cpu;
    p.leaves[2].eax = 0x03020103;
    cpu.GetInfo(services, p);
    EXPECT_EQ(p.calls[2], 3);
    p.leaves[2] = {0, 0, 0, 0x0C040843};
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Cache->Level2, 0); // a count of 0: no descriptors at all
}

TEST(Processor, NoCpuidIsReportedUnderTheProcessorsTitle)
{
    ScriptedProcessor p = PentiumThree();
    p.noCpuid = true;
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].caption, "TCPU.GetInfo");
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(cpu.Count, 1); // reached before the failure
    EXPECT_EQ(cpu.Frequency, 700);

    Recorder features;
    cpu.Features->GetInfo(features, p);
    ASSERT_EQ(features.messages.size(), 1u);
    EXPECT_EQ(features.messages[0].caption, "TCPUFeatures.GetInfo");
}

// Recorded register sets of processors after the name table's time, and two
// of its time that must read exactly as before.
constexpr CpuidRegisters kGenuineIntel(std::uint32_t maxLeaf)
{
    return {maxLeaf, 0x756E6547, 0x6C65746E, 0x49656E69};
}
constexpr CpuidRegisters kAuthenticAmd(std::uint32_t maxLeaf)
{
    return {maxLeaf, 0x68747541, 0x444D4163, 0x69746E65};
}

ScriptedProcessor AlderLake() // Core i7-12700K, a hybrid part
{
    ScriptedProcessor p;
    p.count = 20;
    p.leaves[0] = kGenuineIntel(0x20);
    p.leaves[1] = {0x00090672, 0x00800800, 0x7FFAFBFF, 0xBFEBFBFF};
    p.leaves[2] = {0x00FEFF01, 0x000000F0, 0, 0}; // "see leaf 4"
    p.subleaves[{4, 0}] = {0xFC004121, 0x02C0003F, 63, 0}; // L1 data, 12 ways x 64 sets x 64 B
    p.subleaves[{4, 1}] = {0xFC004122, 0x01C0003F, 63, 0}; // L1 code, 8 x 64 x 64
    p.subleaves[{4, 2}] = {0xFC01C143, 0x0240003F, 2047, 0}; // L2, 10 x 2048 x 64
    p.subleaves[{4, 3}] = {0xFC03C163, 0x0240003F, 40959, 0}; // L3
    p.leaves[0x80000000] = {0x80000008, 0, 0, 0};
    p.leaves[0x80000001] = {0, 0, 0x121, 0x2C100800};
    p.SetBrand("  12th Gen Intel(R) Core(TM) i7-12700K");
    return p;
}

ScriptedProcessor Ryzen() // Ryzen 9 7950X
{
    ScriptedProcessor p;
    p.count = 32;
    p.leaves[0] = kAuthenticAmd(0x10);
    p.leaves[1] = {0x00A60F12, 0x00200800, 0x7EF8320B, 0x178BFBFF};
    p.leaves[0x80000000] = {0x80000028, 0, 0, 0};
    p.leaves[0x80000001] = {0x00A60F12, 0, 0x75C237FF, 0x2FD3FBFF};
    p.leaves[0x80000005] = {0xFF48FF40, 0xFF48FF40, 0x20080140, 0x20080140}; // 32 KB each
    p.leaves[0x80000006] = {0x5C002200, 0x6C004200, 0x04006140, 0x01009140}; // 1024 KB level 2
    p.SetBrand("AMD Ryzen 9 7950X 16-Core Processor          ");
    return p;
}

ScriptedProcessor VirtualMachine() // QEMU's default processor
{
    ScriptedProcessor p;
    p.leaves[0] = kAuthenticAmd(0xD);
    p.leaves[1] = {0x00060FB1, 0x00000800, 0x80A02003, 0x078BFBFF}; // hypervisor bit set
    p.leaves[0x80000000] = {0x8000000A, 0, 0, 0};
    p.leaves[0x80000005] = {0x01FF01FF, 0x01FF01FF, 0x40020140, 0x40020140}; // 64 KB each
    p.leaves[0x80000006] = {0, 0x42004200, 0x02008140, 0x00808140}; // 512 KB
    p.SetBrand("QEMU Virtual CPU version 2.5+");
    return p;
}

TEST(ProcessorToday, AHybridIntelPartIsNamedByItselfWithItsCaches)
{
    ScriptedProcessor p = AlderLake();
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(cpu.Count, 20);
    EXPECT_EQ(cpu.Family, 6);
    EXPECT_EQ(cpu.Model, 0x97); // not 7, a Pentium III's model
    EXPECT_EQ(cpu.Stepping, 2);
    EXPECT_EQ(cpu.VendorID, "12th Gen Intel(R) Core(TM) i7-12700K");
    EXPECT_EQ(cpu.CodeName, "");
    EXPECT_EQ(cpu.Transistors, 0);
    EXPECT_EQ(cpu.Cache->L1Data, 48);
    EXPECT_EQ(cpu.Cache->L1Code, 32);
    EXPECT_EQ(cpu.Cache->Level1, 0);
    EXPECT_EQ(cpu.Cache->Level2, 1280);
    StringList lines;
    cpu.Report(lines);
    EXPECT_EQ(lines[3], "VendorID=12th Gen Intel(R) Core(TM) i7-12700K");
    EXPECT_EQ(lines[5], "Family=6");
    EXPECT_EQ(lines[6], "Model=151");
    EXPECT_EQ(lines[lines.Count() - 1], "Level 2 Unified Cache=1280");
}

TEST(ProcessorToday, ARecentAmdPartWithExtendedFamilyAndModel)
{
    ScriptedProcessor p = Ryzen();
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Vendor, "AMD");
    EXPECT_EQ(cpu.Family, 25);
    EXPECT_EQ(cpu.Model, 97);
    EXPECT_EQ(cpu.Stepping, 2);
    EXPECT_EQ(cpu.VendorID, "AMD Ryzen 9 7950X 16-Core Processor");
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->L1Code, 32);
    EXPECT_EQ(cpu.Cache->Level2, 1024);
    EXPECT_FALSE(cpu.Features->_3DNOW);
    EXPECT_TRUE(cpu.Features->EX_MMX);
}

TEST(ProcessorToday, AVirtualMachineIsNamedByItsHypervisorsBrand)
{
    ScriptedProcessor p = VirtualMachine();
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Family, 15);
    EXPECT_EQ(cpu.Model, 107);
    EXPECT_EQ(cpu.VendorID, "QEMU Virtual CPU version 2.5+");
    EXPECT_EQ(cpu.Cache->L1Data, 64);
    EXPECT_EQ(cpu.Cache->Level2, 512);
}

TEST(ProcessorToday, PartsOfTheTablesTimeReadAsBefore)
{
    // An Athlon: its table row, not its brand string.
    ScriptedProcessor athlon;
    athlon.leaves[0] = kAuthenticAmd(1);
    athlon.leaves[1] = {0x00000642, 0, 0, 0x0183F9FF};
    athlon.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    athlon.SetBrand("AMD Athlon(tm) Processor");
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, athlon);
    EXPECT_EQ(cpu.Family, 6);
    EXPECT_EQ(cpu.Model, 4);
    EXPECT_EQ(cpu.VendorID, "K7");
    EXPECT_EQ(cpu.CodeName, "Athlon (0.25-0.18 \xB5m)");

    // A Pentium 4: family 15 with no extended family stays 15.
    ScriptedProcessor pentium4;
    pentium4.leaves[0] = kGenuineIntel(2);
    pentium4.leaves[1] = {0x00000F12, 0x00010808, 0, 0x3FEBFBFF};
    pentium4.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    TCPU p4;
    p4.GetInfo(services, pentium4);
    EXPECT_EQ(p4.Family, 15);
    EXPECT_EQ(p4.Model, 1);
    EXPECT_EQ(p4.VendorID, "Pentium IV"); // it does not name itself
}

// Family 6 models 2 and 9-15 and family 15 hold Core 2, Pentium M, Celeron,
// Pentium D and Xeon alike: where the table can only guess, the processor's
// own name is the one to show.
TEST(ProcessorToday, PartsOfAFamilyWideRowGoByTheirOwnNames)
{
    Recorder services;
    ScriptedProcessor pentium4;
    pentium4.leaves[0] = kGenuineIntel(2);
    pentium4.leaves[1] = {0x00000F12, 0x00010808, 0, 0x3FEBFBFF};
    pentium4.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    pentium4.SetBrand("      Intel(R) Pentium(R) 4 CPU 1500MHz");
    TCPU cpu;
    cpu.GetInfo(services, pentium4);
    EXPECT_EQ(cpu.VendorID, "Intel(R) Pentium(R) 4 CPU 1500MHz");
    EXPECT_EQ(cpu.CodeName, "");
    EXPECT_EQ(cpu.Transistors, 0);

    ScriptedProcessor core2; // Core 2 Duo E6750: family 6 model 15
    core2.leaves[0] = kGenuineIntel(10);
    core2.leaves[1] = {0x000006FB, 0x00020800, 0x0000E3BD, 0xBFEBFBFF};
    core2.leaves[0x80000000] = {0x80000008, 0, 0, 0};
    core2.SetBrand("Intel(R) Core(TM)2 Duo CPU     E6750  @ 2.66GHz");
    cpu.GetInfo(services, core2);
    EXPECT_EQ(cpu.Model, 15);
    EXPECT_EQ(cpu.VendorID, "Intel(R) Core(TM)2 Duo CPU     E6750  @ 2.66GHz");

    ScriptedProcessor pentiumM; // family 6 model 9
    pentiumM.leaves[0] = kGenuineIntel(2);
    pentiumM.leaves[1] = {0x00000695, 0, 0, 0xA7E9F9BF};
    pentiumM.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    pentiumM.SetBrand("Intel(R) Celeron(R) M processor         1300MHz");
    cpu.GetInfo(services, pentiumM);
    EXPECT_EQ(cpu.VendorID, "Intel(R) Celeron(R) M processor         1300MHz");
    // Without a name of its own the row's name stays.
    pentiumM.leaves[0x80000000] = {0x80000001, 0, 0, 0};
    cpu.GetInfo(services, pentiumM);
    EXPECT_EQ(cpu.VendorID, "Pentium II");
    pentiumM.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    pentiumM.SetBrand("   ");
    cpu.GetInfo(services, pentiumM);
    EXPECT_EQ(cpu.VendorID, "Pentium II");

    ScriptedProcessor model2 = pentiumM; // family 6 model 2, as no part shipped
    model2.leaves[1].eax = 0x00000621;
    model2.SetBrand("Intel(R) Processor");
    cpu.GetInfo(services, model2);
    EXPECT_EQ(cpu.VendorID, "Intel(R) Processor");

    // A row that names its model keeps its name, whatever the processor says.
    ScriptedProcessor coppermine = PentiumThree();
    coppermine.leaves[0x80000000] = {0x80000004, 0, 0, 0};
    coppermine.SetBrand("Intel(R) Pentium(R) III CPU family 800MHz");
    cpu.GetInfo(services, coppermine);
    EXPECT_EQ(cpu.VendorID, "Pentium III E");
    EXPECT_EQ(cpu.CodeName, "Coppermine (0.18 \xB5m)");
    // And AMD's family-6 row is a name for all its parts: K7.
    ScriptedProcessor athlonXp;
    athlonXp.leaves[0] = kAuthenticAmd(1);
    athlonXp.leaves[1] = {0x00000681, 0, 0, 0x0383FBFF};
    athlonXp.leaves[0x80000000] = {0x80000008, 0, 0, 0};
    athlonXp.SetBrand("AMD Athlon(tm) XP 2500+");
    cpu.GetInfo(services, athlonXp);
    EXPECT_EQ(cpu.VendorID, "K7");
    EXPECT_TRUE(services.messages.empty());

    EXPECT_TRUE(LookupCpuName(kIntel, 6, 2, 0, 0, 0, 0).familyWide);
    EXPECT_TRUE(LookupCpuName(kIntel, 6, 9, 0, 0, 0, 0).familyWide);
    EXPECT_TRUE(LookupCpuName(kIntel, 6, 15, 0, 0, 0, 0).familyWide);
    EXPECT_TRUE(LookupCpuName(kIntel, 15, 6, 0, 0, 0, 0).familyWide);
    EXPECT_FALSE(LookupCpuName(kIntel, 6, 8, 0, 0, 256, 0).familyWide);
    EXPECT_FALSE(LookupCpuName(kIntel, 6, 5, 0, 0, 512, 0).familyWide);
    EXPECT_FALSE(LookupCpuName(kIntel, 8, 3, 1, 0, 0, 0).familyWide);
}

TEST(ProcessorToday, LeavesBeyondWhatTheProcessorReportsAreNotRead)
{
    // A Pentium III answers 0x80000000 with leftovers, not a maximum.
    ScriptedProcessor p = PentiumThree();
    p.leaves[0x80000000] = {0x00000002, 0, 0, 0};
    p.leaves[0x80000001] = {0, 0, 0, 0x80000000}; // would read as 3DNow!
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    EXPECT_FALSE(cpu.Features->_3DNOW);
    EXPECT_EQ(p.calls[0x80000001], 0);
    EXPECT_EQ(p.calls[4], 0); // leaf 4 is beyond its maximum of 3
    EXPECT_EQ(p.calls[0x80000002], 0);
    EXPECT_EQ(cpu.VendorID, "Pentium III E");
    EXPECT_EQ(cpu.Cache->Level2, 256);
}

// Leaf 2 of QEMU's Intel models lists a 2 MB level 2 while its leaf 4 says
// 4 MB: the deterministic leaf is the one that describes the machine.
ScriptedProcessor LeafTwoAndLeafFour()
{
    ScriptedProcessor p;
    p.leaves[0] = kGenuineIntel(4);
    p.leaves[1] = {0x000006D3, 0, 0, 0x0781ABFD};
    p.leaves[2] = {0x00000001, 0, 0, 0x002C307D}; // 32 KB data, 32 KB code, 2 MB level 2
    p.subleaves[{4, 0}] = {0x121, 0x01C0003F, 63, 1}; // 32 KB data
    p.subleaves[{4, 1}] = {0x122, 0x01C0003F, 63, 1}; // 32 KB code
    p.subleaves[{4, 2}] = {0x143, 0x03C0003F, 4095, 1}; // 16 ways x 4096 sets x 64 B
    return p;
}

TEST(ProcessorToday, TheDeterministicLeafDecidesSizeBySize)
{
    ScriptedProcessor p = LeafTwoAndLeafFour();
    Recorder services;
    TCPU cpu;
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->L1Code, 32);
    EXPECT_EQ(cpu.Cache->Level2, 4096);

    // Where leaf 4 is silent on a cache, leaf 2's figure stands; where leaf 2
    // is, leaf 4's.
    p.leaves[2] = {0x00000001, 0, 0, 0x0000007D};
    p.subleaves[{4, 1}] = p.subleaves[{4, 2}];
    p.subleaves[{4, 2}] = {};
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->L1Code, 0);
    EXPECT_EQ(cpu.Cache->Level2, 4096);
    p.leaves[2] = {0x00000001, 0, 0, 0x002C3000};
    p.subleaves[{4, 0}] = p.subleaves[{4, 1}];
    p.subleaves[{4, 1}] = {};
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->L1Code, 32);
    EXPECT_EQ(cpu.Cache->Level2, 4096);
    // Leaf 2 with the code cache only, leaf 4 with the data cache only.
    p.leaves[2] = {0x00000001, 0, 0, 0x00003000};
    p.subleaves[{4, 0}] = {0x121, 0x02C0003F, 63, 1}; // 48 KB data
    cpu.GetInfo(services, p);
    EXPECT_EQ(cpu.Cache->L1Data, 48);
    EXPECT_EQ(cpu.Cache->L1Code, 32);
    EXPECT_EQ(cpu.Cache->Level2, 0);
    EXPECT_TRUE(services.messages.empty());

    EXPECT_EQ(PreferDescribed({8, 12, 0, 512}, {16, 0, 0, 1024}), (CacheSizes{16, 12, 0, 1024}));
    EXPECT_EQ(PreferDescribed({32, 32, 64, 512}, {}), (CacheSizes{32, 32, 64, 512}));
}

// Register values of real processors outside the name table; the sizes are
// what their makers state.
TEST(ProcessorToday, VendorsOutsideTheNameTableHaveCachesToo)
{
    Recorder services;
    ScriptedProcessor hygon; // Hygon C86 7185, an AMD design
    hygon.leaves[0] = {0xD, 0x6F677948, 0x656E6975, 0x6E65476E};
    hygon.leaves[1] = {0x00900F01, 0x3E400800, 0x7CD83209, 0x178BFBFF};
    hygon.leaves[0x80000000] = {0x8000001F, 0, 0, 0};
    hygon.leaves[0x80000005] = {0xFF40FF40, 0xFF40FF40, 0x20080140, 0x40040140};
    hygon.leaves[0x80000006] = {0x36006400, 0x56006400, 0x02006140, 0x0200C140};
    hygon.subleaves[{0x8000001D, 0}] = {0x00004121, 0x01C0003F, 0x3F, 0};
    TCPU cpu;
    cpu.GetInfo(services, hygon);
    EXPECT_EQ(cpu.VendorIndex, 0);
    EXPECT_EQ(cpu.Family, 24);
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->L1Code, 64);
    EXPECT_EQ(cpu.Cache->Level2, 512);

    ScriptedProcessor eden; // VIA Eden X4 C4250: AMD's extended leaves and Intel's leaf 4
    eden.leaves[0] = {0xD, 0x746E6543, 0x736C7561, 0x48727561};
    eden.leaves[1] = {0x000006FE, 0x00040800, 0x76FA63AB, 0xBFCBFBFF};
    eden.leaves[2] = {0x00000001, 0, 0, 0};
    eden.subleaves[{4, 0}] = {0x0C000121, 0x01C0003F, 0x3F, 0};
    eden.subleaves[{4, 1}] = {0x0C000122, 0x01C0003F, 0x3F, 0};
    eden.subleaves[{4, 2}] = {0x0C00C143, 0x03C0003F, 0x7FF, 0};
    eden.leaves[0x80000000] = {0x80000008, 0, 0, 0};
    eden.leaves[0x80000005] = {0x04200420, 0x06600660, 0x20080140, 0x20080140};
    eden.leaves[0x80000006] = {0, 0, 0x08008140, 0};
    cpu.GetInfo(services, eden);
    EXPECT_EQ(cpu.Vendor, "IDT");
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->L1Code, 32);
    EXPECT_EQ(cpu.Cache->Level2, 2048);
    eden.subleaves.clear(); // the extended leaves alone say the same
    cpu.GetInfo(services, eden);
    EXPECT_EQ(cpu.Cache->L1Data, 32);
    EXPECT_EQ(cpu.Cache->Level2, 2048);

    ScriptedProcessor ezra; // VIA C3 Ezra: 64 KB each for data and code, 64 KB level 2
    ezra.leaves[0] = {1, 0x746E6543, 0x736C7561, 0x48727561};
    ezra.leaves[1] = {0x00000678, 0, 0, 0x00803135};
    ezra.leaves[0x80000000] = {0x80000006, 0, 0, 0};
    ezra.leaves[0x80000005] = {0, 0x08800880, 0x40040120, 0x40040120};
    ezra.leaves[0x80000006] = {0, 0, 0x40040120, 0};
    cpu.GetInfo(services, ezra);
    EXPECT_EQ(cpu.Cache->L1Data, 64);
    EXPECT_EQ(cpu.Cache->L1Code, 64);
    EXPECT_EQ(cpu.Cache->Level2, 64);
    EXPECT_TRUE(services.messages.empty());
}

TEST(CpuCache, LevelTwoSizesKnownToBeMisstated)
{
    // VIA C3 models 7 and 8 put the size in bits 24-31; Nehemiah (model 9) does not.
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x40040120, 0}, "CentaurHauls", {6, 7, 3}), 64);
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x40040120, 0}, "CentaurHauls", {6, 8, 9}), 64);
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x00408120, 0}, "CentaurHauls", {6, 9, 8}), 64);
    // AMD erratum T13: 1 KB from the first Duron and Athlon steppings.
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x00018140, 0}, "AuthenticAMD", {6, 3, 0}), 64);
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x00018140, 0}, "AuthenticAMD", {6, 4, 1}), 256);
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x01008140, 0}, "AuthenticAMD", {6, 4, 2}), 256);
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x00408140, 0}, "AuthenticAMD", {6, 8, 1}), 64);
    // Where such a stepping states another size, it is taken at its word.
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x02008140, 0}, "AuthenticAMD", {6, 4, 0}), 512);
}

TEST(ProcessorToday, DeterministicCacheArithmetic)
{
    EXPECT_EQ(BrandString({}, {}, {}), "");
    const CacheSizes sizes = DecodeDeterministicCaches({{0x21, 0x01C0003F, 63, 0},
                                                        {0x22, 0x01C0003F, 63, 0},
                                                        {0x43, 0x03C0003F, 1023, 0},
                                                        {0, 0, 0, 0},
                                                        {0x43, 0x0240003F, 4095, 0}});
    EXPECT_EQ(sizes.l1Data, 32);
    EXPECT_EQ(sizes.l1Code, 32);
    EXPECT_EQ(sizes.level2, 1024); // 16 x 1024 x 64; nothing after the end marker counts
    EXPECT_EQ(Level2FromExtendedLeaf6({0, 0, 0x02008140, 0}, "AuthenticAMD", {15, 107, 1}), 512);
}

} // namespace
} // namespace qm
