// A fresh virtual phone per test: its volume lives in a temporary folder of its own, removed
// afterwards, whose parent shows whether anything leaked outside the volume.
#pragma once

#include "p2kapi.h"
#include "p2kapi_test.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

constexpr int64_t kMiB = 1024 * 1024;

class PhoneTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Resets the phone onto `root_` with the given behaviour.
    void resetPhone(bool attached, unsigned attachDelayMs = 0, unsigned restartDelayMs = 60000,
                    int64_t capacityBytes = 32 * kMiB, const char* label = "E398");

    // The host file behind a phone path below "/a/".
    fs::path hostPath(const std::string& phonePath) const;

    fs::path base_;  // Holds nothing but the volume's folder.
    fs::path root_;  // The volume "/a".
};

// Bytes of all files below `folder`, and their number, as the host sees them.
int64_t hostBytes(const fs::path& folder);
int hostFileCount(const fs::path& folder);
// Every file and folder below `folder` with its size, for before/after comparisons.
std::map<fs::path, uintmax_t> snapshot(const fs::path& folder);

std::vector<unsigned char> readHostFile(const fs::path& file);
void writeHostFile(const fs::path& file, const std::string& content);
// Bytes that differ from one position to the next, so that misplaced pieces show.
std::vector<unsigned char> pattern(size_t size, unsigned seed);

std::string callLog();
// True while someone holds `file` open (as the library does with its open phone file).
bool isOpenElsewhere(const fs::path& file);
