#pragma once
// The processor collector: count, clock, vendor, signature, name-table
// entries, serial number, the division flaw, features and caches.
#include <cstdint>
#include <memory>
#include <string>

#include "sysinfo/collector.h"
#include "sysinfo/cpu_identification.h"

namespace qm {

class SystemServices;

// Where the processor figures come from: the processor itself in the
// program, scripted registers in tests.
class CpuProbe {
public:
    virtual ~CpuProbe() = default;
    // Throws when the processor has no CPUID instruction.
    virtual CpuidRegisters Cpuid(std::uint32_t leaf) = 0;
    // A leaf with sub-leaves (ECX); those beyond 0 only where the probe knows them.
    virtual CpuidRegisters CpuidSubleaf(std::uint32_t leaf, std::uint32_t subleaf)
    {
        return subleaf == 0 ? Cpuid(leaf) : CpuidRegisters{};
    }
    virtual int ProcessorCount() = 0;
    // The measured, snapped clock in MHz; 0 without a high-resolution counter.
    virtual int MeasureFrequency() = 0;
};

// The running processor.
CpuProbe& ThisProcessor();

class TCPUFeatures : public CollectorBase<TCPUFeatures> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TCPUFeatures";
    void GetInfo(SystemServices& services, CpuProbe& probe);
    void Report(StringList& lines, const ReportLocale& locale = {});

    bool _3DNOW = false, EX_3DNOW = false, EX_MMX = false, SIMD = false, XSR = false, MMX = false, SERIAL = false,
         PSE36 = false, PAT = false, CMOV = false, MCA = false, PGE = false, MTRR = false, SEP = false, APIC = false,
         CX8 = false, MCE = false, PAE = false, MSR = false, TSC = false, PSE = false, DE = false, VME = false,
         FPU = false;
    CpuidRegisters lastRegisters;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

private:
    CpuProbe* probe_ = nullptr;
};

class TCPUCache : public CollectorBase<TCPUCache> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TCPUCache";
    // By the vendor's text rather than its row: vendors the name table does
    // not know describe their caches too.
    void GetInfo(SystemServices& services, CpuProbe& probe, const std::string& vendorSignature);
    void Report(StringList& lines, const ReportLocale& locale = {});

    int L1Data = 0, L1Code = 0, Level1 = 0, Level2 = 0; // KB
    CpuidRegisters leaf2Registers, extendedRegisters;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

private:
    CpuProbe* probe_ = nullptr;
    std::string vendorSignature_;
};

class TCPU : public CollectorBase<TCPU> {
public:
    TCPU();
    ~TCPU();
    TCPU(const TCPU&) = delete;
    TCPU& operator=(const TCPU&) = delete;
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TCPU";

    // Reads `probe`, or this machine's processor; failures are reported
    // under "TCPU.GetInfo" (or the sub-object's own title) and the fields
    // keep what they reached.
    void GetInfo(SystemServices& services, CpuProbe& probe);
    void GetInfo(SystemServices& services);
    // "[CPU]", "[CPU Features]" and "[CPU Cache]".
    void Report(StringList& lines, const ReportLocale& locale = {});

    int Count = 0;
    std::string VendorEx;
    std::string VendorID; // the marketing name
    int Frequency = 0;
    int Family = 0, Model = 0, Stepping = 0;
    std::unique_ptr<TCPUFeatures> Features;
    std::unique_ptr<TCPUCache> Cache;
    std::string SerialNumber;
    bool FDIVBug = false;
    std::string CodeName;
    int Transistors = 0;

    std::string Vendor; // the short name
    std::string VendorSignature;
    int VendorIndex = 0;
    int CPUType = 0;
    int BrandID = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

private:
    CpuProbe* probe_ = nullptr;
};

} // namespace qm
