#pragma once

#include <string>
#include <string_view>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/walk/walk_reader.h"

// The readers as they were before they were made fast: one plain search per keyword and line,
// numbers read through a string and std::from_chars, lines split byte by byte; and numbers
// written by rounding to 15 digits with std::to_chars. They are kept,
// unchanged but for their namespace, as the reference that the differential fuzz targets hold
// the readers of the core to: the same bytes must give the same outcome, state, failure, facts
// and details. Everything they share with the core unchanged (16-bit rounding, the failures,
// the clean-up of links, the analysis around the scan) comes from the core.
namespace walkconv::reference {

double TextToNumber(std::string_view text);
std::string_view LeadingNumberText(std::string_view text);
std::string NumberToText(double value);

// A line ends at CR LF, at CR alone or at LF alone; an empty text has no lines.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& line);

  private:
    std::string_view rest_;
};

void ScanWalkText(std::string_view text, ConversionState& state, WalkSourceFacts* facts = nullptr,
                  AnalysisDetails* details = nullptr);
AnalysisOutcome AnalyseWalk(const std::string& inputPath, ConversionState& state,
                            AnalysisDetails* details = nullptr, WalkSourceFacts* facts = nullptr);

void ScanSailorpointsText(std::string_view text, ConversionState& state,
                          AnalysisDetails* details = nullptr);
AnalysisOutcome AnalyseSailorpoints(const std::string& inputPath, ConversionState& state,
                                    AnalysisDetails* details = nullptr);

}  // namespace walkconv::reference
