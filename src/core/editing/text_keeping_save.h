#pragma once

#include <string>
#include <vector>

#include "core/editing/graph_document.h"

// Saving an edited document in the kind of the file it was read from, as that file's text with
// replacements at the places of the statements the edits concern: a changed entry gets its new
// value, a renumbered one its new number, a removed one loses its statement (its line when that
// holds nothing else), an added one gets a statement in the form of its neighbours, and a
// declared size or count that matched the number of entries follows it. Every other byte stays.
namespace walkconv {

// What keeping the text comes to: the new text, or why the text cannot carry the edits.
struct KeptText {
    std::string text;
    std::vector<TextRange> changes;  // the bytes of the old text replaced; empty ones: insertions
    int refusalLine = 0;  // 1-based line the refusal is about; 0 when it is about no one line
    std::string refusal;  // empty when `text` holds the save

    bool Kept() const { return refusal.empty(); }
};

// True when `document` remembers the text of the file it was read from.
bool HasKeptText(const GraphDocument& document);

// The text of the file `document` was read from, with the edits made since. Refused, when the
// text cannot carry them faithfully: an entry the edits change that the file assigns twice,
// statements beyond a declared size while the number of entries changes, one statement holding
// two entries that the edits would split, or a text that would not read back as the document.
// With `removeNegativeEnds`, the links with a negative end that the findings do not take for
// padding go from the text too, as the repair of that finding asks. Requires
// HasKeptText(document).
KeptText KeepText(const GraphDocument& document, bool removeNegativeEnds = false);

}  // namespace walkconv
