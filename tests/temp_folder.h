// A fresh data folder per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace hs::testing_support {

inline std::filesystem::path FreshFolder(const std::string& tag) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = tag + "_" + info->test_suite_name() + "_" + info->name();
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    const auto folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace hs::testing_support
