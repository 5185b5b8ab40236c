#include "editor/tree/revolver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

TEST(Revolver, GrowthFollowsTheStepRule) {
    CRevolver buffer;
    EXPECT_EQ(buffer.GetCapacity(), 0);
    EXPECT_EQ(buffer.GetGrowthStep(), 256);
    const std::string hundred(100, 'a');
    ASSERT_TRUE(buffer.Append(hundred));
    EXPECT_EQ(buffer.GetCapacity(), 256);
    EXPECT_EQ(buffer.GetGrowthStep(), 64);
    ASSERT_TRUE(buffer.Append(std::string(200, 'b')));
    // 300 bytes needed: 256 + 64 x ceil(44 / 64) = 320, step 80.
    EXPECT_EQ(buffer.GetCapacity(), 320);
    EXPECT_EQ(buffer.GetGrowthStep(), 80);
    EXPECT_EQ(buffer.View(), hundred + std::string(200, 'b'));
}

// Readers load whole vectors at any byte of a buffer: past its last byte
// there is always room, given a value. (Under the address sanitizer a
// missing room is also reported as a read out of bounds.)
TEST(Revolver, BytesAreFollowedByRoomToReadAhead) {
    for (int32_t size = 1; size <= 40; ++size) {
        const std::string bytes(static_cast<size_t>(size), 'b');
        const CRevolver exact = CRevolver::FromBytes(bytes);
        ASSERT_EQ(exact.GetCapacity(), size);
        CRevolver grown;
        ASSERT_TRUE(grown.Append(bytes));
        const CRevolver slice = exact.Slice(size - 1, 1);
        const CRevolver* buffers[] = {&exact, &grown, &slice};
        for (const CRevolver* buffer : buffers) {
            const char* end = buffer->View().data() + buffer->View().size();
            volatile char sum = 0;
            for (int32_t i = 0; i < CRevolver::kReadAhead; ++i) {
                sum = static_cast<char>(sum + end[i]);
            }
        }
        for (int32_t i = 0; i < CRevolver::kReadAhead; ++i) {
            EXPECT_EQ(exact.View().data()[size + i], 0) << size << " bytes, " << i << " on";
        }
    }
}

TEST(Revolver, ReserveRules) {
    CRevolver buffer = CRevolver::FromBytes("abc");
    EXPECT_FALSE(buffer.Reserve(0, 5));
    EXPECT_EQ(buffer.View(), "abc");
    ASSERT_TRUE(buffer.Reserve(10, 0));
    EXPECT_EQ(buffer.GetLength(), 0);
    EXPECT_EQ(buffer.GetGrowthStep(), 2);
    ASSERT_TRUE(buffer.Reserve(3, 0));
    EXPECT_EQ(buffer.GetGrowthStep(), 1);
    buffer.Clear();
    EXPECT_EQ(buffer.GetCapacity(), 0);
    EXPECT_EQ(buffer.GetGrowthStep(), 1);
}

TEST(Revolver, PeekAndReadBounds) {
    const CRevolver buffer = CRevolver::FromBytes("hello");
    char out[8] = {};
    EXPECT_TRUE(buffer.Peek(out, 0, 5));
    EXPECT_FALSE(buffer.Peek(out, 0, 6));
    EXPECT_FALSE(buffer.Peek(out, 3, 3));
    EXPECT_FALSE(buffer.Peek(out, -1, 1));
    ASSERT_TRUE(buffer.Peek(out, -1, 0));
    EXPECT_EQ(std::string(out, 5), "hello");
    int32_t cursor = 1;
    ASSERT_TRUE(buffer.Read(&cursor, out, 3));
    EXPECT_EQ(cursor, 4);
    EXPECT_EQ(std::string(out, 3), "ell");
    EXPECT_FALSE(buffer.Read(&cursor, out, 2));
    EXPECT_EQ(cursor, 4);
    EXPECT_FALSE(CRevolver().Append("x", -1));
}

TEST(Revolver, AppendFromAndAssignment) {
    const CRevolver source = CRevolver::FromBytes("0123456789");
    CRevolver target;
    ASSERT_TRUE(target.AppendFrom(source, 7, -1));
    ASSERT_TRUE(target.AppendFrom(source, 0, 2));
    EXPECT_EQ(target.View(), "78901");
    EXPECT_FALSE(target.AppendFrom(source, 9, 2));
    EXPECT_EQ(target.View(), "78901");
    ASSERT_TRUE(target.AppendFrom(target, 0, -1));
    EXPECT_EQ(target.View(), "7890178901");
    target = source;
    EXPECT_EQ(target.View(), source.View());
}

TEST(Revolver, FilesRoundTripAndKeepOldContentOnFailure) {
    VyTempFolder dir;
    const std::string path = dir.File("data.bin");
    const CRevolver data = CRevolver::FromBytes(std::string("a\0b", 3));
    ASSERT_TRUE(data.SaveToFile(path));
    CRevolver back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.View(), data.View());
    EXPECT_FALSE(back.LoadFromFile(dir.File("missing.bin")));
    EXPECT_EQ(back.GetLength(), 0);
    EXPECT_FALSE(data.SaveToFile(dir.File("no_such_dir/x.bin")));

    std::FILE* file = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(CRevolver::FromBytes("zz").WriteTo(file, true));
    CRevolver middle;
    ASSERT_TRUE(middle.ReadFrom(file, 2, 2));
    EXPECT_EQ(middle.View(), "bz");
    EXPECT_FALSE(middle.ReadFrom(file, 4, 5));
    std::fclose(file);
}

}  // namespace
