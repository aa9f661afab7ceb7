#pragma once

#include "settings/Profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

namespace pexa::test {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder under the system's temporary folder with the profile pointed at
// "pexa.ini" in it, removed with everything in it afterwards.
class ProfileFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "pexa-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/pexa.ini";
        override_ = std::make_unique<ProfilePathOverride>(path_);
    }

    void TearDown() override {
        override_.reset();
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(dir_);
    }

    void SetFile(const std::string& bytes) { WriteBytes(path_, bytes); }
    std::string File() const { return ReadBytes(path_); }

    // Names of every entry in the folder, to see that no temporary file stays behind.
    std::string FolderListing() const {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names += entry.path().filename().string() + ";";
        return names;
    }

    std::string dir_;
    std::string path_;
    std::unique_ptr<ProfilePathOverride> override_;
};

} // namespace pexa::test
