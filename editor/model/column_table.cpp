#include "editor/model/column_table.h"

#include <algorithm>

#include "editor/tree/decimal_text.h"

std::vector<std::string_view> SplitKeepingEmpty(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

void CVylColumnTable::Clear() {
    m_columns.clear();
    m_index.clear();
}

CVylColumnTable::Column& CVylColumnTable::Obtain(std::string_view name) {
    const auto it = m_index.find(std::string(name));
    if (it != m_index.end()) {
        return m_columns[it->second].second;
    }
    m_index.emplace(std::string(name), m_columns.size());
    m_columns.emplace_back(std::string(name), Column{});
    return m_columns.back().second;
}

int CVylColumnTable::Parse(std::string_view text) {
    Clear();
    const std::vector<std::string_view> items = SplitKeepingEmpty(text, '|');
    const int32_t columns = AtoiValue(items[0]);
    if (columns == 0) {
        return 1;
    }
    const size_t cells = items.size() - 1;
    const auto n = static_cast<size_t>(columns);
    if (columns < 0 || cells % n != 0 || cells / n == 0) {
        return 0;
    }
    const size_t rows = cells / n - 1;
    for (size_t i = 0; i < n; ++i) {
        // A repeated name: the later column replaces the earlier one.
        Column& column = Obtain(items[i + 1]);
        column.clear();
        column.reserve(rows);
        for (size_t r = 1; r <= rows; ++r) {
            column.emplace_back(items[n * r + i + 1]);
        }
    }
    return 1;
}

std::string CVylColumnTable::ToText() const {
    const size_t rows = RowCount();
    if (m_columns.empty() || rows == 0) {
        return {};
    }
    std::string text = DecimalText(static_cast<int64_t>(m_columns.size()));
    for (const auto& [name, column] : m_columns) {
        text += '|';
        text += name;
    }
    for (size_t r = 0; r < rows; ++r) {
        for (const auto& [name, column] : m_columns) {
            text += '|';
            if (r < column.size()) {
                text += column[r];
            }
        }
    }
    return text;
}

void CVylColumnTable::AppendCellsFromText(std::string_view name, std::string_view text) {
    Column& column = Obtain(name);
    for (std::string_view piece : SplitKeepingEmpty(text, '|')) {
        column.emplace_back(piece);
    }
}

const CVylColumnTable::Column* CVylColumnTable::GetColumn(std::string_view name) const {
    const auto it = m_index.find(std::string(name));
    return it == m_index.end() ? nullptr : &m_columns[it->second].second;
}

std::string_view CVylColumnTable::GetCell(std::string_view name, size_t row) const {
    const Column* column = GetColumn(name);
    if (column == nullptr || row >= column->size()) {
        return {};
    }
    return (*column)[row];
}

size_t CVylColumnTable::RowCount() const {
    size_t rows = 0;
    for (const auto& [name, column] : m_columns) {
        rows = std::max(rows, column.size());
    }
    return rows;
}
