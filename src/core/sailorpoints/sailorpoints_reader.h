#pragma once

#include <string>
#include <string_view>

#include "core/analysis.h"
#include "core/conversion_state.h"
#include "core/point_types.h"
#include "core/statement_places.h"

// Reading a sailorpoints file: every line is scanned for the section words and for the words
// "point" and "link" (any case), and numbers are taken by the leading-number rule. The [SIZE]
// values are never used: the counts follow from the point and link numbers met. Comment lines
// (";" or "#" first) are not read.
namespace walkconv {

// Reads every line of `text` into `state`, whose counts start at -1, and leaves each count one
// above the highest number stored since its section marker, noting in `details` where each
// link is stored. Types are stored in walk source codes unless `codes` asks for the file's own.
// Throws ConversionError, with the line and the column of the word "point" or "link" read
// there, when the text breaks a limit of the tables or of 16-bit numbers. With `places`, notes
// where every point and link line stored stands, and the "points = " and "links = " lines.
void ScanSailorpointsText(std::string_view text, ConversionState& state,
                          AnalysisDetails* details = nullptr,
                          TypeCodes codes = TypeCodes::OtherKind,
                          std::vector<StatementPlace>* places = nullptr);

// The Analyse command without its window: the sailorpoints file at `inputPath` into `state`;
// with `located`, its text and the places of its statements as well.
AnalysisOutcome AnalyseSailorpoints(const std::string& inputPath, ConversionState& state,
                                    AnalysisDetails* details = nullptr,
                                    TypeCodes codes = TypeCodes::OtherKind,
                                    TextLocations* located = nullptr);

}  // namespace walkconv
