#pragma once

// What the differential fuzz targets share: running a scan of the core and the same scan of the
// reference readers on the same bytes and from the same state, and requiring that they end
// alike, down to every bit of the state, the failure and its place, and the details.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/analysis.h"
#include "core/conversion_error.h"
#include "core/conversion_state.h"
#include "core/numbers.h"
#include "fuzz_support.h"
#include "reference/reference_readers.h"

namespace walkconv::fuzz {

// The same 64-bit value, told apart from -0 and 0 as well.
inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// How one scan ended: the failure it threw, if any, and the outcome of the analysis around it.
struct ScanEnd {
    std::optional<Failure> failure;
    AnalysisOutcome outcome = AnalysisOutcome::NothingDone;
};

// Runs `scan` on `state` and then, as an analysis does, drops the links with a negative end.
template <typename Scan>
ScanEnd RunScan(ConversionState& state, AnalysisDetails& details, Scan scan) {
    ScanEnd end;
    try {
        scan(state, details);
        details.droppedLinks = DropLinksWithNegativeEnds(state, &details.droppedLinkEnds);
        end.outcome = state.PointCount > 0 && state.LinkCount > 0 ? AnalysisOutcome::Valid
                                                                  : AnalysisOutcome::NotValid;
    } catch (const ConversionError& error) {
        end.failure = error.failure();
        end.outcome = AnalysisOutcome::Failed;
    }
    return end;
}

inline void RequireSameEnd(const ScanEnd& a, const ScanEnd& b) {
    Require(a.outcome == b.outcome, "the same outcome");
    Require(a.failure.has_value() == b.failure.has_value(), "both fail or neither");
    if (a.failure && b.failure) {
        Require(a.failure->code == b.failure->code, "the same failure code");
        Require(a.failure->message == b.failure->message, "the same failure message");
        Require(a.failure->numberText == b.failure->numberText, "the same number text");
        Require(a.failure->line == b.failure->line, "the same failure line");
        Require(a.failure->column == b.failure->column, "the same failure column");
    }
}

inline void RequireSameState(const ConversionState& a, const ConversionState& b) {
    Require(a.PointCount == b.PointCount, "the same point count");
    Require(a.LinkCount == b.LinkCount, "the same link count");
    for (int i = 0; i < kTableSize; ++i) {
        const Point& p = a.Points[i];
        const Point& q = b.Points[i];
        Require(SameBits(p.x, q.x) && SameBits(p.y, q.y) && SameBits(p.z, q.z) &&
                    SameBits(p.type, q.type),
                "the same points, bit for bit");
        Require(a.Links[i] == b.Links[i], "the same links");
    }
}

inline bool SamePlace(const SourcePlace& a, const SourcePlace& b) {
    return a.line == b.line && a.column == b.column;
}

inline void RequireSameDetails(const AnalysisDetails& a, const AnalysisDetails& b) {
    Require(a.droppedLinks == b.droppedLinks && a.droppedLinkEnds == b.droppedLinkEnds,
            "the same dropped links");
    Require(std::equal(a.linkPlaces.begin(), a.linkPlaces.end(), b.linkPlaces.begin(),
                       b.linkPlaces.end(), SamePlace),
            "the same places of the links");
    Require(SamePlace(a.linkCountPlace, b.linkCountPlace), "the same place of the link count");
}

// A state that an earlier analysis in the same window left, different for different inputs: the
// scans must agree from there too, since the tables are never cleared between scans.
inline ConversionState UsedState(std::size_t seed, std::int16_t initialCount) {
    ConversionState state;
    state.PointCount = static_cast<std::int16_t>(initialCount + static_cast<int>(seed % 7));
    state.LinkCount = static_cast<std::int16_t>(initialCount + static_cast<int>(seed % 5));
    for (int i = 0; i < kTableSize; ++i) {
        const double v = static_cast<double>((seed + static_cast<std::size_t>(i)) % 11) - 3;
        state.Points[i] = Point{v, -v, v / 4, v + 4};
        state.Links[i] = Link{static_cast<std::int16_t>(v), static_cast<std::int16_t>(1 - v)};
    }
    return state;
}

// TextToNumber and LeadingNumberText of the core and of the reference on the text from each of
// its first bytes on: the same value, bit for bit, the same number text, or the same failure;
// and the same text from NumberToText for that value, as the writers put it.
inline void RequireSameNumbers(std::string_view text) {
    constexpr std::size_t kStarts = 64;
    for (std::size_t from = 0; from < text.size() && from < kStarts; ++from) {
        const std::string_view rest = text.substr(from);
        std::optional<double> value;
        std::optional<double> expected;
        try {
            value = TextToNumber(rest);
        } catch (const ConversionError&) {
        }
        try {
            expected = reference::TextToNumber(rest);
        } catch (const ConversionError&) {
        }
        Require(value.has_value() == expected.has_value(), "TextToNumber fails alike");
        if (value && expected) {
            Require(SameBits(*value, *expected), "TextToNumber gives the same value");
            Require(LeadingNumberText(rest) == reference::LeadingNumberText(rest),
                    "LeadingNumberText gives the same text");
            Require(NumberToText(*value) == reference::NumberToText(*value),
                    "NumberToText writes the same text");
        }
    }
}

}  // namespace walkconv::fuzz
