#include "editor/command/extract_context.h"

#include <gtest/gtest.h>

#include "editor/command/text_layout.h"
#include "tests/support/hex.h"
#include "tests/support/object_builders.h"

namespace {

class Extraction : public ::testing::Test {
  protected:
    void SetUp() override { dc.InitDeviceContext(kModelVyb3224); }

    int32_t Extract() {
        context.Init(&dc, &source);
        context.ExtractCmdByteArrayAndAppend(bytes, &lengths);
        return context.GetStatus();
    }

    CVylDeviceContext dc;
    VectorObjectSource source;
    CVylCmdExtractContext context;
    VyByteArray bytes;
    VyLengthArray lengths;
};

TEST_F(Extraction, BoxWithItsStateCommands) {
    source.Add(MakeShape(1, kObjBox, 10, 20, 100, 50));
    ASSERT_EQ(Extract(), kExtractOk);
    EXPECT_EQ(bytes,
              Hex("1B 44 53 01 00 1B 4C 53 00 1B 53 43 01 1B 42 58 0A 00 14 00 64 00 32 00"));
    EXPECT_EQ(lengths, (VyLengthArray{5, 4, 4, 11}));

    // Unchanged states are not sent again within one context.
    bytes.clear();
    lengths.clear();
    context.ExtractCmdByteArrayAndAppend(bytes, &lengths);
    EXPECT_EQ(bytes, Hex("1B 42 58 0A 00 14 00 64 00 32 00"));
    EXPECT_EQ(lengths, (VyLengthArray{11}));
}

TEST_F(Extraction, OnlyChangedStatesPrecedeLaterObjects) {
    source.Add(MakeShape(1, kObjBox, 10, 20, 100, 50));
    source.Add(MakeShape(2, kObjBox, 10, 20, 100, 50));
    source.Add(MakeShape(3, kObjFilledBox, 1, 2, 3, 4));
    source.Add(MakeShape(4, kObjEllipse, 0, 0, 20, 10, "2", "0", "3"));
    ASSERT_EQ(Extract(), kExtractOk);
    EXPECT_EQ(lengths, (VyLengthArray{5, 4, 4, 11, 11, 12, 5, 4, 4, 11}));
    const VyByteArray tail(bytes.end() - 24, bytes.end());
    EXPECT_EQ(tail, Hex("1B 44 53 02 00 1B 4C 53 03 1B 53 43 00 1B 45 4C 0A 00 05 00 0A 00 05 00"));
}

TEST_F(Extraction, TextLinesBecomePositionAndPrintCommands) {
    CVylObject text = MakeObject(1, kObjText, 10, 20, 200, 100);
    text.Unique().SetString("text_content", "AB\r\n\xC7\xD1");
    text.Unique().SetString("kor_font_index", "3");
    text.Unique().SetString("alnum_font_index", "1");
    text.Unique().SetString("bold_state", "1");
    PrepareTextLines(text, dc);
    source.Add(text);
    ASSERT_EQ(Extract(), kExtractOk);
    EXPECT_EQ(bytes, Concat({Hex("1B 46 53 01 00 00 1B 46 4F 03 01"), Hex("1B 47 4C 0A 00 14 00"),
                             Hex("1B"), Ascii("PRAB"), Hex("00 1B 47 4C 0A 00 24 00 1B"),
                             Ascii("PR"), Hex("C7 D1 00")}));
    EXPECT_EQ(lengths, (VyLengthArray{6, 5, 7, 6, 7, 6}));
}

TEST_F(Extraction, BitmapWithoutPictureAndArc) {
    CVylObject bitmap = MakeObject(1, kObjBitmap, 0, 0, 10, 10);
    bitmap.Unique().SetBytes("bmp_bin", CRevolver());
    source.Add(bitmap);
    CVylObject arc = MakeShape(2, kObjArc, 0, 0, 40, 40);
    arc.Unique().SetString("start_angle", "900000");
    arc.Unique().SetString("end_angle", "1800000");
    source.Add(arc);
    ASSERT_EQ(Extract(), kExtractOk);
    EXPECT_EQ(bytes, Hex("1B 44 53 01 00 1B 53 43 01 1B 41 52 14 00 14 00 14 00 5A 00 B4 00"));
    EXPECT_EQ(lengths, (VyLengthArray{5, 4, 13}));
}

TEST_F(Extraction, EmptyGroupChangesNothing) {
    bytes = {1, 2};
    ASSERT_EQ(Extract(), kExtractOk);
    EXPECT_EQ(bytes, (VyByteArray{1, 2}));
    EXPECT_TRUE(lengths.empty());
}

TEST_F(Extraction, FailuresKeepWhatEarlierObjectsMade) {
    source.Add(MakeShape(1, kObjBox, 10, 20, 100, 50));
    source.Add(MakeObject(2, kObjBitmap, 0, 0, 1, 1));
    EXPECT_EQ(Extract(), kExtractBytesAttrMissing);
    EXPECT_EQ(lengths, (VyLengthArray{5, 4, 4, 11}));

    VectorObjectSource missing;
    missing.Add(MakeShape(1, kObjBox, 10, 20, 100, 50));
    missing.AddOrderOnly(99);
    CVylCmdExtractContext fresh;
    fresh.Init(&dc, &missing);
    bytes.clear();
    fresh.ExtractCmdByteArrayAndAppend(bytes, nullptr);
    EXPECT_EQ(fresh.GetStatus(), kExtractObjectMissing);
    EXPECT_EQ(bytes.size(), 24u);
}

TEST_F(Extraction, MissingTemplatesReportTheirCodes) {
    source.Add(MakeObject(1, 12, 0, 0, 1, 1));
    EXPECT_EQ(Extract(), kExtractNoExtractTemplate);

    CVylDeviceContext noOptions = dc;
    noOptions.SetString("cmd_option_reference", "1|color_switch|esc:*:*");
    VectorObjectSource box;
    box.Add(MakeShape(1, kObjBox, 0, 0, 1, 1));
    context.Init(&noOptions, &box);
    context.ExtractCmdByteArrayAndAppend(bytes, &lengths);
    EXPECT_EQ(context.GetStatus(), kExtractNoOptionTemplate);

    CVylDeviceContext other;
    other.InitDeviceContext("OTHER");
    context.Init(&other, &box);
    context.ExtractCmdByteArrayAndAppend(bytes, &lengths);
    EXPECT_EQ(context.GetStatus(), kExtractNoExtractTemplate);
}

}  // namespace
