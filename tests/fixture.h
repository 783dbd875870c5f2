// The captured console samples of tests/fixtures/zh-CN, as the program receives
// them: UTF-8 text with CR LF line ends (the files are stored with LF).
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace hs::testing {

inline std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(HS_FIXTURES_DIR) + "/zh-CN/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing sample " << name;
    std::stringstream text;
    text << in.rdbuf();
    std::string crlf;
    for (char c : text.str()) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    EXPECT_FALSE(crlf.empty()) << "empty sample " << name;
    return crlf;
}

}  // namespace hs::testing
