// vylcd-cli render: the drawing as the canvas shows it, without a display.
#include "tools/cli/render_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <sstream>

#include "editor/document/object_group.h"
#include "tests/support/object_builders.h"
#include "tests/support/temp_folder.h"

namespace {

class RenderVerb : public ::testing::Test {
  protected:
    void SetUp() override {
        // One filled box from (100, 200) to (120, 220) dots, uid 7.
        CVylObjectGroup group;
        group.InsertOnTop(7, MakeShape(7, kObjFilledBox, 100, 200, 120, 220));
        CRevolver bytes;
        ASSERT_TRUE(group.ObjGroupToRevolver(bytes));
        ASSERT_TRUE(bytes.SaveToFile(drawing));
    }
    int Render(const VyRenderOptions& options, const std::string& path) {
        std::ostringstream err;
        const int code = RunRenderCommand(path, options, err);
        errors = err.str();
        return code;
    }
    // The command-line tool itself, for its argument rules.
    int Tool(const std::string& arguments) const {
        const std::string command =
            std::string(VY_CLI_PATH) + " render " + arguments + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    VyTempFolder folder;
    const std::string drawing = folder.File("box.tpl");
    const std::string png = folder.File("out.png");
    std::string errors;
};

TEST_F(RenderVerb, DrawsTheCanvasWithTheGridUnlessAsked) {
    VyRenderOptions options;
    options.pngPath = png;
    ASSERT_EQ(Render(options, drawing), 0) << errors;
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(690, 530));
    EXPECT_EQ(image.pixelColor(225 + 10, 425 + 10), QColor(0, 0, 0));
    // A grid line (every 5 dots) where no object lies.
    EXPECT_EQ(image.pixelColor(25 + 2 * 50, 25 + 2 * 50), QColor(230, 230, 230));

    options.grid = false;
    ASSERT_EQ(Render(options, drawing), 0);
    image.load(QString::fromStdString(png));
    EXPECT_NE(image.pixelColor(25 + 2 * 50, 25 + 2 * 50), QColor(230, 230, 230));
}

TEST_F(RenderVerb, SelectionMarksAndUnknownUids) {
    VyRenderOptions options;
    options.pngPath = png;
    options.grid = false;
    ASSERT_EQ(Render(options, drawing), 0);
    const QImage plain(QString::fromStdString(png));
    options.selection = {7};
    ASSERT_EQ(Render(options, drawing), 0);
    const QImage marked(QString::fromStdString(png));
    // Handle 1 of the box, 8 pixels out from its top left corner, inverted.
    const QColor under = plain.pixelColor(217, 417);
    EXPECT_EQ(marked.pixelColor(217, 417),
              QColor(255 - under.red(), 255 - under.green(), 255 - under.blue()));

    options.selection = {7, 99};
    EXPECT_EQ(Render(options, drawing), 1);
    EXPECT_NE(errors.find("99"), std::string::npos);
    EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

TEST_F(RenderVerb, ExitCodes) {
    VyRenderOptions options;
    options.pngPath = png;
    EXPECT_EQ(Render(options, folder.File("missing.vyd")), 1);
    options.pngPath = folder.File("no/such/folder/out.png");
    EXPECT_EQ(Render(options, drawing), 1);

    EXPECT_EQ(Tool(drawing + " --png " + png + " --size 345x265 --select all --no-grid"), 0);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(345, 265));
    EXPECT_EQ(Tool(drawing), 2);
    EXPECT_EQ(Tool(drawing + " --png " + png + " --size 0x5"), 2);
    EXPECT_EQ(Tool(drawing + " --png " + png + " --size 20"), 2);
    EXPECT_EQ(Tool(drawing + " --png " + png + " --select 1,x"), 2);
    EXPECT_EQ(Tool(drawing + " --png " + png + " --select 7"), 0);
}

}  // namespace
