#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// Where a reader found what it stored: byte ranges in the text it read, so that a save can
// replace exactly those bytes and keep every other one.
namespace walkconv {

// The bytes [begin, end) of a text.
struct TextRange {
    std::size_t begin = 0;
    std::size_t end = 0;

    friend bool operator==(const TextRange&, const TextRange&) = default;
};

enum class StatementKind {
    Vertex,      // walk source: "..._walk_verts[I] = V;" (number: I)
    Type,        // "..._walk_types[I] = V;"
    Link,        // "..._walk_graph[I] = (A)*256 + (B);" (values: A and B when both are found)
    VertsSize,   // "float ..._walk_verts[N];" (number: N)
    TypesSize,   // "int ..._walk_types[N];"
    GraphSize,   // "int ..._walk_graph[N];"
    Count,       // "..._walk_count = N;" (number: N, the range of N as `number`)
    PointLine,   // sailorpoints: "point N = x,y,z,type" (values: x, y, z, type)
    LinkLine,    // "link N = a,b" (values: a, b)
    PointsSize,  // "points = N" before the first section marker
    LinksSize,   // "links = N"
};

// One statement that a reader stored, declared or counted with.
struct StatementPlace {
    StatementKind kind = StatementKind::Vertex;
    int line = 0;                     // 1-based
    int number = 0;                   // the index, point or link number, size or count read
    TextRange statement;              // what removing its entry removes
    TextRange lineContent;            // its whole line, without the line end
    std::size_t lineEnd = 0;          // where the next line begins (the text's end for the last)
    TextRange numberText;             // the text of `number` as written
    std::array<TextRange, 4> values;  // the text of each value read, in order
    int valueCount = 0;               // how many of `values` were found
};

// The text a reader read and the places of what it stored there.
struct TextLocations {
    std::string text;
    std::vector<StatementPlace> statements;
};

}  // namespace walkconv
