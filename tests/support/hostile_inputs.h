#pragma once

#include <cstddef>
#include <random>
#include <string>

// Large and hostile inputs, shared by the hostile-input tests and the benchmarks.
namespace walkconv::testing {

// A walk source of at least `bytes` bytes whose statements all stand on one single line: the
// same points, types and links assigned over and over. It reads as 1000 points and links.
inline std::string OneLineWalkOfSize(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 200);
    for (int i = 0; text.size() < bytes; ++i) {
        const int index = i % 3003;
        const int point = index / 3;
        text += "big_walk_verts[" + std::to_string(index) + "] = " + std::to_string(i % 977) +
                ".25; big_walk_types[" + std::to_string(point) + "] = 4; big_walk_graph[" +
                std::to_string(point) + "] = (" + std::to_string(point) + ")*256 + (" +
                std::to_string((point + 1) % 1000) + "); ";
    }
    return text;
}

// A sailorpoints file of `lines` lines, half points and half links, numbers 0..1000 over and
// over. It reads as 1001 points and links.
inline std::string SailorpointsOfLines(std::size_t lines) {
    std::string text = "[POINT_DATA]\n";
    const std::size_t half = lines / 2;
    for (std::size_t j = 1; j < half; ++j) {
        text += "point " + std::to_string(j % 1001) + " = " + std::to_string(j) + ",1.5,-2,10\n";
    }
    text += "[LINK_DATA]\n";
    for (std::size_t j = half + 1; j < lines; ++j) {
        text += "link " + std::to_string(j % 1001) + " = " + std::to_string(j % 1001) + "," +
                std::to_string((j + 1) % 1001) + "\n";
    }
    return text;
}

// `bytes` bytes drawn from `alphabet`, or from all 256 byte values when it is empty; the same
// for the same seed.
inline std::string RandomBytes(std::size_t bytes, unsigned seed, const std::string& alphabet = "") {
    std::mt19937 random(seed);
    std::string text(bytes, '\0');
    for (char& c : text) {
        const unsigned pick = random();
        c = alphabet.empty() ? static_cast<char>(pick & 0xFF) : alphabet[pick % alphabet.size()];
    }
    return text;
}

}  // namespace walkconv::testing
