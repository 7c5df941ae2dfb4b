#include "core/editing/text_keeping_save.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/conversion_error.h"
#include "core/findings/findings.h"
#include "core/numbers.h"
#include "core/sailorpoints/sailorpoints_reader.h"
#include "core/text.h"
#include "core/walk/walk_reader.h"

namespace walkconv {

namespace {

// Why the text cannot carry the edits; thrown inside the save and given back as its value.
struct Refusal {
    int line = 0;
    std::string reason;
};

// The bytes [begin, end) of the old text give way to `text`; `order` keeps insertions at one
// place in the order they were made.
struct Replacement {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
    int order = 0;
};

// One entry of the new document as one of the file's arrays holds it: which old entry it was
// (-1 for an added one) and the text of each of its values, with which of them changed.
struct Slot {
    int old = -1;
    std::array<std::string, 4> values;
    std::array<bool, 4> changed{};

    bool AnyChange() const {
        return std::any_of(changed.begin(), changed.end(), [](bool c) { return c; });
    }
};

// The statements of one array of the file (the vertices, the types, the links, the point
// lines, ...): each numbered entry and the statements that assign it.
struct Array {
    StatementKind kind;
    int valuesPerStatement = 1;
    int oldCount = 0;  // entries the document held, padding links included
    std::vector<std::vector<const StatementPlace*>> byOld;
    std::vector<const StatementPlace*> beyond;  // statements numbered from oldCount on
    std::vector<Slot> slots;                    // by new number
    std::function<std::string(int number)> name;
    std::string beyondReason;  // "the declared size of brig_walk_verts"
};

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsIdentifierByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The identifier in `statement` that holds `upperKeyword` ("WALK_VERTS"), as written.
std::string IdentifierHolding(std::string_view statement, std::string_view upperKeyword) {
    const std::size_t at = FindAnyCase(statement, upperKeyword);
    if (at == std::string_view::npos) {
        return std::string(upperKeyword);
    }
    std::size_t begin = at;
    while (begin > 0 && IsIdentifierByte(statement[begin - 1])) {
        --begin;
    }
    std::size_t end = at + upperKeyword.size();
    while (end < statement.size() && IsIdentifierByte(statement[end])) {
        ++end;
    }
    return std::string(statement.substr(begin, end - begin));
}

class TextKeeper {
  public:
    TextKeeper(const GraphDocument& document, bool removeNegativeEnds)
        : removeNegativeEnds_(removeNegativeEnds),
          doc_(document),
          facts_(*document.file),
          text_(facts_.text->text),
          walk_(document.kind == InputKind::WalkSource) {}

    std::vector<TextRange> Changes() const {
        std::vector<TextRange> changes;
        for (const Replacement& r : replacements_) {
            changes.push_back({r.begin, r.end});
        }
        return changes;
    }

    std::string Run() {
        CheckTraced();
        const int oldPoints = static_cast<int>(facts_.points.size());
        const int newPoints = static_cast<int>(doc_.points.size());
        const std::vector<Slot> links = LinkSlots();
        oldFileLinks_ = static_cast<int>(facts_.fileLinks.size());
        newFileLinks_ = static_cast<int>(links.size());
        if (walk_) {
            Array verts = MakeArray(StatementKind::Vertex, 1, 3 * oldPoints);
            verts.name = [](int index) { return "point " + std::to_string(index / 3); };
            verts.beyondReason = SizeReason(StatementKind::VertsSize, "WALK_VERTS", "points");
            for (int j = 0; j < newPoints; ++j) {
                for (int k = 0; k < 3; ++k) {
                    verts.slots.push_back(PointSlot(j, {k}));
                    if (verts.slots.back().old >= 0) {
                        verts.slots.back().old = 3 * verts.slots.back().old + k;
                    }
                }
            }
            Array types = MakeArray(StatementKind::Type, 1, oldPoints);
            types.name = [](int index) { return "the type of point " + std::to_string(index); };
            types.beyondReason = SizeReason(StatementKind::TypesSize, "WALK_TYPES", "points");
            for (int j = 0; j < newPoints; ++j) {
                types.slots.push_back(PointSlot(j, {3}));
            }
            Array graph = MakeArray(StatementKind::Link, 2, oldFileLinks_);
            graph.name = [](int index) { return "link " + std::to_string(index); };
            graph.beyondReason = SizeReason(StatementKind::GraphSize, "WALK_GRAPH", "links");
            graph.slots = links;
            Rearrange(verts);
            Rearrange(types);
            Rearrange(graph);
        } else {
            Array points = MakeArray(StatementKind::PointLine, 4, oldPoints);
            points.name = [](int number) { return "point " + std::to_string(number); };
            points.beyondReason = "the points counted since the last [POINT_DATA]";
            for (int j = 0; j < newPoints; ++j) {
                points.slots.push_back(PointSlot(j, {0, 1, 2, 3}));
            }
            Array lines = MakeArray(StatementKind::LinkLine, 2, oldFileLinks_);
            lines.name = [](int number) { return "link " + std::to_string(number); };
            lines.beyondReason = "the links counted since the last [LINK_DATA]";
            lines.slots = links;
            Rearrange(points);
            Rearrange(lines);
        }
        FollowSizes(oldPoints, newPoints);
        ResolveDeletions();
        std::string result = Apply();
        CheckReadsBack(result);
        return result;
    }

  private:
    // Every point of the document that comes from the file names its own point there, in the
    // file's order; else the edits cannot be traced to the file's statements.
    void CheckTraced() const {
        bool traced = doc_.pointFileNumbers.size() == doc_.points.size();
        int last = -1;
        for (const int number : doc_.pointFileNumbers) {
            if (number >= 0) {
                traced = traced && number > last && number < static_cast<int>(facts_.points.size());
                last = number;
            }
        }
        if (!traced) {
            throw Refusal{0, "the edits cannot be traced to the points of the file"};
        }
    }

    Array MakeArray(StatementKind kind, int valuesPerStatement, int oldCount) const {
        Array array{kind, valuesPerStatement, oldCount, {}, {}, {}, {}, {}};
        array.byOld.resize(static_cast<std::size_t>(oldCount));
        for (const StatementPlace& place : facts_.text->statements) {
            if (place.kind != kind || place.number < 0) {
                continue;
            }
            if (place.number < oldCount) {
                array.byOld[static_cast<std::size_t>(place.number)].push_back(&place);
            } else {
                array.beyond.push_back(&place);
            }
        }
        return array;
    }

    // "the declared size of brig_walk_verts", or what stands for it in a file that declares none.
    std::string SizeReason(StatementKind size, std::string_view keyword,
                           std::string_view what) const {
        for (const StatementPlace& place : facts_.text->statements) {
            if (place.kind == size) {
                return "the declared size of " +
                       IdentifierHolding(TextOf(place.statement), keyword);
            }
        }
        return "the " + std::string(what) + " the file declares";
    }

    // Point j of the document with the values `components` (0..2 the coordinates, 3 the type).
    Slot PointSlot(int j, std::initializer_list<int> components) const {
        Slot slot;
        slot.old = doc_.pointFileNumbers[static_cast<std::size_t>(j)];
        const Point& point = doc_.points[static_cast<std::size_t>(j)];
        int v = 0;
        for (const int k : components) {
            const double value = k < 3 ? point.Coordinate(k) : point.type;
            slot.values[static_cast<std::size_t>(v)] = NumberToText(value);
            if (slot.old < 0) {
                slot.changed[static_cast<std::size_t>(v)] = true;
            } else {
                const Point& old = facts_.points[static_cast<std::size_t>(slot.old)];
                slot.changed[static_cast<std::size_t>(v)] =
                    value != (k < 3 ? old.Coordinate(k) : old.type);
            }
            ++v;
        }
        return slot;
    }

    // The links of the new file in order: those of the document, each added one where the
    // document has it, with the padding links of the file (whose negative end drops them at
    // reading) kept among them where they stood.
    std::vector<Slot> LinkSlots() const {
        const std::vector<Link>& fileLinks = facts_.fileLinks;
        std::vector<bool> removed(fileLinks.size(), false);
        if (removeNegativeEnds_) {
            const int linksRead =
                facts_.linkCount - static_cast<int>(facts_.details.droppedLinkEnds.size());
            for (const DroppedLink& link : DroppedLinksBesidePadding(facts_.details, linksRead)) {
                removed[static_cast<std::size_t>(link.number)] = true;
            }
        }
        const auto endsSlot = [](int old, const Link& ends, const Link* was) {
            Slot slot;
            slot.old = old;
            slot.values[0] = std::to_string(ends.from);
            slot.values[1] = std::to_string(ends.to);
            slot.changed[0] = was == nullptr || was->from != ends.from;
            slot.changed[1] = was == nullptr || was->to != ends.to;
            return slot;
        };
        std::vector<Slot> slots;
        std::size_t padding = 0;  // the next file link to look at for padding
        const auto paddingBefore = [&](std::size_t number) {
            for (; padding < number && padding < fileLinks.size(); ++padding) {
                const Link& was = fileLinks[padding];
                if ((was.from < 0 || was.to < 0) && !removed[padding]) {
                    slots.push_back(endsSlot(static_cast<int>(padding), was, &was));
                }
            }
        };
        // An added link goes after the padding before the next link of the file, so that the
        // padding keeps its numbers where it can.
        std::vector<Slot> added;
        const auto flushAdded = [&] {
            slots.insert(slots.end(), added.begin(), added.end());
            added.clear();
        };
        int last = -1;
        for (const DocumentLink& link : doc_.links) {
            const int number = link.fileNumber;
            if (number < 0) {
                added.push_back(endsSlot(-1, link.ends, nullptr));
                continue;
            }
            if (number <= last || static_cast<std::size_t>(number) >= fileLinks.size()) {
                throw Refusal{0, "the edits put the links in an order the file cannot keep"};
            }
            last = number;
            paddingBefore(static_cast<std::size_t>(number));
            flushAdded();
            padding = static_cast<std::size_t>(number) + 1;
            slots.push_back(
                endsSlot(number, link.ends, &fileLinks[static_cast<std::size_t>(number)]));
        }
        paddingBefore(fileLinks.size());
        flushAdded();
        return slots;
    }

    // Renumbers, changes, removes and adds the statements of one array.
    void Rearrange(const Array& array) {
        if (!array.beyond.empty() &&
            array.slots.size() != static_cast<std::size_t>(array.oldCount)) {
            const StatementPlace& place = *array.beyond.front();
            throw Refusal{place.line,
                          array.name(place.number) + " is assigned beyond " + array.beyondReason};
        }
        std::vector<bool> kept(static_cast<std::size_t>(array.oldCount), false);
        const StatementPlace* anchor = nullptr;  // the last statement of the array so far
        for (std::size_t n = 0; n < array.slots.size(); ++n) {
            const Slot& slot = array.slots[n];
            const int number = static_cast<int>(n);
            static const std::vector<const StatementPlace*> kNone;
            const auto& places =
                slot.old >= 0 ? array.byOld[static_cast<std::size_t>(slot.old)] : kNone;
            if (slot.old >= 0) {
                kept[static_cast<std::size_t>(slot.old)] = true;
            }
            const bool renumbered = slot.old >= 0 && slot.old != number;
            if (places.size() > 1 && (renumbered || slot.AnyChange())) {
                throw Refusal{places[1]->line, array.name(slot.old) +
                                                   " is assigned more than once (also on line " +
                                                   std::to_string(places[0]->line) + ")"};
            }
            if (!places.empty()) {
                const StatementPlace& place = *places.back();
                if (renumbered) {
                    Replace(place.numberText, std::to_string(number));
                }
                for (int v = 0; v < array.valuesPerStatement; ++v) {
                    if (!slot.changed[static_cast<std::size_t>(v)]) {
                        continue;
                    }
                    if (place.valueCount != array.valuesPerStatement) {
                        throw Refusal{place.line, array.name(slot.old) +
                                                      " is written in a form that the save "
                                                      "cannot change"};
                    }
                    Replace(place.values[static_cast<std::size_t>(v)],
                            slot.values[static_cast<std::size_t>(v)]);
                }
                anchor = &place;
            } else if (slot.old < 0 || slot.AnyChange()) {
                Add(array, number, slot, anchor);
            }
        }
        for (std::size_t old = 0; old < kept.size(); ++old) {
            if (!kept[old]) {
                for (const StatementPlace* place : array.byOld[old]) {
                    deleted_.push_back(place);
                }
            }
        }
    }

    // A statement for entry `number`, after `anchor` or, with none, before the array's first
    // statement that stays; in the form of the statement it follows.
    void Add(const Array& array, int number, const Slot& slot, const StatementPlace* anchor) {
        const StatementPlace* next = anchor;
        if (next == nullptr) {
            for (const Slot& later : array.slots) {
                if (later.old >= 0 && !array.byOld[static_cast<std::size_t>(later.old)].empty()) {
                    next = array.byOld[static_cast<std::size_t>(later.old)].front();
                    break;
                }
            }
        }
        if (next == nullptr) {  // every statement of the array goes: the new ones take the place
            for (const auto& places : array.byOld) {
                for (const StatementPlace* place : places) {
                    if (next == nullptr || place->statement.begin < next->statement.begin) {
                        next = place;
                    }
                }
            }
        }
        const StatementPlace* form = next;
        if (form == nullptr || form->valueCount != array.valuesPerStatement) {
            form = nullptr;
            for (const auto& places : array.byOld) {
                for (const StatementPlace* place : places) {
                    if (place->valueCount == array.valuesPerStatement) {
                        form = place;
                    }
                }
            }
        }
        if (next == nullptr || form == nullptr) {
            throw Refusal{0, array.name(number) + " is new, and the file holds no statement of " +
                                 "its kind to write it like"};
        }
        std::string statement = StatementLike(*form, number, slot, array.valuesPerStatement);
        const std::string_view before = TextOf({next->lineContent.begin, next->statement.begin});
        const bool ownLine = IsBlank(before);
        if (anchor != nullptr && ownLine) {
            if (next->lineEnd == next->lineContent.end) {  // the last line, without an ending
                Insert(next->lineEnd, LineEnding(*next) + std::string(before) + statement);
            } else {
                Insert(next->lineEnd, std::string(before) + statement + LineEnding(*next));
            }
        } else if (anchor != nullptr) {
            Insert(next->statement.end, " " + statement);
        } else if (ownLine) {
            Insert(next->lineContent.begin, std::string(before) + statement + LineEnding(*next));
        } else {
            Insert(next->statement.begin, statement + " ");
        }
    }

    // The statement `form` with `number` and the values of `slot` in place of its own.
    std::string StatementLike(const StatementPlace& form, int number, const Slot& slot,
                              int values) const {
        std::vector<std::pair<TextRange, std::string>> parts{
            {form.numberText, std::to_string(number)}};
        for (int v = 0; v < values; ++v) {
            parts.emplace_back(form.values[static_cast<std::size_t>(v)],
                               slot.values[static_cast<std::size_t>(v)]);
        }
        std::sort(parts.begin(), parts.end(),
                  [](const auto& a, const auto& b) { return a.first.begin < b.first.begin; });
        std::string out;
        std::size_t at = form.statement.begin;
        for (const auto& [range, text] : parts) {
            if (range.begin < at || range.end > form.statement.end) {
                throw Refusal{form.line, "the statement on this line cannot serve as a form"};
            }
            out.append(text_, at, range.begin - at);
            out += text;
            at = range.end;
        }
        out.append(text_, at, form.statement.end - at);
        return out;
    }

    // The line ending of the line of `place`, or the text's first one for a last line without.
    std::string LineEnding(const StatementPlace& place) const {
        if (place.lineEnd > place.lineContent.end) {
            return text_.substr(place.lineContent.end, place.lineEnd - place.lineContent.end);
        }
        const std::size_t end = text_.find_first_of("\r\n");
        if (end == std::string::npos) {
            return "\n";
        }
        return text_.substr(end, NextLineStart(text_, end) - end);
    }

    // Declared sizes and counts that matched the number of entries follow it.
    void FollowSizes(int oldPoints, int newPoints) {
        for (const StatementPlace& place : facts_.text->statements) {
            std::optional<int> now;
            switch (place.kind) {
                case StatementKind::VertsSize:
                    if (place.number / 3 == oldPoints && place.number >= 0) {
                        now = place.number + 3 * (newPoints - oldPoints);
                    }
                    break;
                case StatementKind::TypesSize:
                case StatementKind::Count:
                case StatementKind::PointsSize:
                    if (place.number == oldPoints) {
                        now = newPoints;
                    }
                    break;
                case StatementKind::GraphSize:
                case StatementKind::LinksSize:
                    if (place.number == oldFileLinks_) {
                        now = newFileLinks_;
                    }
                    break;
                default:
                    break;
            }
            if (now && *now != place.number) {
                Replace(place.numberText, std::to_string(*now));
            }
        }
    }

    // The removed statements go: their whole line when it holds nothing else, else with the
    // blanks after them (before them at the line's end). A statement that holds what stays
    // is not removed: the save is refused instead.
    void ResolveDeletions() {
        std::sort(deleted_.begin(), deleted_.end());
        deleted_.erase(std::unique(deleted_.begin(), deleted_.end()), deleted_.end());
        for (const StatementPlace* gone : deleted_) {
            for (const StatementPlace& other : facts_.text->statements) {
                if (Overlap(gone->statement, other.statement) &&
                    !std::binary_search(deleted_.begin(), deleted_.end(), &other)) {
                    throw Refusal{gone->line,
                                  "the statement that the edits remove holds more than the "
                                  "entry they remove"};
                }
            }
        }
        std::vector<const StatementPlace*> byLine = deleted_;
        std::sort(byLine.begin(), byLine.end(), [](const auto* a, const auto* b) {
            return a->statement.begin < b->statement.begin;
        });
        for (std::size_t i = 0; i < byLine.size();) {
            std::size_t j = i;
            const TextRange line = byLine[i]->lineContent;
            std::string rest;  // what the line holds without the statements removed
            std::size_t at = line.begin;
            for (; j < byLine.size() && byLine[j]->lineContent == line; ++j) {
                rest += TextOf({at, std::max(at, byLine[j]->statement.begin)});
                at = std::max(at, byLine[j]->statement.end);
            }
            rest += TextOf({at, line.end});
            if (IsBlank(rest)) {
                Delete({line.begin, byLine[i]->lineEnd});
            } else {
                for (std::size_t k = i; k < j; ++k) {
                    TextRange range = byLine[k]->statement;
                    std::size_t end = range.end;
                    while (end < line.end && (text_[end] == ' ' || text_[end] == '\t')) {
                        ++end;
                    }
                    if (end < line.end) {
                        range.end = end;
                    } else {
                        while (range.begin > line.begin &&
                               (text_[range.begin - 1] == ' ' || text_[range.begin - 1] == '\t')) {
                            --range.begin;
                        }
                        range.end = line.end;
                    }
                    Delete(range);
                }
            }
            i = j;
        }
    }

    static bool Overlap(TextRange a, TextRange b) { return a.begin < b.end && b.begin < a.end; }

    std::string_view TextOf(TextRange range) const {
        return std::string_view(text_).substr(range.begin, range.end - range.begin);
    }

    void Replace(TextRange range, std::string text) {
        replacements_.push_back({range.begin, range.end, std::move(text), order_++});
    }
    void Insert(std::size_t at, std::string text) { Replace({at, at}, std::move(text)); }
    void Delete(TextRange range) { Replace(range, {}); }

    // The old text with every replacement made; replacements that overlap refuse the save.
    std::string Apply() {
        std::sort(replacements_.begin(), replacements_.end(),
                  [](const Replacement& a, const Replacement& b) {
                      if (a.begin != b.begin) {
                          return a.begin < b.begin;
                      }
                      const bool aInserts = a.begin == a.end;
                      const bool bInserts = b.begin == b.end;
                      if (aInserts != bInserts) {
                          return aInserts;
                      }
                      return a.order < b.order;
                  });
        std::string out;
        out.reserve(text_.size() + 64 * replacements_.size());
        std::size_t at = 0;
        for (const Replacement& r : replacements_) {
            if (r.begin < at) {
                throw Refusal{LineOf(r.begin),
                              "one statement holds two entries that the edits would split"};
            }
            out.append(text_, at, r.begin - at);
            out += r.text;
            at = r.end;
        }
        out.append(text_, at, std::string::npos);
        return out;
    }

    int LineOf(std::size_t offset) const {
        return 1 + static_cast<int>(std::count(
                       text_.begin(),
                       text_.begin() + static_cast<std::ptrdiff_t>(std::min(offset, text_.size())),
                       '\n'));
    }

    // The new text must read back as the document; what the reader would make of it otherwise
    // is not the edited graph, and the save is refused rather than written.
    void CheckReadsBack(const std::string& text) const {
        ConversionState state;
        try {
            if (walk_) {
                ScanWalkText(text, state, nullptr, nullptr, TypeCodes::OwnKind);
            } else {
                state.PointCount = -1;
                state.LinkCount = -1;
                ScanSailorpointsText(text, state, nullptr, TypeCodes::OwnKind);
            }
            DropLinksWithNegativeEnds(state);
        } catch (const ConversionError& error) {
            throw Refusal{0, "the saved text would not read back: " + std::string(error.what())};
        }
        bool same = state.PointCount == static_cast<int>(doc_.points.size()) &&
                    state.LinkCount == static_cast<int>(doc_.links.size());
        for (int i = 0; same && i < state.PointCount; ++i) {
            const Point& read = state.Points[i];
            const Point& want = doc_.points[static_cast<std::size_t>(i)];
            for (int k = 0; k < 4 && same; ++k) {
                const double a = k < 3 ? read.Coordinate(k) : read.type;
                const double b = k < 3 ? want.Coordinate(k) : want.type;
                same = a == b || NumberToText(a) == NumberToText(b);
            }
        }
        for (int i = 0; same && i < state.LinkCount; ++i) {
            same = state.Links[i] == doc_.links[static_cast<std::size_t>(i)].ends;
        }
        if (!same) {
            throw Refusal{0, "the saved text would read back as " +
                                 std::to_string(state.PointCount) + " points and " +
                                 std::to_string(state.LinkCount) +
                                 " links, not as the edited graph"};
        }
    }

    bool removeNegativeEnds_;
    const GraphDocument& doc_;
    const FileFacts& facts_;
    const std::string& text_;
    bool walk_;
    int oldFileLinks_ = 0;
    int newFileLinks_ = 0;
    std::vector<Replacement> replacements_;
    std::vector<const StatementPlace*> deleted_;
    int order_ = 0;
};

}  // namespace

bool HasKeptText(const GraphDocument& document) {
    return document.file != nullptr && document.file->text.has_value();
}

KeptText KeepText(const GraphDocument& document, bool removeNegativeEnds) {
    try {
        TextKeeper keeper(document, removeNegativeEnds);
        std::string text = keeper.Run();
        return KeptText{std::move(text), keeper.Changes(), 0, {}};
    } catch (const Refusal& refusal) {
        return KeptText{{}, {}, refusal.line, refusal.reason};
    }
}

}  // namespace walkconv
