// Fixture files of the tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string FixturePath(const std::string& relative) {
    return std::string(VY_TEST_DATA) + "/" + relative;
}

inline std::string ReadFixture(const std::string& relative) {
    std::ifstream in(FixturePath(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
