// The console samples of tests/fixtures/LANGUAGE, as the program receives them:
// UTF-8 text with CR LF line ends (the files are stored with LF).
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace hs::testing {

// A sample of the console in `language` ("zh-CN", "zh-TW", "en-US").
inline std::string FixtureIn(const std::string& language, const std::string& name) {
    std::ifstream in(std::string(HS_FIXTURES_DIR) + "/" + language + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing sample " << language << "/" << name;
    std::stringstream text;
    text << in.rdbuf();
    std::string crlf;
    for (char c : text.str()) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    EXPECT_FALSE(crlf.empty()) << "empty sample " << language << "/" << name;
    return crlf;
}

// A sample of the Simplified Chinese console.
inline std::string Fixture(const std::string& name) {
    return FixtureIn("zh-CN", name);
}

}  // namespace hs::testing
