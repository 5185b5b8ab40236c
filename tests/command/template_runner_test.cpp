#include "editor/command/template_runner.h"

#include <gtest/gtest.h>

#include "editor/model/column_table.h"
#include "editor/model/device_context.h"
#include "tests/support/hex.h"
#include "tests/support/object_builders.h"

namespace {

class TemplateRunner : public ::testing::Test {
  protected:
    void SetUp() override { dc.InitDeviceContext(kModelVyb3224); }

    std::vector<std::string> Steps(const std::string& text) {
        CVylColumnTable table;
        table.AppendCellsFromText("t", text);
        return *table.GetColumn("t");
    }
    std::vector<std::string> KindTemplate(int kind) {
        CVylColumnTable table;
        table.Parse(dc.GetString("cmd_extract_reference"));
        return *table.GetColumn(std::to_string(kind));
    }
    int32_t Run(const std::vector<std::string>& steps, const CVylObject& object) {
        bytes.clear();
        lengths.clear();
        return RunCommandTemplate(steps, object, dc, bytes, &lengths);
    }

    CVylDeviceContext dc;
    VyByteArray bytes;
    VyLengthArray lengths;
};

TEST_F(TemplateRunner, BoxAndLineWorkedExamples) {
    ASSERT_EQ(Run(KindTemplate(2), MakeObject(1, kObjBox, 10, 20, 100, 50)), kExtractOk);
    EXPECT_EQ(bytes, Hex("1B 42 58 0A 00 14 00 64 00 32 00"));
    EXPECT_EQ(lengths, (VyLengthArray{11}));
    ASSERT_EQ(Run(KindTemplate(3), MakeObject(1, kObjLine, 100, 5, 3, 239)), kExtractOk);
    EXPECT_EQ(bytes, Hex("1B 4C 49 64 00 05 00 03 00 EF 00"));
}

TEST_F(TemplateRunner, RegionArithmetic) {
    CVylObject object;
    object.SetCommonAttrs(1, kObjEllipse, {0, -15000, 30000, 45000});
    ASSERT_EQ(Run(Steps("rs:*:center_x|rs:*:top|rs:*:half_height|rs:*:nonsense"), object), 0);
    // (0 + 30000) / 2 = 15000 -> 1; -15000 -> -1; 60000 / 2 -> 3.
    EXPECT_EQ(bytes, Hex("01 00 FF FF 03 00"));
    EXPECT_EQ(lengths, (VyLengthArray{6}));

    // Texts and pictures drawn upwards are normalised first (they are
    // placed by their top left corner); lines keep their direction.
    CVylObject text;
    text.SetCommonAttrs(1, kObjText, {50000, 90000, 10000, 20000});
    ASSERT_EQ(Run(Steps("rs:*:left|rs:*:top"), text), 0);
    EXPECT_EQ(bytes, Hex("01 00 02 00"));
    text.SetCommonAttrs(1, kObjBitmap, {30000, 20000, 0, 0});
    ASSERT_EQ(Run(Steps("rs:*:left|rs:*:top"), text), 0);
    EXPECT_EQ(bytes, Hex("00 00 00 00"));
    text.SetCommonAttrs(1, kObjLine, {30000, 20000, 0, 0});
    ASSERT_EQ(Run(Steps("rs:*:left|rs:*:top"), text), 0);
    EXPECT_EQ(bytes, Hex("03 00 02 00"));

    // Far beyond a signed word, a side stays far off the screen.
    object.SetCommonAttrs(1, kObjBox, {65546 * kUnit, -65546 * kUnit, 5 * kUnit, 0});
    ASSERT_EQ(Run(Steps("rs:*:left|rs:*:top|rs:*:right|iv:2:big"), object), 0);
    EXPECT_EQ(bytes, Hex("FF 7F 00 80 05 00 00 00"));
}

TEST_F(TemplateRunner, IntegerSteps) {
    CVylObject object = MakeShape(1, kObjBox, 0, 0, 1, 1, "300");
    object.Unique().SetString("wide", "123456");
    ASSERT_EQ(Run(Steps("iv:1:dot_size|iv:2:wide|ic:1|iv:1:0|hx:*:0x1F|hx:*:zz"), object), 0);
    EXPECT_EQ(bytes, Hex("2C 0C 00 00 00 1F 00"));
    EXPECT_EQ(Run(Steps("esc:*:*|iv:3:dot_size"), object), kExtractBadWidth);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(Run(Steps("ic:*:5"), object), kExtractBadWidth);
}

TEST_F(TemplateRunner, LoopsRunAtLeastOnce) {
    CVylObject text = MakeObject(1, kObjText, 0, 0, 10, 10);
    text.Unique().SetString("line_content0", "A");
    text.Unique().SetString("line_content1", "B");
    ASSERT_EQ(Run(Steps("loop_start:line_count|sp:*:line_content|loop_end"), text), 0);
    EXPECT_EQ(bytes, Ascii("A"));
    text.Unique().SetString("line_count", "2");
    ASSERT_EQ(
        Run(Steps("st:*:<|loop_start:line_count|esc:*:*|sp:*:line_content|loop_end|st:*:>"), text),
        0);
    EXPECT_EQ(bytes, Concat({Ascii("<"), Hex("1B"), Ascii("A"), Hex("1B"), Ascii("B>")}));
    EXPECT_EQ(lengths, (VyLengthArray{1, 2, 3}));
}

TEST_F(TemplateRunner, BytesStepsAndCancel) {
    CVylObject bitmap = MakeObject(1, kObjBitmap, 0, 0, 10, 10);
    EXPECT_EQ(Run(KindTemplate(8), bitmap), kExtractBytesAttrMissing);
    EXPECT_TRUE(bytes.empty());
    bitmap.Unique().SetBytes("bmp_bin", CRevolver());
    ASSERT_EQ(Run(KindTemplate(8), bitmap), kExtractOk);
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(lengths.empty());
    // Bytes that are no BMP file go out as stored.
    bitmap.Unique().SetBytes("bmp_bin", CRevolver::FromBytes("raw"));
    ASSERT_EQ(Run(KindTemplate(8), bitmap), kExtractOk);
    EXPECT_EQ(bytes, Concat({Hex("1B"), Ascii("BD"), Hex("00 00 00 00 01"), Ascii("raw")}));
    EXPECT_EQ(lengths, (VyLengthArray{11}));
    bitmap.Unique().SetBytes("blob", CRevolver::FromBytes("xy"));
    ASSERT_EQ(Run(Steps("bv:*:blob~:x|bv:*:blob~other"), bitmap), kExtractOk);
    EXPECT_EQ(bytes, Ascii("xyxy"));
}

TEST_F(TemplateRunner, EmptyAndShortSteps) {
    CVylObject object = MakeObject(1, kObjBox, 0, 0, 1, 1);
    object.Unique().SetString("name", "ab");
    ASSERT_EQ(Run({"", "sv:*:name", "", "unknown:1:name", "sv:*:missing", "ic:1"}, object), 0);
    EXPECT_EQ(bytes, Hex("61 62 00"));
}

}  // namespace

namespace {

// A parsed template is run for object after object: nothing of one run may
// stay for the next, and a failed run leaves what was already there.
TEST_F(TemplateRunner, AParsedTemplateServesObjectAfterObject) {
    const CVylCommandTemplate box(KindTemplate(2));
    bytes = Hex("AA");
    lengths = {1};
    ASSERT_EQ(
        RunCommandTemplate(box, MakeObject(1, kObjBox, 10, 20, 100, 50), 0x1B, bytes, &lengths),
        kExtractOk);
    ASSERT_EQ(RunCommandTemplate(box, MakeObject(2, kObjBox, 1, 2, 3, 4), 0x1B, bytes, &lengths),
              kExtractOk);
    EXPECT_EQ(bytes, Hex("AA 1B 42 58 0A 00 14 00 64 00 32 00 1B 42 58 01 00 02 00 03 00 04 00"));
    EXPECT_EQ(lengths, (VyLengthArray{1, 11, 11}));

    const CVylCommandTemplate bad(Steps("esc|hx:*:41|ic:3:7"));
    EXPECT_EQ(RunCommandTemplate(bad, MakeObject(3, kObjBox, 0, 0, 1, 1), 0x1B, bytes, &lengths),
              kExtractBadWidth);
    EXPECT_EQ(bytes.size(), 23u);
    EXPECT_EQ(lengths, (VyLengthArray{1, 11, 11}));
}

}  // namespace
