#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "core/conversion_state.h"
#include "core/editing/graph_document.h"

// Edits of a graph document as small values. Applying one gives back the edit that undoes it,
// so that an undo history is two stacks of edits; an edit that the document cannot take is
// refused with a reason and changes nothing.
namespace walkconv {

// Puts a point at x, y, z.
struct MovePoint {
    int point = 0;
    double x = 0;
    double y = 0;
    double z = 0;
    friend bool operator==(const MovePoint&, const MovePoint&) = default;
};

// Gives a point another type, in the document's codes.
struct SetPointType {
    int point = 0;
    double type = 0;
    friend bool operator==(const SetPointType&, const SetPointType&) = default;
};

// Appends a point.
struct AddPoint {
    Point point;
    friend bool operator==(const AddPoint&, const AddPoint&) = default;
};

// Puts a point at number `at`: the points from there on, and the link ends naming them, are
// numbered one higher. The undo of a removal.
struct InsertPoint {
    int at = 0;
    Point point;
    int fileNumber = DocumentLink::kNotInFile;  // which point of the file it was, if any
    friend bool operator==(const InsertPoint&, const InsertPoint&) = default;
};

// Removes a point and every link that touches it; the higher points, and the link ends naming
// them, are numbered one lower.
struct RemovePoint {
    int point = 0;
    friend bool operator==(const RemovePoint&, const RemovePoint&) = default;
};

// Appends a link between two points of the document.
struct AddLink {
    int from = 0;
    int to = 0;
    friend bool operator==(const AddLink&, const AddLink&) = default;
};

// Puts a link at number `at`, whatever its ends; the links from there on are numbered one
// higher. The undo of a removal, which may bring back a link to no point of the document.
struct InsertLink {
    int at = 0;
    DocumentLink link;
    friend bool operator==(const InsertLink&, const InsertLink&) = default;
};

// Removes a link; the later links are numbered one lower.
struct RemoveLink {
    int link = 0;
    friend bool operator==(const RemoveLink&, const RemoveLink&) = default;
};

struct Edit;

// Edits applied one after the other as one step: all of them, or none.
struct EditGroup {
    std::vector<Edit> steps;
    friend bool operator==(const EditGroup&, const EditGroup&) = default;
};

struct Edit {
    using Change = std::variant<MovePoint, SetPointType, AddPoint, InsertPoint, RemovePoint,
                                AddLink, InsertLink, RemoveLink, EditGroup>;

    Edit() : change(EditGroup{}) {}
    template <typename Alternative,
              typename = std::enable_if_t<!std::is_same_v<std::decay_t<Alternative>, Edit>>>
    Edit(Alternative&& alternative)  // implicit: every alternative is an edit
        : change(std::forward<Alternative>(alternative)) {}

    Change change;

    friend bool operator==(const Edit&, const Edit&) = default;
};

// What applying an edit came to: the edit that undoes it, or why it was refused.
struct EditResult {
    std::optional<Edit> undo;
    std::string refusal;  // empty when applied

    bool Applied() const { return undo.has_value(); }
};

// Applies `edit` to `document`. Refused, leaving the document as it was: a point or link that
// does not exist; a document beyond kMostPoints points or kMostLinks links, or left without a
// point or without a link (a file without links does not read back as valid); a link added
// to a point that does not exist; a coordinate or type that the files cannot hold (not a
// number, infinite, or written as a number beyond the largest one a reader takes).
EditResult ApplyEdit(GraphDocument& document, const Edit& edit);

}  // namespace walkconv
