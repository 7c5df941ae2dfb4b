#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "cli/walkconv_cli.h"
#include "support/temp_dir.h"

namespace walkconv::testing {

// What one run of walkconv gave back.
struct WalkconvRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs walkconv in a fresh temporary folder, which is the current folder during the test, so
// that inputs and outputs can be named as a user in that folder would name them.
class WalkconvTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    static WalkconvRun Walkconv(std::initializer_list<std::string> args) {
        return Walkconv(std::vector<std::string>(args));
    }

    static WalkconvRun Walkconv(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        WalkconvRun run;
        run.status = cli::RunWalkconv(args, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    void Write(const std::string& name, std::string_view content) const {
        const std::filesystem::path file = dir_.path() / name;
        std::filesystem::create_directories(file.parent_path());
        dir_.Write(name, content);
    }

    std::string Read(const std::string& name) const { return TempDir::Read(dir_.path() / name); }

    bool Exists(const std::string& name) const {
        return std::filesystem::exists(dir_.path() / name);
    }

    const TempDir& Folder() const { return dir_; }

  private:
    TempDir dir_;
    std::filesystem::path previous_;
};

// A sailorpoints file as a user might write it (LF line ends): three points, a chain of two
// links; nothing for check to warn about.
inline constexpr char kShipIni[] =
    "[POINT_DATA]\n"
    "point 0 = 1.5,2,-0.25,10\n"
    "point 1 = 0,3,4,1\n"
    "point 2 = 2,0.5,-2,7\n"
    "[LINK_DATA]\n"
    "link 0 = 0,1\n"
    "link 1 = 1,2\n";

// The walk source that the writer makes of kShipIni under the model name "ship".
inline constexpr char kShipWalk[] =
    "int ship_walk_count;\r\n"
    "float ship_walk_verts[9];\r\n"
    "int ship_walk_types[3];\r\n"
    "int ship_walk_graph[2];\r\n"
    "\r\n"
    "void ship_walk_init()\r\n"
    "{\r\n"
    "        ship_walk_count = 3;\r\n"
    "\r\n"
    "        ship_walk_verts[0] = 1.5;\r\n"
    "        ship_walk_verts[1] = 2;\r\n"
    "        ship_walk_verts[2] = -0.25;\r\n"
    "        ship_walk_verts[3] = 0;\r\n"
    "        ship_walk_verts[4] = 3;\r\n"
    "        ship_walk_verts[5] = 4;\r\n"
    "        ship_walk_verts[6] = 2;\r\n"
    "        ship_walk_verts[7] = 0.5;\r\n"
    "        ship_walk_verts[8] = -2;\r\n"
    "\r\n"
    "        ship_walk_types[0] = 5;\r\n"
    "        ship_walk_types[1] = 1;\r\n"
    "        ship_walk_types[2] = 4;\r\n"
    "\r\n"
    "        ship_walk_graph[0] = (0)*256 + (1);\r\n"
    "        ship_walk_graph[1] = (1)*256 + (2);\r\n"
    "}\r\n";

// The sailorpoints file that the writer makes of kShipWalk.
inline constexpr char kShipSailorpoints[] =
    "\r\n"
    "[SIZE]\r\n"
    "points = 3\r\n"
    "links = 2\r\n"
    "\r\n"
    "[POINT_DATA]\r\n"
    "point 0 = 1.5,2,-0.25,10\r\n"
    "point 1 = 0,3,4,1\r\n"
    "point 2 = 2,0.5,-2,7\r\n"
    "\r\n"
    "[LINK_DATA]\r\n"
    "link 0 = 0,1\r\n"
    "link 1 = 1,2\r\n";

// The usage-error hint that ends every refused command line.
inline const std::string kHelpHint = "Run 'walkconv --help' for the commands and options.\n";

}  // namespace walkconv::testing
