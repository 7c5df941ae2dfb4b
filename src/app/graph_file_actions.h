#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/graph_content.h"
#include "app/graph_editing.h"
#include "app/graph_painting.h"
#include "app/host.h"

// What the graph window does with files: saving the graph, saving its picture, and the
// question about unsaved edits. Each says what it wrote, for the converter window to read the
// graph's file again; none calls back.
namespace walkconv::app {

// The key under which the graph windows remember the folder of their last file.
inline constexpr std::string_view kGraphWindowKind = "GraphWindow";

// What a save came to: whether the file was written, and the graph's file when the save wrote
// it (its reader reads it again).
struct Saved {
    bool written = false;
    std::optional<std::string> graphFile;
};

// Save: the graph over the file it came from, in that file's kind and codes. Save as...:
// either kind, by the name's ending or else the file type chosen, types mapped as Convert!
// maps them; a file of the graph's own kind becomes the graph's file. A failure is told in a
// message box and leaves the old file whole.
Saved SaveGraph(GraphEditing& editing, Host& host);
Saved SaveGraphAs(GraphEditing& editing, Host& host);

// "Save picture...": asks for a name, proposing "<model>_graph.png", and writes the picture
// as SVG for a name ending in ".svg" (any case), else as PNG of the window's size with the
// whole picture fitted in, without highlight or selection. A failure is told in a message box.
void SaveGraphPicture(const GraphContent& content, Host& host, Drawer& drawer);

// Whether the unsaved edits may go, asking "Save changes to the walking graph of MODEL?"
// when there are any: Save saves them, Discard takes the graph back to what its file holds
// (or closes it, when the file no longer reads), Cancel keeps them.
struct LetGo {
    bool mayGo = true;
    Saved saved;
};
LetGo MayLetGo(GraphEditing& editing, Host& host);

}  // namespace walkconv::app
