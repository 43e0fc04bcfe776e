// The recorded registers of real processors, each run through the whole
// collector refresh and held against what a published identification suite
// expects of it: family, model and the caches of one core.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sysinfo/msi_cpu.h"
#include "tests/logic/scripted_processor.h"

namespace qm {
namespace {

using test::Recorder;
using test::ScriptedProcessor;

constexpr int kUnknown = -1;

struct Expected {
    int family = kUnknown, model = kUnknown, l1Data = kUnknown, l1Code = kUnknown, level2 = kUnknown;
};

struct RecordedProcessor {
    std::string file;
    Expected expected;
    ScriptedProcessor registers;
};

// "expect family=6 model=140 l1d=48 l1i=32 l2=1280".
Expected ParseExpectation(const std::string& line)
{
    struct Key {
        const char* name;
        int Expected::*field;
    };
    static constexpr Key kKeys[] = {{"family", &Expected::family},
                                    {"model", &Expected::model},
                                    {"l1d", &Expected::l1Data},
                                    {"l1i", &Expected::l1Code},
                                    {"l2", &Expected::level2}};
    Expected expected;
    std::istringstream words(line.substr(line.find(' ') + 1));
    std::string word;
    while (words >> word) {
        const size_t equals = word.find('=');
        for (const Key& key : kKeys)
            if (equals != std::string::npos && word.substr(0, equals) == key.name)
                expected.*key.field = std::stoi(word.substr(equals + 1));
    }
    return expected;
}

// One leaf per line: leaf, sub-leaf, EAX, EBX, ECX, EDX in hexadecimal;
// an unlisted leaf reads as zeros.
RecordedProcessor Load(const std::filesystem::path& path)
{
    RecordedProcessor processor;
    processor.file = path.filename().string();
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line.rfind("expect ", 0) == 0) {
            processor.expected = ParseExpectation(line);
            continue;
        }
        std::istringstream fields(line);
        std::uint32_t leaf = 0, subleaf = 0;
        CpuidRegisters r;
        fields >> std::hex >> leaf >> subleaf >> r.eax >> r.ebx >> r.ecx >> r.edx;
        if (!fields)
            ADD_FAILURE() << processor.file << ": unreadable line \"" << line << "\"";
        processor.registers.subleaves[{leaf, subleaf}] = r;
        if (subleaf == 0)
            processor.registers.leaves[leaf] = r;
    }
    return processor;
}

std::vector<RecordedProcessor> LoadCorpus()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QM_CPUID_CORPUS))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<RecordedProcessor> corpus;
    for (const auto& file : files)
        corpus.push_back(Load(file));
    return corpus;
}

const std::vector<RecordedProcessor>& Corpus()
{
    static const std::vector<RecordedProcessor> corpus = LoadCorpus();
    return corpus;
}

// Read here from the registers, not through the code under test.
std::string VendorText(ScriptedProcessor& p)
{
    const CpuidRegisters leaf0 = p.leaves[0];
    std::string text;
    for (std::uint32_t word : {leaf0.ebx, leaf0.edx, leaf0.ecx})
        for (int i = 0; i < 4; ++i)
            text += static_cast<char>((word >> (8 * i)) & 0xFF);
    return text;
}

std::string OwnName(ScriptedProcessor& p)
{
    if (p.leaves[0x80000000].eax < 0x80000004u)
        return {};
    std::string text;
    for (std::uint32_t leaf = 0x80000002u; leaf <= 0x80000004u; ++leaf) {
        const CpuidRegisters r = p.leaves[leaf];
        for (std::uint32_t word : {r.eax, r.ebx, r.ecx, r.edx})
            for (int i = 0; i < 4; ++i)
                text += static_cast<char>((word >> (8 * i)) & 0xFF);
    }
    text = text.substr(0, text.find('\0'));
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

TEST(CpuidCorpus, EveryRecordedProcessorIsRead)
{
    ASSERT_EQ(Corpus().size(), 210u) << QM_CPUID_CORPUS;
    for (const RecordedProcessor& p : Corpus())
        EXPECT_NE(p.expected.family, kUnknown) << p.file << ": no expect line";
}

TEST(CpuidCorpus, FamilyModelAndCachesOfEveryProcessor)
{
    struct Field {
        const char* name;
        int Expected::*expected;
        int (*actual)(const TCPU&);
    };
    static constexpr Field kFields[] = {
        {"family", &Expected::family, [](const TCPU& cpu) { return cpu.Family; }},
        {"model", &Expected::model, [](const TCPU& cpu) { return cpu.Model; }},
        {"l1d", &Expected::l1Data, [](const TCPU& cpu) { return cpu.Cache->L1Data; }},
        {"l1i", &Expected::l1Code, [](const TCPU& cpu) { return cpu.Cache->L1Code; }},
        {"l2", &Expected::level2, [](const TCPU& cpu) { return cpu.Cache->Level2; }},
    };
    for (const RecordedProcessor& recorded : Corpus()) {
        ScriptedProcessor registers = recorded.registers;
        Recorder services;
        TCPU cpu;
        cpu.GetInfo(services, registers);
        EXPECT_TRUE(services.messages.empty()) << recorded.file;
        for (const Field& field : kFields) {
            const int expected = recorded.expected.*field.expected;
            if (expected == kUnknown)
                continue;
            EXPECT_EQ(field.actual(cpu), expected) << recorded.file << ": " << field.name;
        }
    }
}

// The name table's rows for Intel family 6 models 2 and 9-15 and for family
// 15 cover parts of many kinds; a processor there that names itself is
// called by its own name.
TEST(CpuidCorpus, ProcessorsOfFamilyWideRowsGoByTheirOwnNames)
{
    int checked = 0;
    for (const RecordedProcessor& recorded : Corpus()) {
        ScriptedProcessor registers = recorded.registers;
        const int family = recorded.expected.family, model = recorded.expected.model;
        const bool familyWide = family == 15 || (family == 6 && (model == 2 || (model >= 9 && model <= 15)));
        const std::string ownName = OwnName(registers);
        if (VendorText(registers) != "GenuineIntel" || !familyWide || ownName.empty())
            continue;
        Recorder services;
        TCPU cpu;
        cpu.GetInfo(services, registers);
        EXPECT_EQ(cpu.VendorID, ownName) << recorded.file;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

} // namespace
} // namespace qm
