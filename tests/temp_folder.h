// A fresh data folder for a test, named after the test and the process, so test
// binaries running at the same time (natively and under Wine, or two runs of one
// binary) never share files.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace hs::testing_support {

inline std::filesystem::path FreshFolder(const std::string& tag) {
    static std::atomic<int> counter{0};
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    std::string name = tag + "_" + std::to_string(pid) + "_" + std::to_string(counter++);
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        name += std::string("_") + info->test_suite_name() + "_" + info->name();
    }
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
