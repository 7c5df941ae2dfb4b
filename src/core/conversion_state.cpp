#include "core/conversion_state.h"

#include "core/conversion_error.h"

namespace walkconv {

double& Point::Coordinate(int component) {
    switch (component) {
        case 0:
            return x;
        case 1:
            return y;
        case 2:
            return z;
    }
    throw ConversionError("coordinate component out of range");
}

double Point::Coordinate(int component) const {
    return const_cast<Point*>(this)->Coordinate(component);
}

namespace {
void CheckIndex(int index) {
    if (index < 0 || index >= kTableSize) {
        throw ConversionError("table index " + std::to_string(index) + " outside 0..1000");
    }
}
}  // namespace

template <typename Entry>
Entry& CheckedTable<Entry>::operator[](int index) {
    CheckIndex(index);
    return entries_[static_cast<std::size_t>(index)];
}

template <typename Entry>
const Entry& CheckedTable<Entry>::operator[](int index) const {
    CheckIndex(index);
    return entries_[static_cast<std::size_t>(index)];
}

template class CheckedTable<Point>;
template class CheckedTable<Link>;

int DropLinksWithNegativeEnds(ConversionState& state, std::vector<DroppedLink>* dropped) {
    const int count = state.LinkCount;
    if (count > kTableSize) {
        throw ConversionError(
            Failure{failure_code::kTooManyLinks,
                    std::to_string(count) + " links, more than the 1001 the tables hold"});
    }
    if (count <= 0) {
        return 0;
    }
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const Link link = state.Links[i];
        if (link.from >= 0 && link.to >= 0) {
            state.Links[kept++] = link;
        } else if (dropped != nullptr) {
            dropped->push_back({i, link});
        }
    }
    for (int i = kept; i < count; ++i) {
        state.Links[i] = Link{};
    }
    state.LinkCount = static_cast<std::int16_t>(kept);
    return count - kept;
}

std::string AnalysisSummary(const ConversionState& state) {
    return "Ship model name: " + state.ModelName +
           "\r\n\r\nNumber of points = " + std::to_string(state.PointCount) +
           "\r\nNumber of links = " + std::to_string(state.LinkCount);
}

}  // namespace walkconv
