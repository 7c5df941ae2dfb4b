#include "cli/exit_status.h"

#include <algorithm>
#include <array>

namespace walkconv::cli {

namespace {

// From the least severe to the most.
constexpr std::array kSeverityOrder{
    ExitStatus::Success, ExitStatus::Warnings,    ExitStatus::NotValid, ExitStatus::Failed,
    ExitStatus::Missing, ExitStatus::CannotWrite, ExitStatus::Usage,
};

std::size_t Severity(ExitStatus status) {
    return static_cast<std::size_t>(
        std::find(kSeverityOrder.begin(), kSeverityOrder.end(), status) - kSeverityOrder.begin());
}

}  // namespace

ExitStatus MoreSevere(ExitStatus a, ExitStatus b) {
    return Severity(b) > Severity(a) ? b : a;
}

}  // namespace walkconv::cli
