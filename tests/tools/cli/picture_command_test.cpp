// vylcd-cli picture: a picture file turned into a template of one bitmap.
#include "tools/cli/picture_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "editor/command/bitmap_source.h"
#include "editor/document/template_files.h"
#include "editor/image/bmp_codec.h"
#include "tests/support/claimed_pictures.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

class PictureVerb : public ::testing::Test {
  protected:
    // A photo-like picture: every pixel its own colour.
    std::string Photo(int width, int height, const char* name = "photo.png") {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, qRgb(x * 255 / width, (x + y) % 256, y * 255 / height));
            }
        }
        const std::string path = folder.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        return path;
    }
    int Picture(const std::string& image, const VyPictureOptions& options) {
        std::ostringstream err;
        const int code = RunPictureCommand(image, options, err);
        errors = err.str();
        return code;
    }
    VyPictureOptions To(const std::string& out) const {
        VyPictureOptions options;
        options.outPath = out;
        return options;
    }
    // The template's only object, read as the editor reads templates.
    CVylObject Bitmap(const std::string& path) {
        CVylObjectGroup group;
        EXPECT_EQ(LoadTemplate(path, group), 1) << path;
        EXPECT_EQ(group.GetZOrderList().size(), 1u);
        const CVylObject* object =
            group.GetZOrderList().empty() ? nullptr : group.GetByObjUid(group.GetZOrderList()[0]);
        return object != nullptr ? *object : CVylObject();
    }
    static std::string Bytes(const CVylObject& object, std::string_view key) {
        const CRevolver* bytes = object.Unique().FindBytes(key);
        return bytes != nullptr ? bytes->ToString() : std::string();
    }
    // The tool itself, for its argument rules; what it says goes to errors.
    int Tool(const std::string& arguments) {
        const std::string said = folder.File("said.txt");
        const std::string command =
            std::string(VY_CLI_PATH) + " " + arguments + " >/dev/null 2>" + said;
        const int status = std::system(command.c_str());
        errors = ReadWholeFile(said);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    VyTempFolder folder;
    const std::string out = folder.File("picture.tpl");
    std::string errors;
};

TEST_F(PictureVerb, PicturesShrinkToTheLcdAsInTheEditor) {
    ASSERT_EQ(Picture(Photo(640, 480), To(out)), 0) << errors;
    const CVylObject bitmap = Bitmap(out);
    EXPECT_EQ(bitmap.GetKind(), kObjBitmap);
    EXPECT_EQ(bitmap.GetRegion(), (VyRect{0, 0, 319 * 10000, 239 * 10000}));
    const std::string source = Bytes(bitmap, kKeyBmpSource);
    const std::optional<VyRaster> grey = DecodeBmp(source);
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->bitsPerPixel, 8);
    const std::optional<VyRaster> bits = DecodeBmp(Bytes(bitmap, kKeyBmpBin));
    ASSERT_TRUE(bits);
    EXPECT_EQ(bits->bitsPerPixel, 1);
    EXPECT_EQ(bits->width, 320);
    EXPECT_EQ(bits->height, 240);
    EXPECT_EQ(ReductionOf(bitmap.Unique()), VyReduction());
    EXPECT_EQ(Bytes(bitmap, kKeyBmpBin), ReducePictureFile(source, {}));

    // Tall pictures keep their aspect; small ones are never enlarged.
    ASSERT_EQ(Picture(Photo(100, 400), To(out)), 0) << errors;
    EXPECT_EQ(Bitmap(out).GetRegion(), (VyRect{0, 0, 59 * 10000, 239 * 10000}));
    ASSERT_EQ(Picture(Photo(50, 40), To(out)), 0) << errors;
    EXPECT_EQ(Bitmap(out).GetRegion(), (VyRect{0, 0, 49 * 10000, 39 * 10000}));
}

TEST_F(PictureVerb, TheSizeAndTheReductionAsked) {
    VyPictureOptions options = To(out);
    options.size = {100, 50};
    options.reduction = {VyDither::kOrdered, 128, true};
    ASSERT_EQ(Picture(Photo(640, 480), options), 0) << errors;
    const CVylObject bitmap = Bitmap(out);
    EXPECT_EQ(bitmap.GetRegion(), (VyRect{0, 0, 99 * 10000, 49 * 10000}));
    EXPECT_EQ(bitmap.Unique().GetString(kKeyBmpDither), "ordered");
    EXPECT_EQ(bitmap.Unique().GetString(kKeyBmpInvert), "1");
    EXPECT_EQ(Bytes(bitmap, kKeyBmpBin),
              ReducePictureFile(Bytes(bitmap, kKeyBmpSource), {VyDither::kOrdered, 128, true}));

    options.size = {};
    options.reduction = {VyDither::kThreshold, 40, false};
    ASSERT_EQ(Picture(Photo(64, 64), options), 0) << errors;
    const CVylObject light = Bitmap(out);
    EXPECT_EQ(light.Unique().GetString(kKeyBmpLevel), "40");
    EXPECT_NE(Bytes(light, kKeyBmpBin), ReducePictureFile(Bytes(light, kKeyBmpSource), {}));
}

TEST_F(PictureVerb, UnreadablePicturesSayWhy) {
    EXPECT_EQ(Picture(folder.File("none.png"), To(out)), 1);
    EXPECT_NE(errors.find("none.png: cannot read the file"), std::string::npos) << errors;
    const std::string junk = folder.File("junk.png");
    std::ofstream(junk) << "not a picture";
    EXPECT_EQ(Picture(junk, To(out)), 1);
    EXPECT_NE(errors.find("junk.png: not a picture of a supported format"), std::string::npos)
        << errors;
    const std::string huge = folder.File("huge.png");
    std::ofstream(huge, std::ios::binary) << PngClaiming(20000, 20000);
    EXPECT_EQ(Picture(huge, To(out)), 1);
    EXPECT_NE(errors.find("huge.png: the picture is too large (20000 x 20000 pixels); pictures "
                          "of at most 16384 x 16384 = 268,435,456 pixels can be read"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(std::ifstream(out).good()) << "no template of a failed picture";
    EXPECT_EQ(Picture(Photo(20, 20), To(folder.File("no/such/folder/x.tpl"))), 1);
    EXPECT_NE(errors.find("cannot write the template"), std::string::npos) << errors;
}

TEST_F(PictureVerb, TheToolsArgumentsAndExitCodes) {
    const std::string photo = Photo(200, 100);
    ASSERT_EQ(Tool("picture " + photo + " --out " + out +
                   " --size 40x20 --dither floyd-steinberg --invert"),
              0)
        << errors;
    EXPECT_EQ(Bitmap(out).GetRegion(), (VyRect{0, 0, 39 * 10000, 19 * 10000}));
    EXPECT_EQ(ReductionOf(Bitmap(out).Unique()),
              (VyReduction{VyDither::kFloydSteinberg, 128, true}));
    // The template is a drawing the other verbs take: one bitmap command.
    ASSERT_EQ(Tool("bytes " + out), 0) << errors;
    ASSERT_EQ(Tool("picture " + photo + " --out " + out + " --level 200"), 0) << errors;
    EXPECT_EQ(Bitmap(out).Unique().GetString(kKeyBmpLevel), "200");

    const struct {
        std::string arguments;
        std::string said;
    } refused[] = {
        {"picture " + photo, "picture needs --out FILE.tpl"},
        {"picture " + photo + " --out", "--out needs a value"},
        {"picture " + photo + " --out " + out + " --size 321x10", "--size 321x10: WxH"},
        {"picture " + photo + " --out " + out + " --size 0x10", "--size 0x10: WxH"},
        {"picture " + photo + " --out " + out + " --size 20", "--size 20: WxH"},
        {"picture " + photo + " --out " + out + " --dither bayer", "--dither bayer: threshold"},
        {"picture " + photo + " --out " + out + " --level 0", "--level 0: a whole number"},
        {"picture " + photo + " --out " + out + " --level 256", "--level 256: a whole number"},
        {"picture " + photo + " --out " + out + " --grey", "unknown option --grey"},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(Tool(r.arguments), 2) << r.arguments;
        EXPECT_NE(errors.find("vylcd-cli: " + r.said), std::string::npos) << errors;
        EXPECT_NE(errors.find("usage: vylcd-cli"), std::string::npos) << errors;
    }
    EXPECT_EQ(Tool("picture"), 2);
    EXPECT_EQ(Tool("picture " + folder.File("none.png") + " --out " + out), 1);
    EXPECT_NE(errors.find("cannot read the file"), std::string::npos) << errors;
}

}  // namespace
