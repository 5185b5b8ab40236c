#include "editor/document/template_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/document/paste.h"
#include "editor/tree/code_page.h"
#include "tests/support/object_builders.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int32_t U = kUnit;

class TemplateFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        drawing.InsertOnTop(17, MakeShape(17, kObjBox, 5, 8, 20, 30));
        drawing.InsertOnTop(3, MakeShape(3, kObjLine, 40, 60, 9, 10));
        drawing.InsertOnTop(4, MakeShape(4, kObjBox, 0, 0, 1, 1));
    }

    VyTempFolder m_temp;
    // Not made here: saving makes it.
    const std::string folder = m_temp.File("sys100");
    CVylObjectGroup drawing;
};

TEST_F(TemplateFiles, SavedObjectsStartAtTheOriginWithUidsFromZero) {
    ASSERT_EQ(SaveTemplate(folder, "  frame \r\n", drawing, {17, 3}), VyTemplateSave::kSaved);
    CVylObjectGroup loaded;
    ASSERT_TRUE(LoadTemplate(TemplateFilePath(folder, "frame"), loaded));
    EXPECT_EQ(loaded.GetZOrderList(), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(loaded.GetRegion(0), (VyRect{0, 0, 15 * U, 22 * U}));
    EXPECT_EQ(loaded.GetRegion(1), (VyRect{35 * U, 52 * U, 4 * U, 2 * U}));

    ASSERT_EQ(SaveTemplate(folder, "one", drawing, {17}), VyTemplateSave::kSaved);
    ASSERT_TRUE(LoadTemplate(TemplateFilePath(folder, "one"), loaded));
    EXPECT_EQ(loaded.GetZOrderList(), (std::vector<int32_t>{0}));
    EXPECT_EQ(loaded.GetByObjUid(0)->GetUid(), 0);
}

TEST_F(TemplateFiles, NamesThatAreRefused) {
    EXPECT_EQ(SaveTemplate(folder, "   ", drawing, {17}), VyTemplateSave::kEmptyName);
    EXPECT_EQ(SaveTemplate(folder, "a/b", drawing, {17}), VyTemplateSave::kBadCharacter);
    EXPECT_EQ(SaveTemplate(folder, "a|b", drawing, {17}), VyTemplateSave::kBadCharacter);
    ASSERT_EQ(SaveTemplate(folder, "a.b", drawing, {17}), VyTemplateSave::kSaved);
    EXPECT_TRUE(std::filesystem::exists(folder + "/a.b.tpl"));
    EXPECT_EQ(SaveTemplate(folder, "a.b", drawing, {3}), VyTemplateSave::kExists);
    CVylObjectGroup kept;
    ASSERT_TRUE(LoadTemplate(folder + "/a.b.tpl", kept));
    EXPECT_EQ(kept.GetByObjUid(0)->GetKind(), kObjBox);

    const std::string notice = TemplateSaveNotice(VyTemplateSave::kBadCharacter);
    EXPECT_EQ(notice.substr(notice.size() - 34),
              "\r\n" + std::string(15, ' ') + "\\ / : * ? \" < > |");
    EXPECT_EQ(TemplateSaveNotice(VyTemplateSave::kSaved), "");
    EXPECT_EQ(TemplateSaveNotice(VyTemplateSave::kExists),
              Utf8ToCp949("이미 존재하는 템플릿 이름입니다."));
    EXPECT_EQ(kNoticeTemplateLoadFailed, Utf8ToCp949("템플릿을 로드할 수 없습니다."));
}

TEST_F(TemplateFiles, ListingTakesTplFilesInAnyCase) {
    std::filesystem::create_directories(folder + "/sub.tpl");
    for (const char* name : {"b.tpl", "X.TPL", "a.Tpl", "notes.txt", "tpl"}) {
        std::ofstream(folder + "/" + name) << "x";
    }
    EXPECT_EQ(ListTemplates(folder), (std::vector<std::string>{"X", "a", "b"}));
    EXPECT_TRUE(ListTemplates(folder + "/missing").empty());
    CVylObjectGroup group;
    EXPECT_FALSE(LoadTemplate(folder + "/b.tpl", group));
    EXPECT_FALSE(LoadTemplate(folder + "/none.tpl", group));
    // A listed name finds its file whatever the case of its extension, and
    // a new template of that name is refused rather than shown twice.
    EXPECT_EQ(TemplateFilePath(folder, "X"), folder + "/X.TPL");
    EXPECT_EQ(TemplateFilePath(folder, "none"), folder + "/none.tpl");
    EXPECT_EQ(SaveTemplate(folder, "X", CVylObjectGroup(), {}), VyTemplateSave::kExists);
}

TEST_F(TemplateFiles, PastingTwiceGivesIndependentCopies) {
    CVylEditActionGroup history;
    *history.ObjectCounter() = 20;
    CVylObjectGroup single;
    single.InsertOnTop(0, MakeShape(0, kObjBox, 1, 1, 2, 2));
    EXPECT_EQ(PasteFromObjectGroup(history, single), (VyUidSet{20}));
    EXPECT_EQ(history.GetAction(0).kind, kActCreate);
    EXPECT_EQ(history.GetAction(0).swift, 0);
    EXPECT_EQ(PasteFromObjectGroup(history, drawing), (VyUidSet{21, 22, 23}));
    EXPECT_EQ(PasteFromObjectGroup(history, drawing), (VyUidSet{24, 25, 26}));
    EXPECT_EQ(history.GetAction(2).kind, kActCreateMulti);
    EXPECT_TRUE(PasteFromObjectGroup(history, CVylObjectGroup()).empty());
    EXPECT_EQ(history.GetCount(), 3u);
    CVylObjectGroup result;
    ASSERT_TRUE(result.CreateObjectGroupFromEditActionGroup(history));
    EXPECT_EQ(result.GetCount(), 7u);
    EXPECT_EQ(result.GetRegion(22), drawing.GetRegion(3));
}

}  // namespace
