#include "editor/model/column_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnTable, TextFormRoundTripPadsShortColumns) {
    CVylColumnTable table;
    table.AppendCellsFromText("a", "1|2|3");
    table.AppendCellsFromText("b", "x");
    EXPECT_EQ(table.ToText(), "2|a|b|1|x|2||3|");
    CVylColumnTable back;
    ASSERT_TRUE(back.Parse(table.ToText()));
    EXPECT_EQ(back.RowCount(), 3u);
    EXPECT_EQ(back.GetColumn("b")->size(), 3u);
    EXPECT_EQ(back.GetCell("b", 2), "");
    EXPECT_EQ(back.GetCell("a", 2), "3");
    EXPECT_EQ(back.GetCell("missing", 0), "");
}

TEST(ColumnTable, ParseRules) {
    CVylColumnTable table;
    EXPECT_TRUE(table.Parse("0"));
    EXPECT_EQ(table.ColumnCount(), 0u);
    EXPECT_TRUE(table.Parse(""));
    EXPECT_TRUE(table.Parse("1|only"));
    EXPECT_EQ(table.GetColumn("only")->size(), 0u);
    EXPECT_FALSE(table.Parse("2|a|b|1"));
    EXPECT_EQ(table.ColumnCount(), 0u);
    EXPECT_FALSE(table.Parse("3|a|b"));
    EXPECT_FALSE(table.Parse("-1|a"));
    ASSERT_TRUE(table.Parse("2|a|a|1|2"));
    EXPECT_EQ(table.ColumnCount(), 1u);
    EXPECT_EQ(table.GetCell("a", 0), "2");
    EXPECT_TRUE(table.Parse("2|a|b||||"));
    EXPECT_EQ(table.GetColumn("a")->size(), 2u);
}

TEST(ColumnTable, EmptyTableWritesEmptyText) {
    CVylColumnTable table;
    EXPECT_EQ(table.ToText(), "");
    table.AppendCellsFromText("a", "");
    table.Clear();
    EXPECT_EQ(table.ToText(), "");
}

}  // namespace
