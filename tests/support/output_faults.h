#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/platform/system_file.h"
#include "support/temp_dir.h"

namespace walkconv::testing {

// One way a save can fail: where the output is to go in a prepared folder, and what the file
// functions are made to meet there.
struct OutputFault {
    const char* name;
    const char* target;  // inside the folder that PrepareOutputFaults made
    StorageFaults faults;
};

// Every fault the windows and walkconv must survive. "old1.ini" exists beforehand, so that a
// failed save can be seen to leave it as it was.
inline std::vector<OutputFault> OutputFaults() {
    return {
        {"missing folder", "no such folder/out1.ini", {}},
        {"target is a folder", "taken1.ini", {}},
        {"read-only folder", "old1.ini", {.createFails = true}},
        {"full disk", "old1.ini", {.spaceLeft = 0}},
        {"disk full half way", "old1.ini", {.spaceLeft = 40}},
        {"flush to the disk fails", "old1.ini", {.commitFails = true}},
        {"target marked read-only", "old1.ini", {.markedReadOnly = true}},
        {"replace refused", "old1.ini", {.replaceFails = true}},
    };
}

// Puts an existing output file and a folder in the way of a save into `folder`.
inline void PrepareOutputFaults(const TempDir& folder) {
    folder.Write("old1.ini", "\r\n[SIZE]\r\npoints = 99\r\nlinks = 99\r\n-- the old file --\r\n");
    std::filesystem::create_directory(folder.path() / "taken1.ini");
    folder.Write("taken1.ini/inside.txt", "kept");
}

// Every file under `folder` with its content, and every folder with an empty content: what a
// failed save must leave exactly as it found it.
inline std::map<std::string, std::string> FolderListing(const std::filesystem::path& folder) {
    std::map<std::string, std::string> listing;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).generic_string();
        listing[name] = entry.is_directory() ? "" : TempDir::Read(entry.path());
    }
    return listing;
}

}  // namespace walkconv::testing
