// The whole update of one device (image from a 2000-pair CAN 2.0B table, bank files, bankg.c and
// a 1 MiB template patched) against a plain copy of the same template, in the same run.
#include "cobid/CobIdFile.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwarePatcher.h"
#include "platform/Ports.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>

namespace fs = std::filesystem;
using namespace zantor;

namespace {

class SilentPrompter : public Prompter {
public:
    int shown = 0;
    void Message(const std::string&) override { ++shown; }
    void Error(const std::string&) override { ++shown; }
    bool Confirm(const std::string&) override { return false; }
};

std::string Record(std::uint32_t address, std::mt19937& random) {
    char text[80];
    unsigned sum = 0x24 + (address >> 16 & 0xFF) + (address >> 8 & 0xFF) + (address & 0xFF);
    int n = std::snprintf(text, sizeof text, "S224%06X", address);
    for (int i = 0; i < 32; ++i) {
        unsigned byte = random() & 0xFF;
        sum += byte;
        n += std::snprintf(text + n, sizeof text - n, "%02X", byte);
    }
    std::snprintf(text + n, sizeof text - n, "%02X\r\n", ~sum & 0xFF);
    return text;
}

struct Project {
    fs::path root = fs::temp_directory_path() / ("zantor-bench-" + std::to_string(std::random_device{}()));
    fs::path project = root / "P";
    fs::path templateFile = root / "MASTER/KS40913RT.sx";

    Project() {
        fs::create_directories(project / "bin");
        fs::create_directories(root / "MASTER");
        std::ofstream(project / "pargen.xml")
            << "<ParametriGenerali><Boud0>5</Boud0><Boud1>5</Boud1><Type>1</Type><Positive>0</Positive>"
               "<Baud_Dip_C0>0</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>";
        std::mt19937 random(7);
        DirectionTable table;
        for (int i = 0; i < 2000; ++i)
            table.push_back({"0x" + std::to_string(10000000 + random() % 9000000),
                             std::to_string(random() % 0x1FFFFFFF), "pair " + std::to_string(i)});
        WriteCobIdFile(project / "CanCanCobID.xml", table, table);
        // Code from 0x370000 upward, with the five bank ranges inside, until the file holds 1 MiB.
        std::string text = "S00F00004B533430393133525420202060\r\n";
        for (std::uint32_t address = 0x370000; text.size() < (1u << 20) - 16; address += 32)
            text += Record(address, random);
        text += "S9030000FC\r\n";
        std::ofstream(templateFile, std::ios::binary) << text;
    }
    ~Project() {
        if (std::getenv("KEEP")) return;
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Project& Shared() {
    static Project project;
    return project;
}

void CopyTemplate() {
    Project& p = Shared();
    fs::copy_file(p.templateFile, p.project / "copy.sx", fs::copy_options::overwrite_existing);
}

void BuildFiles() {
    Project& p = Shared();
    BankSet set;
    BuildDeviceFiles(set, p.project / "pargen.xml", p.project / "CanCanCobID.xml", p.project / "bin", 0);
}

bool BuildFirmware() {
    Project& p = Shared();
    SilentPrompter prompter;
    FirmwarePatcher patcher(prompter);
    PatcherValues values{p.templateFile, p.project / "bin", p.project, "New_KS40913RT.sx"};
    return patcher.BuildFirmwareFile(values, BanksTakingPart(2)).Complete() && prompter.shown == 0;
}

bool Update() {
    BuildFiles();
    return BuildFirmware();
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Wall and processor seconds per run.
std::pair<double, double> SecondsPerRun(void (*run)(), int runs) {
    auto start = std::chrono::steady_clock::now();
    double cpu = CpuSeconds();
    for (int i = 0; i < runs; ++i)
        run();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs,
            (CpuSeconds() - cpu) / runs};
}

void FirmwareOnce() {
    benchmark::DoNotOptimize(BuildFirmware());
}

void BM_CopyTemplate(benchmark::State& state) {
    for (auto _ : state)
        CopyTemplate();
}

void BM_UpdateDevice(benchmark::State& state) {
    if (!Update()) {
        state.SkipWithError("the update did not place both banks");
        return;
    }
    // Copies and updates alternate so both see the same load on the shared disk. The update is
    // timed in its two steps, bank files with bankg.c and then the firmware, which add up to it.
    double copyWall = 0, copyCpu = 0, filesWall = 0, filesCpu = 0, firmwareWall = 0, firmwareCpu = 0;
    for (auto _ : state) {
        auto [cw, cc] = SecondsPerRun(CopyTemplate, 1);
        auto [bw, bc] = SecondsPerRun(BuildFiles, 1);
        auto [fw, fc] = SecondsPerRun(FirmwareOnce, 1);
        copyWall += cw;
        copyCpu += cc;
        filesWall += bw;
        filesCpu += bc;
        firmwareWall += fw;
        firmwareCpu += fc;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["x_copy"] = (filesWall + firmwareWall) / copyWall;
    state.counters["x_copy_cpu"] = (filesCpu + firmwareCpu) / copyCpu;
    state.counters["x_copy_files"] = filesWall / copyWall;
    state.counters["x_copy_firmware"] = firmwareWall / copyWall;
    state.counters["peak_rss_MiB"] = usage.ru_maxrss / 1024.0;
    state.counters["template_MiB"] = fs::file_size(Shared().templateFile) / 1048576.0;
}

} // namespace

BENCHMARK(BM_CopyTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateDevice)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
