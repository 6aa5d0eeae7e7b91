// Removes the staging file on the way out unless it took the settings file's place. Armed only
// once the file is ours: something already in the way (a folder, say) is not ours to remove.
#pragma once

#include <filesystem>
#include <system_error>
#include <utility>

namespace tonvale {

class StagingCleanup {
  public:
    StagingCleanup() = default;
    StagingCleanup(const StagingCleanup&) = delete;
    StagingCleanup& operator=(const StagingCleanup&) = delete;
    ~StagingCleanup() {
        if (!staging_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(staging_, ignored);
        }
    }
    void arm(std::filesystem::path staging) { staging_ = std::move(staging); }
    void release() { staging_.clear(); }

  private:
    std::filesystem::path staging_;
};

}  // namespace tonvale
