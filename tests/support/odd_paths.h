#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace walkconv::testing {

// A folder and file names of a kind that paths of real users have, and the model name that
// the file names give.
struct OddPlace {
    std::string kind;
    std::filesystem::path folder;  // made by OddPlaces
    std::string walkName;          // a walk source's name there
    std::string sailorpointsName;  // a sailorpoints file's name there
    std::string model;             // what both names give as the model name
};

// The odd places, made inside `dir`: blanks, non-ASCII letters (also inside the part of the
// name that is cut off, which is counted in characters), a path of over 1000 bytes, and a
// folder reached through a symbolic link. The last is left out where links cannot be made.
inline std::vector<OddPlace> OddPlaces(const TempDir& dir) {
    namespace fs = std::filesystem;
    std::vector<OddPlace> places = {
        // Windows drops a blank at the end of a folder's name.
        {"blanks", dir.path() / "my ships" / (kOnWindows ? " new folder" : " new folder "),
         "brig of war _walk.c", "brig of war 1.ini", "brig of war "},
        {"non-ASCII letters", dir.path() / PathFromUtf8("Schiffe \xC3\xA9t\xC3\xA9"),
         "\xD0\xBC\xD0\xB0\xD1\x87\xD1\x82\xD0\xB0_walk.c",
         "\xD0\xBC\xD0\xB0\xD1\x87\xD1\x82\xD0\xB0"
         "1.ini",
         "\xD0\xBC\xD0\xB0\xD1\x87\xD1\x82\xD0\xB0"},
        {"non-ASCII letters in the cut-off ending", dir.path() / "endings",
         "br\xC3\xBC"
         "cke_w\xC3\xA4lk.c",
         "br\xC3\xBC"
         "cke1.\xC3\xAEni",
         "br\xC3\xBC"
         "cke"},
        {"a path of over 1000 bytes",
         dir.path() / std::string(200, 'a') / std::string(200, 'b') / std::string(200, 'c') /
             std::string(200, 'd') / std::string(200, 'e'),
         std::string(240, 'm') + "_walk.c", std::string(240, 'm') + "1.ini", std::string(240, 'm')},
    };
    for (const OddPlace& place : places) {
        fs::create_directories(place.folder);
    }
    std::error_code error;
    fs::create_directories(dir.path() / "real ships");
    fs::create_directory_symlink(dir.path() / "real ships", dir.path() / "linked ships", error);
    if (!error) {
        places.push_back({"a folder reached through a symbolic link", dir.path() / "linked ships",
                          "sloop_walk.c", "sloop1.ini", "sloop"});
    }
    return places;
}

}  // namespace walkconv::testing
