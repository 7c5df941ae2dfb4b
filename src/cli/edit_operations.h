#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/editing/graph_document.h"
#include "core/editing/graph_edit.h"

// The operations of walkconv edit, declared once in a table for the parser and the help: each
// a name, its operands, and the edit it makes of a document.
namespace walkconv::cli {

// One operation as given on the command line.
struct EditOperation {
    std::string name;
    std::vector<double> numbers;
    std::string text;  // as given: "move 3 1.5 2.5 -3.5"
    int place = 0;     // 1 for the first operation
};

// The operations in the order of the table, "move N X Y Z, type N T, ..." for the help.
std::string OperationUsage();

// True when `word` names an operation.
bool IsOperation(std::string_view word);

// edit's arguments (those after "edit") taken apart: the first word that names an operation
// ends the inputs; each operation takes the number of operands it needs, negative numbers
// included; the inputs and options are left for the option parser. `problem` says why the
// words cannot be taken so.
struct SplitArguments {
    std::vector<std::string> rest;
    std::vector<EditOperation> operations;
    std::optional<std::string> problem;
};
SplitArguments SplitOperations(std::span<const std::string> words);

// Applies `operation` to `document`, as ApplyEdit applies an edit: refused with a reason, and
// then the document is as it was.
EditResult ApplyOperation(GraphDocument& document, const EditOperation& operation);

}  // namespace walkconv::cli
