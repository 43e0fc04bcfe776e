#include "sysinfo/msi_cpu.h"

#include <utility>
#include <vector>

#include "sysinfo/cache_leaves.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

bool Bit(std::uint32_t value, int bit)
{
    return (value >> bit) & 1u;
}

constexpr std::uint32_t kExtendedLevels = 0x80000000u, kExtendedFeatures = 0x80000001u, kBrandFirst = 0x80000002u,
                        kExtendedLevel1Cache = 0x80000005u, kExtendedLevel2Cache = 0x80000006u;

// The leaves the processor says it has: others read as zeros instead of
// whatever an older processor answers for them.
class ReportedLeaves final : public CpuProbe {
public:
    explicit ReportedLeaves(CpuProbe& processor) : processor_(processor)
    {
        maxBasic_ = processor.Cpuid(0).eax;
        const std::uint32_t extended = processor.Cpuid(kExtendedLevels).eax;
        maxExtended_ = (extended & 0xFFFF0000u) == kExtendedLevels ? extended : 0;
    }
    CpuidRegisters Cpuid(std::uint32_t leaf) override
    {
        return Reported(leaf) ? processor_.Cpuid(leaf) : CpuidRegisters{};
    }
    CpuidRegisters CpuidSubleaf(std::uint32_t leaf, std::uint32_t subleaf) override
    {
        return Reported(leaf) ? processor_.CpuidSubleaf(leaf, subleaf) : CpuidRegisters{};
    }
    int ProcessorCount() override { return processor_.ProcessorCount(); }
    int MeasureFrequency() override { return processor_.MeasureFrequency(); }

private:
    bool Reported(std::uint32_t leaf) const
    {
        if (leaf == 0 || leaf == kExtendedLevels)
            return true;
        return leaf < kExtendedLevels ? leaf <= maxBasic_ : leaf <= maxExtended_;
    }

    CpuProbe& processor_;
    std::uint32_t maxBasic_ = 0, maxExtended_ = 0;
};

// Sub-leaves of a deterministic cache leaf up to the first of type 0.
std::vector<CpuidRegisters> CacheSubleaves(CpuProbe& probe, std::uint32_t leaf)
{
    std::vector<CpuidRegisters> subleaves;
    for (std::uint32_t i = 0; i < 16; ++i) {
        subleaves.push_back(probe.CpuidSubleaf(leaf, i));
        if ((subleaves.back().eax & 0x1F) == 0)
            break;
    }
    return subleaves;
}

} // namespace

const TypeInfo& TCPUFeatures::StaticType()
{
    using F = TCPUFeatures;
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<F, &F::_3DNOW>("_3DNOW"), BoolProperty<F, &F::EX_3DNOW>("EX_3DNOW"),
        BoolProperty<F, &F::EX_MMX>("EX_MMX"), BoolProperty<F, &F::SIMD>("SIMD"),
        BoolProperty<F, &F::XSR>("XSR"),       BoolProperty<F, &F::MMX>("MMX"),
        BoolProperty<F, &F::SERIAL>("SERIAL"), BoolProperty<F, &F::PSE36>("PSE36"),
        BoolProperty<F, &F::PAT>("PAT"),       BoolProperty<F, &F::CMOV>("CMOV"),
        BoolProperty<F, &F::MCA>("MCA"),       BoolProperty<F, &F::PGE>("PGE"),
        BoolProperty<F, &F::MTRR>("MTRR"),     BoolProperty<F, &F::SEP>("SEP"),
        BoolProperty<F, &F::APIC>("APIC"),     BoolProperty<F, &F::CX8>("CX8"),
        BoolProperty<F, &F::MCE>("MCE"),       BoolProperty<F, &F::PAE>("PAE"),
        BoolProperty<F, &F::MSR>("MSR"),       BoolProperty<F, &F::TSC>("TSC"),
        BoolProperty<F, &F::PSE>("PSE"),       BoolProperty<F, &F::DE>("DE"),
        BoolProperty<F, &F::VME>("VME"),       BoolProperty<F, &F::FPU>("FPU"),
    };
    static constexpr TypeInfo kType = RecordType("TCPUFeatures", kProperties);
    return kType;
}

const TypeInfo& TCPUCache::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TCPUCache, &TCPUCache::L1Data>("L1Data"),
        IntProperty<TCPUCache, &TCPUCache::L1Code>("L1Code"),
        IntProperty<TCPUCache, &TCPUCache::Level1>("Level1"),
        IntProperty<TCPUCache, &TCPUCache::Level2>("Level2"),
    };
    static constexpr TypeInfo kType = RecordType("TCPUCache", kProperties);
    return kType;
}

const TypeInfo& TCPU::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TCPU, &TCPU::Count>("Count"),
        StringProperty<TCPU, &TCPU::VendorEx>("VendorEx"),
        StringProperty<TCPU, &TCPU::VendorID>("VendorID"),
        IntProperty<TCPU, &TCPU::Frequency>("Frequency"),
        IntProperty<TCPU, &TCPU::Family>("Family"),
        IntProperty<TCPU, &TCPU::Model>("Model"),
        IntProperty<TCPU, &TCPU::Stepping>("Stepping"),
        ObjectProperty<TCPU, TCPUFeatures, [](TCPU& cpu, bool) { return cpu.Features.get(); }>("Features"),
        ObjectProperty<TCPU, TCPUCache, [](TCPU& cpu, bool) { return cpu.Cache.get(); }>("Cache"),
        StringProperty<TCPU, &TCPU::SerialNumber>("SerialNumber"),
        BoolProperty<TCPU, &TCPU::FDIVBug>("FDIVBug"),
        StringProperty<TCPU, &TCPU::CodeName>("CodeName"),
        IntProperty<TCPU, &TCPU::Transistors>("Transistors"),
    };
    static constexpr TypeInfo kType = RecordType("TCPU", kProperties);
    return kType;
}

void TCPUFeatures::GetInfo(SystemServices& services, CpuProbe& probe)
{
    probe_ = &probe;
    CollectorBase<TCPUFeatures>::GetInfo(services);
}

void TCPUFeatures::Refresh(SystemServices&)
{
    CpuProbe& probe = *probe_;
    lastRegisters = probe.Cpuid(kExtendedFeatures);
    const std::uint32_t extended = lastRegisters.edx;
    _3DNOW = Bit(extended, 31);
    EX_3DNOW = Bit(extended, 30);
    EX_MMX = Bit(extended, 22) || Bit(extended, 24);
    lastRegisters = probe.Cpuid(1);
    const std::uint32_t edx = lastRegisters.edx;
    SIMD = Bit(edx, 25);
    XSR = Bit(edx, 24);
    MMX = Bit(edx, 23);
    SERIAL = Bit(edx, 18);
    PSE36 = Bit(edx, 17);
    PAT = Bit(edx, 16);
    CMOV = Bit(edx, 15);
    MCA = Bit(edx, 14);
    PGE = Bit(edx, 13);
    MTRR = Bit(edx, 12);
    SEP = Bit(edx, 11);
    APIC = Bit(edx, 9);
    CX8 = Bit(edx, 8);
    MCE = Bit(edx, 7);
    PAE = Bit(edx, 6);
    MSR = Bit(edx, 5);
    TSC = Bit(edx, 4);
    PSE = Bit(edx, 3);
    DE = Bit(edx, 2);
    VME = Bit(edx, 1);
    FPU = Bit(edx, 0);
}

void TCPUFeatures::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "CPU Features");
    AddBool(lines, "3D Now! extensions", _3DNOW);
    AddBool(lines, "Enhanced 3D Now! extensions", EX_3DNOW);
    AddBool(lines, "Enhanced MMX extensions", EX_MMX);
    AddBool(lines, "SIMD instructions", SIMD);
    AddBool(lines, "FXSAVE/FXRSTOR instruction", XSR);
    AddBool(lines, "MMX extensions", MMX);
    AddBool(lines, "Serial number", SERIAL);
    AddBool(lines, "36bit Page Size Extension", PSE36);
    AddBool(lines, "Page Attribute Table", PAT);
    AddBool(lines, "CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes", CMOV);
    AddBool(lines, "Machine Check Architecture", MCA);
    AddBool(lines, "Page Global Extension", PGE);
    AddBool(lines, "Memory Type Range Registers", MTRR);
    AddBool(lines, "SYSENTER/SYSEXIT extension", SEP);
    AddBool(lines, "Processor contains an enabled APIC", APIC);
    AddBool(lines, "CMPXCHG8B instruction", CX8);
    AddBool(lines, "Machine Check Exception", MCE);
    AddBool(lines, "Physical Address Extension", PAE);
    AddBool(lines, "Model Specific Registers", MSR);
    AddBool(lines, "Time Stamp Counter", TSC);
    AddBool(lines, "Page Size Extension", PSE);
    AddBool(lines, "Debugging Extension", DE);
    AddBool(lines, "Virtual Mode Extension", VME);
    AddBool(lines, "Built-In FPU", FPU);
}

void TCPUCache::GetInfo(SystemServices& services, CpuProbe& probe, const std::string& vendorSignature)
{
    probe_ = &probe;
    vendorSignature_ = vendorSignature;
    CollectorBase<TCPUCache>::GetInfo(services);
}

void TCPUCache::Refresh(SystemServices&)
{
    CpuProbe& probe = *probe_;
    L1Data = L1Code = Level1 = Level2 = 0;
    const CacheLeafConvention* convention = FindCacheLeafConvention(vendorSignature_);
    if (convention == nullptr)
        return;
    const CpuSignature signature = DecodeSignature(probe.Cpuid(1));
    CacheSizes sizes;
    switch (convention->older) {
    case OlderCacheLeaves::IntelDescriptors: {
        leaf2Registers = probe.Cpuid(2);
        const int calls = leaf2Registers.eax & 0xFF;
        if (calls == 0)
            break;
        for (int i = 1; i < calls; ++i)
            leaf2Registers = probe.Cpuid(2);
        sizes = DecodeIntelCache(leaf2Registers, signature.family, signature.model);
        break;
    }
    case OlderCacheLeaves::AmdLayout:
        extendedRegisters = probe.Cpuid(kExtendedLevel1Cache);
        sizes = DecodeAmdCache(extendedRegisters);
        sizes.level2 = Level2FromExtendedLeaf6(probe.Cpuid(kExtendedLevel2Cache), vendorSignature_, signature);
        break;
    case OlderCacheLeaves::CyrixLevel1:
        extendedRegisters = probe.Cpuid(kExtendedLevel1Cache);
        sizes = DecodeCyrixCache(extendedRegisters);
        break;
    }
    // Processors since about 2004 describe their caches in deterministic
    // leaves too, more exactly than the older ones (a virtual machine's
    // leaf 2 can lag behind its leaf 4); what they leave out, the older say.
    if (convention->deterministicLeaf != 0)
        sizes = PreferDescribed(sizes, DecodeDeterministicCaches(CacheSubleaves(probe, convention->deterministicLeaf)));
    L1Data = sizes.l1Data;
    L1Code = sizes.l1Code;
    Level1 = sizes.level1;
    Level2 = sizes.level2;
}

void TCPUCache::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "CPU Cache");
    AddInteger(lines, "Level 1 Data Cache", L1Data);
    AddInteger(lines, "Level 1 Instruction Cache", L1Code);
    AddInteger(lines, "Level 1 Unified Cache", Level1);
    AddInteger(lines, "Level 2 Unified Cache", Level2);
}

TCPU::TCPU() : Features(std::make_unique<TCPUFeatures>()), Cache(std::make_unique<TCPUCache>())
{}

TCPU::~TCPU()
{
    Features.reset();
    Cache.reset();
}

void TCPU::GetInfo(SystemServices& services, CpuProbe& probe)
{
    probe_ = &probe;
    CollectorBase<TCPU>::GetInfo(services);
}

void TCPU::Refresh(SystemServices& services)
{
    Count = probe_->ProcessorCount();
    Frequency = probe_->MeasureFrequency();
    ReportedLeaves probe(*probe_);
    const CpuidRegisters leaf1 = probe.Cpuid(1);
    const CpuSignature signature = DecodeSignature(leaf1);
    Family = signature.family;
    CPUType = signature.cpuType;
    Model = signature.model;
    Stepping = signature.stepping;
    BrandID = signature.brandId;
    VendorSignature = qm::VendorSignature(probe.Cpuid(0));
    VendorIndex = 0;
    Vendor.clear();
    if (const CpuVendor* vendor = FindCpuVendor(VendorSignature)) {
        VendorIndex = vendor->index;
        Vendor = vendor->shortName;
        VendorEx = vendor->fullName;
    }
    Features->GetInfo(services, probe);
    if (Features->SERIAL) {
        const CpuidRegisters first = probe.Cpuid(1);
        const CpuidRegisters second = probe.Cpuid(1);
        SerialNumber = SerialNumberText(first.eax, second.edx, second.ecx);
    }
    FDIVBug = HasFdivFlaw();
    Cache->GetInfo(services, probe, VendorSignature);
    const CpuName name = LookupCpuName(VendorIndex, Family, Model, BrandID, CPUType, Cache->Level2, Frequency);
    VendorID = name.name;
    CodeName = name.codeName;
    Transistors = name.transistors;
    // A processor the table does not know, or knows only by its family, is
    // named by itself where it can.
    if (VendorID.empty() || name.familyWide) {
        std::string own =
            BrandString(probe.Cpuid(kBrandFirst), probe.Cpuid(kBrandFirst + 1), probe.Cpuid(kBrandFirst + 2));
        if (!own.empty())
            VendorID = std::move(own);
    }
}

void TCPU::Report(StringList& lines, const ReportLocale& locale)
{
    AddSection(lines, "CPU");
    AddInteger(lines, "Count", Count);
    AddInteger(lines, "Frequency", Frequency);
    AddText(lines, "VendorID", VendorID);
    AddText(lines, "Vendor", Vendor);
    AddInteger(lines, "Family", Family);
    AddInteger(lines, "Model", Model);
    AddInteger(lines, "Stepping", Stepping);
    AddText(lines, "CodeName", CodeName);
    AddInteger(lines, "Transistors", Transistors);
    AddText(lines, "SerialNumber", SerialNumber);
    AddBool(lines, "FDIVBug", FDIVBug);
    Features->Report(lines, locale);
    Cache->Report(lines, locale);
}

} // namespace qm
