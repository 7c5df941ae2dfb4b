#pragma once

// What the fuzz targets share: a file that stands for the input, and the checks every
// analysis must pass whatever the input holds.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/sailorpoints/sailorpoints_writer.h"
#include "core/text_file.h"
#include "core/walk/walk_writer.h"

namespace walkconv::fuzz {

// Ends the run with a message when a property does not hold; libFuzzer keeps the input.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// A private folder for the files of one process, removed at exit.
class Scratch {
  public:
    Scratch() {
        std::random_device seed;
        folder_ = std::filesystem::temp_directory_path() /
                  ("walkconv-fuzz-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(folder_);
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    // Writes `bytes` to `name` in the folder and returns the path as the windows pass it on.
    std::string Put(const std::string& name, std::string_view bytes) const {
        const std::filesystem::path file = folder_ / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        Require(static_cast<bool>(out), "the scratch file can be written");
        return Path(name);
    }

    std::string Path(const std::string& name) const { return Utf8FromPath(folder_ / name); }

  private:
    std::filesystem::path folder_;
};

inline Scratch& ScratchFolder() {
    static Scratch scratch;
    return scratch;
}

// What holds after any analysis: one of the four outcomes; counts within the tables; links
// without a negative end; a failure with its reason.
inline void CheckAnalysis(AnalysisOutcome outcome, const ConversionState& state,
                          const AnalysisDetails& details) {
    switch (outcome) {
        case AnalysisOutcome::Valid:
            Require(state.PointCount > 0 && state.LinkCount > 0, "valid means points and links");
            break;
        case AnalysisOutcome::NotValid:
            Require(state.PointCount <= 0 || state.LinkCount <= 0,
                    "not valid means no points or no links");
            break;
        case AnalysisOutcome::Failed:
            Require(!details.failure.message.empty(), "a failure says why");
            return;
        case AnalysisOutcome::NothingDone:
            Require(false, "an existing file is always analysed");
            return;
        default:
            Require(false, "the outcome is one of the four");
            return;
    }
    Require(state.PointCount <= kTableSize && state.LinkCount <= kTableSize,
            "counts stay within the tables");
    for (int i = 0; i < state.LinkCount; ++i) {
        Require(state.Links[i].from >= 0 && state.Links[i].to >= 0, "no link has a negative end");
    }
}

// Saves `bytes` as `fileName`, whose model name is "fuzz", analyses it with `analyse` as a
// window does, and checks what the analysis leaves; a valid state must be writable in both
// layouts.
template <typename Analyse>
void AnalyseAndCheck(const std::string& fileName, std::string_view bytes, Analyse analyse) {
    const std::string path = ScratchFolder().Put(fileName, bytes);
    ConversionState state;
    AnalysisDetails details;
    const AnalysisOutcome outcome = analyse(path, state, details);
    CheckAnalysis(outcome, state, details);
    if (outcome == AnalysisOutcome::Valid) {
        Require(state.ModelName == "fuzz", "the model name comes from the file name");
        Require(!FormatSailorpoints(state).empty(), "a valid state has a sailorpoints text");
        Require(!FormatWalkSource(state).empty(), "a valid state has a walk source text");
    }
}

}  // namespace walkconv::fuzz
