#pragma once

#include <array>
#include <string_view>

// How a run of walkconv ends, declared once for the code, the help and the tests.
namespace walkconv::cli {

// When inputs end differently, the most severe status wins, in this order from the least:
// Success, Warnings, NotValid, Failed, Missing, CannotWrite; a usage error stops the run
// before any input is read.
enum class ExitStatus : int {
    Success = 0,      // every input converted (or checked)
    NotValid = 1,     // some input holds no points or no links
    Failed = 2,       // some input broke a limit of its reader, or could not be read
    Missing = 3,      // some input names no regular file
    CannotWrite = 4,  // some output could not be written
    Warnings = 5,     // check --werror: some input has warnings (fix --werror: a repair is
                      // due), and nothing worse happened
    Usage = 64,       // the command line is wrong; nothing was read or written
};

// Each status with what it means, in numeric order, for the help.
struct StatusMeaning {
    ExitStatus status;
    std::string_view meaning;
};
inline constexpr std::array kStatusMeanings{
    StatusMeaning{ExitStatus::Success, "every input converted (check: every input valid)"},
    StatusMeaning{ExitStatus::NotValid, "some input not valid (no points or no links)"},
    StatusMeaning{ExitStatus::Failed, "some input failed (corrupted, or cannot be read)"},
    StatusMeaning{ExitStatus::Missing, "some input missing"},
    StatusMeaning{ExitStatus::CannotWrite, "some output could not be written"},
    StatusMeaning{ExitStatus::Warnings,
                  "check --werror: some input has warnings (fix --werror: a repair is due)"},
    StatusMeaning{ExitStatus::Usage, "usage error: nothing was read or written"},
};

// diff ends as diff and cmp do; with --git, different graphs end with Same too, since git stops
// at a driver's status other than 0.
enum class DiffStatus : int {
    Same = 0,
    Different = 1,
    Trouble = 2,  // an input missing, not valid or failing
};
inline constexpr char kDiffStatusMeanings[] =
    "diff: 0 the same graph, 1 different graphs (0 with --git), 2 trouble";

// The more severe of two statuses.
ExitStatus MoreSevere(ExitStatus a, ExitStatus b);

}  // namespace walkconv::cli
