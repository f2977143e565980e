// The COB-ID editor's load and save of a full 2 x 2048-row file, each against pugixml doing the
// bare parse or write of the same file in the same run. Ratios are printed after the medians.

#include "cobid/CobIdForm.h"
#include "platform/Ports.h"
#include "workspace/Workspace.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>

namespace {

using namespace zantor;

class SilentPrompter : public Prompter {
public:
    void Message(const std::string& text) override { std::cerr << "message: " << text << "\n"; }
    void Error(const std::string& text) override { std::cerr << "error: " << text << "\n"; }
    bool Confirm(const std::string&) override { return true; }
};

struct Setup {
    std::filesystem::path folder;
    std::filesystem::path file;

    Setup() {
        std::random_device rd;
        folder = std::filesystem::temp_directory_path() / ("zantor-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(folder);
        file = folder / "CanCanCobID.xml";
        DirectionTable c0(kRowsCan20A), c1(kRowsCan20A);
        char text[32];
        for (std::size_t n = 0; n < kRowsCan20A; ++n) {
            std::snprintf(text, sizeof text, "0x%03zX", n);
            c0[n] = {text, std::to_string(kRowsCan20A - 1 - n), "Frame " + std::to_string(n)};
            c1[n] = {std::to_string(n), text, "Reply " + std::to_string(n)};
        }
        WriteCobIdFile(file, c0, c1);
    }
    ~Setup() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

Setup& Files() {
    static Setup setup;
    return setup;
}

Workspace MakeWorkspace() {
    Workspace workspace;
    workspace.networkType = 0;
    workspace.positive = true;
    workspace.state.paths.cobid = Files().file;
    return workspace;
}

void CobIdFormPrepareAndLoad(benchmark::State& state) {
    Workspace workspace = MakeWorkspace();
    SilentPrompter prompter;
    CobIdForm form(workspace, prompter);
    for (auto _ : state) {
        form.FormShow();
        benchmark::DoNotOptimize(form.Grid(1).back().description.data());
    }
}

void PugixmlParse(benchmark::State& state) {
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(Files().file.c_str()).status);
    }
}

void CobIdFormCheckAndSave(benchmark::State& state) {
    Workspace workspace = MakeWorkspace();
    workspace.state.paths.cobid = Files().folder / "saved.xml";
    std::filesystem::copy_file(Files().file, workspace.state.paths.cobid,
                               std::filesystem::copy_options::overwrite_existing);
    SilentPrompter prompter;
    CobIdForm form(workspace, prompter);
    form.FormShow();
    for (auto _ : state) {
        if (!form.Ok().accepted) state.SkipWithError("the save failed");
    }
}

void PugixmlSerializeAndWrite(benchmark::State& state) {
    pugi::xml_document doc;
    doc.load_file(Files().file.c_str());
    const std::filesystem::path out = Files().folder / "pugixml.xml";
    for (auto _ : state) {
        if (!doc.save_file(out.c_str(), "", pugi::format_raw | pugi::format_no_declaration))
            state.SkipWithError("the save failed");
    }
}

constexpr int kRepetitions = 15;

BENCHMARK(CobIdFormPrepareAndLoad)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(PugixmlParse)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(CobIdFormCheckAndSave)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(PugixmlSerializeAndWrite)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// Keeps the medians so the ratios can be printed once every benchmark has run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        Ratio("CobIdFormPrepareAndLoad", "PugixmlParse");
        Ratio("CobIdFormCheckAndSave", "PugixmlSerializeAndWrite");
    }

private:
    void Ratio(const std::string& measured, const std::string& baseline) {
        auto m = medians_.find(measured), b = medians_.find(baseline);
        if (m == medians_.end() || b == medians_.end() || b->second <= 0) return;
        std::printf("%s / %s = %.2f (medians %.3f ms / %.3f ms)\n", measured.c_str(), baseline.c_str(),
                    m->second / b->second, m->second, b->second);
    }
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
