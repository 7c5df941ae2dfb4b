#include "core/editing/graph_edit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "core/conversion_error.h"
#include "core/numbers.h"

namespace walkconv {

namespace {

EditResult Refused(std::string reason) {
    return EditResult{std::nullopt, std::move(reason)};
}

EditResult Undone(Edit undo) {
    return EditResult{std::move(undo), {}};
}

// Why `value` cannot stand in a file, or nothing: the writers write 15 significant digits,
// which for the very largest numbers give a text beyond the largest double.
std::string RefusalOfValue(const char* name, double value) {
    const std::string prefix = std::string(name) + " = " + NumberToText(value);
    if (!std::isfinite(value)) {
        return prefix + " is not a number the files can hold";
    }
    try {
        TextToNumber(NumberToText(value));
    } catch (const ConversionError&) {
        return prefix + " is beyond the largest number the readers take back";
    }
    return {};
}

std::string RefusalOfPoint(const Point& point) {
    for (const auto& [name, value] : {std::pair{"x", point.x}, std::pair{"y", point.y},
                                      std::pair{"z", point.z}, std::pair{"type", point.type}}) {
        if (std::string refusal = RefusalOfValue(name, value); !refusal.empty()) {
            return refusal;
        }
    }
    return {};
}

std::string Range(std::size_t count) {
    return count == 0 ? "none" : "0.." + std::to_string(count - 1);
}

// Applies one edit to the document it was made with.
class Applier {
  public:
    explicit Applier(GraphDocument& document) : doc_(document) {}

    EditResult operator()(const MovePoint& edit) {
        if (!HasPoint(edit.point)) {
            return Refused(NoPoint(edit.point));
        }
        Point& point = PointAt(edit.point);
        Point moved = point;
        moved.x = edit.x;
        moved.y = edit.y;
        moved.z = edit.z;
        if (std::string refusal = RefusalOfPoint(moved); !refusal.empty()) {
            return Refused(std::move(refusal));
        }
        const MovePoint undo{edit.point, point.x, point.y, point.z};
        point = moved;
        return Undone(undo);
    }

    EditResult operator()(const SetPointType& edit) {
        if (!HasPoint(edit.point)) {
            return Refused(NoPoint(edit.point));
        }
        if (std::string refusal = RefusalOfValue("type", edit.type); !refusal.empty()) {
            return Refused(std::move(refusal));
        }
        Point& point = PointAt(edit.point);
        const SetPointType undo{edit.point, point.type};
        point.type = edit.type;
        return Undone(undo);
    }

    EditResult operator()(const AddPoint& edit) {
        return (*this)(InsertPoint{static_cast<int>(doc_.points.size()), edit.point});
    }

    EditResult operator()(const InsertPoint& edit) {
        const std::size_t count = doc_.points.size();
        if (count >= kMostPoints) {
            return Refused(Full("points", count));
        }
        if (edit.at < 0 || static_cast<std::size_t>(edit.at) > count) {
            return Refused("there is no place " + std::to_string(edit.at) + " for a point (0.." +
                           std::to_string(count) + ")");
        }
        if (std::string refusal = RefusalOfPoint(edit.point); !refusal.empty()) {
            return Refused(std::move(refusal));
        }
        for (std::size_t i = 0; i < doc_.links.size(); ++i) {
            const Link& ends = doc_.links[i].ends;
            for (const std::int16_t end : {ends.from, ends.to}) {
                if (end >= edit.at && end == std::numeric_limits<std::int16_t>::max()) {
                    return Refused("link " + std::to_string(i) + " ends at point " +
                                   std::to_string(end) + ", which cannot be numbered one higher");
                }
            }
        }
        for (DocumentLink& link : doc_.links) {
            for (std::int16_t* end : {&link.ends.from, &link.ends.to}) {
                if (*end >= edit.at) {
                    ++*end;
                }
            }
        }
        if (Traced()) {
            doc_.pointFileNumbers.insert(doc_.pointFileNumbers.begin() + edit.at, edit.fileNumber);
        }
        doc_.points.insert(doc_.points.begin() + edit.at, edit.point);
        return Undone(RemovePoint{edit.at});
    }

    EditResult operator()(const RemovePoint& edit) {
        if (!HasPoint(edit.point)) {
            return Refused(NoPoint(edit.point));
        }
        if (doc_.points.size() == 1) {
            return Refused("removing point " + std::to_string(edit.point) +
                           " would leave no point");
        }
        const auto touches = [&](const DocumentLink& link) {
            return link.ends.from == edit.point || link.ends.to == edit.point;
        };
        if (std::all_of(doc_.links.begin(), doc_.links.end(), touches)) {
            return Refused("removing point " + std::to_string(edit.point) +
                           " would leave no link, since every link touches it");
        }
        // Put back in ascending order, each link takes its old number again.
        const int fileNumber = Traced()
                                   ? doc_.pointFileNumbers[static_cast<std::size_t>(edit.point)]
                                   : DocumentLink::kNotInFile;
        EditGroup undo{{InsertPoint{edit.point, PointAt(edit.point), fileNumber}}};
        for (std::size_t i = 0; i < doc_.links.size(); ++i) {
            if (touches(doc_.links[i])) {
                undo.steps.emplace_back(InsertLink{static_cast<int>(i), doc_.links[i]});
            }
        }
        std::erase_if(doc_.links, touches);
        for (DocumentLink& link : doc_.links) {
            for (std::int16_t* end : {&link.ends.from, &link.ends.to}) {
                if (*end > edit.point) {
                    --*end;
                }
            }
        }
        if (Traced()) {
            doc_.pointFileNumbers.erase(doc_.pointFileNumbers.begin() + edit.point);
        }
        doc_.points.erase(doc_.points.begin() + edit.point);
        if (undo.steps.size() == 1) {
            return Undone(std::move(undo.steps.front()));
        }
        return Undone(std::move(undo));
    }

    EditResult operator()(const AddLink& edit) {
        for (const int end : {edit.from, edit.to}) {
            if (!HasPoint(end)) {
                return Refused("point " + std::to_string(end) + " does not exist (the points are " +
                               Range(doc_.points.size()) + ")");
            }
        }
        const Link ends{static_cast<std::int16_t>(edit.from), static_cast<std::int16_t>(edit.to)};
        return (*this)(InsertLink{static_cast<int>(doc_.links.size()), DocumentLink{ends}});
    }

    EditResult operator()(const InsertLink& edit) {
        const std::size_t count = doc_.links.size();
        if (count >= kMostLinks) {
            return Refused(Full("links", count));
        }
        if (edit.at < 0 || static_cast<std::size_t>(edit.at) > count) {
            return Refused("there is no place " + std::to_string(edit.at) + " for a link (0.." +
                           std::to_string(count) + ")");
        }
        for (const std::int16_t end : {edit.link.ends.from, edit.link.ends.to}) {
            if (end < 0) {
                return Refused("a link cannot end at point " + std::to_string(end));
            }
        }
        doc_.links.insert(doc_.links.begin() + edit.at, edit.link);
        return Undone(RemoveLink{edit.at});
    }

    EditResult operator()(const RemoveLink& edit) {
        if (edit.link < 0 || static_cast<std::size_t>(edit.link) >= doc_.links.size()) {
            return Refused("there is no link " + std::to_string(edit.link) + " (the links are " +
                           Range(doc_.links.size()) + ")");
        }
        if (doc_.links.size() == 1) {
            return Refused("removing link " + std::to_string(edit.link) +
                           " would leave no link, and a file without links is not valid");
        }
        const InsertLink undo{edit.link, doc_.links[static_cast<std::size_t>(edit.link)]};
        doc_.links.erase(doc_.links.begin() + edit.link);
        return Undone(undo);
    }

    EditResult operator()(const EditGroup& group) {
        std::vector<Edit> undos;
        for (const Edit& step : group.steps) {
            EditResult result = std::visit(*this, step.change);
            if (!result.Applied()) {
                // Every undo of an applied edit applies to the document that edit left.
                for (auto undo = undos.rbegin(); undo != undos.rend(); ++undo) {
                    std::visit(*this, undo->change);
                }
                return result;
            }
            undos.push_back(std::move(*result.undo));
        }
        std::reverse(undos.begin(), undos.end());
        return Undone(EditGroup{std::move(undos)});
    }

  private:
    // Whether the document knows which point of its file each of its points is.
    bool Traced() const { return doc_.pointFileNumbers.size() == doc_.points.size(); }

    bool HasPoint(int point) const {
        return point >= 0 && static_cast<std::size_t>(point) < doc_.points.size();
    }

    Point& PointAt(int point) { return doc_.points[static_cast<std::size_t>(point)]; }

    std::string NoPoint(int point) const {
        return "there is no point " + std::to_string(point) + " (the points are " +
               Range(doc_.points.size()) + ")";
    }

    static std::string Full(const char* what, std::size_t count) {
        return "the graph holds " + std::to_string(count) + " " + what +
               " already, as many as a file can hold";
    }

    GraphDocument& doc_;
};

}  // namespace

EditResult ApplyEdit(GraphDocument& document, const Edit& edit) {
    return std::visit(Applier(document), edit.change);
}

}  // namespace walkconv
