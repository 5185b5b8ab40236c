// Fixture files of the tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string FixturePath(const std::string& relative) {
    return std::string(VY_TEST_DATA) + "/" + relative;
}

// A file's bytes, none when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string ReadFixture(const std::string& relative) {
    return ReadWholeFile(FixturePath(relative));
}
