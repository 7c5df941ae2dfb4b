// Every test of the windows' behaviour keeps the journals of unsaved edits in a folder of its
// own, made for the run and removed after it, so that no test reads, writes or removes a journal
// among the settings of the user running the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "core/platform/settings_folder.h"
#include "support/temp_dir.h"

namespace walkconv::testing {
namespace {

class JournalSandbox : public ::testing::Environment {
  public:
    void SetUp() override {
        folder_ = std::make_unique<TempDir>();
        const std::string path = (folder_->path() / "journal").string();
#ifdef _WIN32
        _putenv_s(kJournalFolderVariable, path.c_str());
#else
        setenv(kJournalFolderVariable, path.c_str(), 1);
#endif
    }
    void TearDown() override {
        folder_.reset();
    }

  private:
    std::unique_ptr<TempDir> folder_;
};

[[maybe_unused]] const ::testing::Environment* const kSandbox =
    ::testing::AddGlobalTestEnvironment(new JournalSandbox);

}  // namespace
}  // namespace walkconv::testing
