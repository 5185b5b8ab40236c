#include "editor/tree/code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, KoreanRoundTripsThroughCp949) {
    const std::string utf8 = "\xEC\x95\x88\xEB\x85\x95 A1";  // "안녕 A1"
    const std::string cp949 = Utf8ToCp949(utf8);
    EXPECT_EQ(cp949, "\xBE\xC8\xB3\xE7 A1");
    EXPECT_EQ(Cp949ToUtf8(cp949), utf8);
}

TEST(CodePage, UnrepresentableAndBrokenTextBecomesQuestionMarks) {
    // An emoji has no place in CP949; the text around it survives.
    EXPECT_EQ(Utf8ToCp949("a\xF0\x9F\x98\x80z"), "a?z");
    EXPECT_EQ(Utf8ToCp949("a\xFFz"), "a?z");
    EXPECT_EQ(Cp949ToUtf8("x\xFF"), "x?");
}

}  // namespace
