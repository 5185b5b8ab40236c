// A table of named text columns, and its "|"-joined text form in which the
// LCD model keeps its font and command tables.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class CVylColumnTable {
  public:
    using Column = std::vector<std::string>;

    // Replaces the table by the one the text form describes; 0 when the text
    // is malformed (the table is then empty).
    int Parse(std::string_view text);
    std::string ToText() const;

    // Appends the "|"-separated pieces of text, empty ones kept, as cells of
    // the named column (created when missing).
    void AppendCellsFromText(std::string_view name, std::string_view text);

    const Column* GetColumn(std::string_view name) const;
    // The cell, or "" when the column or the row is missing.
    std::string_view GetCell(std::string_view name, size_t row) const;
    size_t ColumnCount() const { return m_columns.size(); }
    size_t RowCount() const;
    void Clear();

  private:
    Column& Obtain(std::string_view name);

    std::vector<std::pair<std::string, Column>> m_columns;
    std::unordered_map<std::string, size_t> m_index;
};

// Splits at every separator, keeping empty pieces ("a||b" gives three).
std::vector<std::string_view> SplitKeepingEmpty(std::string_view text, char separator);
