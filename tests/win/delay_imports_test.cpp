// The libraries the programs load on first use: every late import of both
// programs is followed from its slot to the loader that fills it, and named
// by a function its library really exports; the test program's own late
// imports are all resolved through that loader. A slot that points nowhere,
// or a name the library lacks, fails here and not on a user's first click.
#include <gtest/gtest.h>
#include <windows.h>

#include <delayimp.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

// The loader every late-import stub calls (the C runtime's).
extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* slot);

namespace qm {
namespace {

constexpr bool k64Bit = sizeof(void*) == 8;

// One late import: its library, its name and where its slot is.
struct LateImport {
    std::string library;
    std::string name;
    std::uint32_t descriptorRva;
    std::uint32_t slotRva;
};

// A program image, either as a file or as this process maps it; addresses are
// relative to the image base.
class Image {
public:
    // A file: relative addresses are translated through its section table.
    static Image FromFile(const std::string& path)
    {
        Image image;
        std::ifstream file(path, std::ios::binary);
        image.file_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        image.Parse(image.file_.data(), image.file_.size());
        return image;
    }
    // This process's own image, as the loader mapped it.
    static Image ThisProgram()
    {
        Image image;
        image.mapped_ = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA(nullptr));
        image.Parse(image.mapped_, 0);
        return image;
    }

    bool Valid() const { return !sections_.empty(); }
    std::uint64_t Base() const { return base_; }

    // `size` bytes at `rva`, or null when they are not all in one section.
    const std::uint8_t* At(std::uint32_t rva, std::uint32_t size = 1) const
    {
        for (const IMAGE_SECTION_HEADER& section : sections_) {
            const std::uint32_t length = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva < section.VirtualAddress || rva + size > section.VirtualAddress + length)
                continue;
            if (mapped_)
                return mapped_ + rva;
            const std::uint32_t offset = section.PointerToRawData + (rva - section.VirtualAddress);
            if (rva + size > section.VirtualAddress + section.SizeOfRawData || offset + size > file_.size())
                return nullptr;
            return file_.data() + offset;
        }
        return nullptr;
    }
    std::uint32_t Dword(std::uint32_t rva) const
    {
        std::uint32_t value = 0;
        if (const std::uint8_t* p = At(rva, 4))
            std::memcpy(&value, p, 4);
        return value;
    }
    std::uint64_t Pointer(std::uint32_t rva) const
    {
        std::uint64_t value = 0;
        if (const std::uint8_t* p = At(rva, sizeof(void*)))
            std::memcpy(&value, p, sizeof(void*));
        return value;
    }
    std::string Text(std::uint32_t rva) const
    {
        std::string text;
        for (const std::uint8_t* p = At(rva); p && *p && text.size() < 256; p = At(++rva))
            text += static_cast<char>(*p);
        return text;
    }
    bool IsCode(std::uint32_t rva) const { return HasFlags(rva, IMAGE_SCN_MEM_EXECUTE); }
    bool IsWritable(std::uint32_t rva) const { return HasFlags(rva, IMAGE_SCN_MEM_WRITE); }

    // The linker leaves the delay-import directory empty, so the descriptors
    // are found where they are: records with the relative-address flag whose
    // fields all point at what they should.
    std::vector<LateImport> LateImports() const
    {
        std::vector<LateImport> imports;
        for (const IMAGE_SECTION_HEADER& section : sections_) {
            if (!(section.Characteristics & IMAGE_SCN_MEM_READ))
                continue;
            for (std::uint32_t rva = section.VirtualAddress; rva + sizeof(ImgDelayDescr) <=
                 section.VirtualAddress + std::min(section.Misc.VirtualSize, section.SizeOfRawData);
                 rva += 4) {
                const std::uint8_t* p = At(rva, sizeof(ImgDelayDescr));
                if (!p)
                    break;
                ImgDelayDescr d;
                std::memcpy(&d, p, sizeof(d));
                if (d.grAttrs != dlattrRva || d.rvaBoundIAT || d.rvaUnloadIAT || d.dwTimeStamp ||
                    !IsWritable(d.rvaHmod) || !At(d.rvaIAT) || !At(d.rvaINT))
                    continue;
                const std::string library = Text(d.rvaDLLName);
                if (!library.ends_with(".dll") && !library.ends_with(".drv"))
                    continue;
                for (std::uint32_t i = 0;; ++i) {
                    const std::uint64_t entry = Pointer(d.rvaINT + i * sizeof(void*));
                    if (!entry)
                        break;
                    imports.push_back({library, Text(static_cast<std::uint32_t>(entry) + 2), rva,
                                       static_cast<std::uint32_t>(d.rvaIAT + i * sizeof(void*))});
                }
            }
        }
        return imports;
    }

    // Where the code at `rva` sends a call before its import is loaded: the
    // slot it hands on and the descriptor the shared tail gives the loader.
    // False when it is not a late-import stub.
    bool FollowStub(std::uint32_t rva, std::uint32_t& slot, std::uint32_t& descriptor) const
    {
        const std::uint8_t* stub = At(rva, 12);
        std::uint32_t tail = 0;
        if (!stub)
            return false;
        if (k64Bit) { // lea rax, [rip + slot]; jmp tail
            if (stub[0] != 0x48 || stub[1] != 0x8D || stub[2] != 0x05 || stub[7] != 0xE9)
                return false;
            slot = rva + 7 + Relative(stub + 3);
            tail = rva + 12 + Relative(stub + 8);
        } else { // mov eax, slot; jmp tail
            if (stub[0] != 0xB8 || stub[5] != 0xE9)
                return false;
            slot = static_cast<std::uint32_t>(Relative(stub + 1) - base_);
            tail = rva + 10 + Relative(stub + 6);
        }
        const std::uint8_t* code = At(tail, 0x30);
        if (!code || !IsCode(tail))
            return false;
        for (std::uint32_t i = 0; i + 7 < 0x30; ++i) {
            if (k64Bit && code[i] == 0x48 && code[i + 1] == 0x8D && code[i + 2] == 0x0D && code[i + 7] == 0xE8) {
                descriptor = tail + i + 7 + Relative(code + i + 3); // lea rcx, [rip + descriptor]; call
                return true;
            }
            if (!k64Bit && code[i] == 0x68 && code[i + 5] == 0xE8) { // push descriptor; call
                descriptor = static_cast<std::uint32_t>(Relative(code + i + 1) - base_);
                return true;
            }
        }
        return false;
    }

private:
    void Parse(const std::uint8_t* data, std::size_t size)
    {
        IMAGE_DOS_HEADER dos;
        if (size && size < sizeof(dos))
            return;
        std::memcpy(&dos, data, sizeof(dos));
        IMAGE_NT_HEADERS nt;
        if (dos.e_magic != IMAGE_DOS_SIGNATURE || (size && dos.e_lfanew + sizeof(nt) > size))
            return;
        std::memcpy(&nt, data + dos.e_lfanew, sizeof(nt));
        if (nt.Signature != IMAGE_NT_SIGNATURE)
            return;
        base_ = nt.OptionalHeader.ImageBase;
        const std::uint8_t* table =
            data + dos.e_lfanew + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
        sections_.resize(nt.FileHeader.NumberOfSections);
        std::memcpy(sections_.data(), table, sections_.size() * sizeof(IMAGE_SECTION_HEADER));
    }
    bool HasFlags(std::uint32_t rva, DWORD flags) const
    {
        for (const IMAGE_SECTION_HEADER& section : sections_)
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.Misc.VirtualSize)
                return (section.Characteristics & flags) == flags;
        return false;
    }
    static std::int32_t Relative(const std::uint8_t* p)
    {
        std::int32_t value;
        std::memcpy(&value, p, 4);
        return value;
    }

    std::vector<std::uint8_t> file_;
    const std::uint8_t* mapped_ = nullptr;
    std::uint64_t base_ = 0;
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

std::string BesideTheTests(const std::string& relative)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + relative;
}

std::set<std::string> Libraries(const std::vector<LateImport>& imports)
{
    std::set<std::string> libraries;
    for (const LateImport& import : imports)
        libraries.insert(import.library);
    return libraries;
}

// Every late import of a shipped program: its slot starts at a stub that hands
// that very slot to the loader with the descriptor that lists it, and its
// library exports the name.
void ExpectEveryLateImportSound(const std::string& program, const std::set<std::string>& expectedLibraries)
{
    const Image image = Image::FromFile(program);
    ASSERT_TRUE(image.Valid()) << program;
    const std::vector<LateImport> imports = image.LateImports();
    EXPECT_EQ(Libraries(imports), expectedLibraries) << program;
    for (const LateImport& import : imports) {
        SCOPED_TRACE(program + ": " + import.library + "!" + import.name);
        const std::uint64_t first = image.Pointer(import.slotRva);
        ASSERT_GT(first, image.Base()) << "the slot points nowhere before its first call";
        const auto stub = static_cast<std::uint32_t>(first - image.Base());
        std::uint32_t slot = 0, descriptor = 0;
        ASSERT_TRUE(image.IsCode(stub) && image.FollowStub(stub, slot, descriptor));
        EXPECT_EQ(slot, import.slotRva);
        EXPECT_EQ(descriptor, import.descriptorRva);
        HMODULE library = LoadLibraryA(import.library.c_str());
        ASSERT_NE(library, nullptr);
        EXPECT_NE(GetProcAddress(library, import.name.c_str()), nullptr);
    }
    std::printf("%s: %zu late imports from %zu libraries\n", program.c_str(), imports.size(),
                Libraries(imports).size());
}

TEST(LateImports, EveryOneOfTheProgramIsReachedThroughItsLoader)
{
    ExpectEveryLateImportSound(BesideTheTests("..\\..\\app\\quarrimond.exe"),
                               {"comctl32.dll", "comdlg32.dll", "mpr.dll", "netapi32.dll", "ole32.dll", "oleacc.dll",
                                "oleaut32.dll", "version.dll", "winmm.dll", "winspool.drv", "wsock32.dll"});
}

TEST(LateImports, EveryOneOfTheConsoleToolIsReachedThroughItsLoader)
{
    ExpectEveryLateImportSound(BesideTheTests("..\\..\\app\\quarrimond-report.exe"),
                               {"mpr.dll", "netapi32.dll", "ole32.dll", "oleaut32.dll", "version.dll", "winmm.dll",
                                "winspool.drv", "wsock32.dll"});
}

// The loader itself, on every late import this test program has: each slot
// ends up holding what the library exports under that name.
TEST(LateImports, TheLoaderResolvesEveryOneOfThisProgram)
{
    const Image image = Image::ThisProgram();
    ASSERT_TRUE(image.Valid());
    const std::vector<LateImport> imports = image.LateImports();
    EXPECT_TRUE(Libraries(imports).contains("ole32.dll"));
    const auto* base = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA(nullptr));
    for (const LateImport& import : imports) {
        SCOPED_TRACE(import.library + "!" + import.name);
        auto* descriptor = reinterpret_cast<PCImgDelayDescr>(base + import.descriptorRva);
        auto* slot = reinterpret_cast<FARPROC*>(const_cast<std::uint8_t*>(base) + import.slotRva);
        const FARPROC resolved = __delayLoadHelper2(descriptor, slot);
        EXPECT_EQ(resolved, GetProcAddress(GetModuleHandleA(import.library.c_str()), import.name.c_str()));
        EXPECT_EQ(*slot, resolved);
    }
    std::printf("this program: %zu late imports resolved\n", imports.size());
}

} // namespace
} // namespace qm
