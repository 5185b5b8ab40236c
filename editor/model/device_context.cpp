#include "editor/model/device_context.h"

#include "editor/model/vyb3224_tables.h"
#include "editor/tree/decimal_text.h"

void CVylDeviceContext::InitDeviceContext(std::string_view modelName) {
    RemoveAll();
    m_tables.reset();
    m_averageWidths.clear();
    SetString(kKeyModel, modelName);
    if (modelName != kModelVyb3224) {
        return;
    }
    SetInt(kKeyResolutionX, 320);
    SetInt(kKeyResolutionY, 240);
    SetString(kKeyKorFontSpec, vyb3224::KorFontTable().ToText());
    SetString(kKeyAlnumVarFontSpec, vyb3224::AlnumVarFontTable().ToText());
    StoreAverageWidths();
    SetString(kKeyAlnumFixFontSpec, vyb3224::kAlnumFixedWidths);
    SetInt(kKeyAlnumFontStartChar, 32);
    SetString(kKeyCmdExtractReference, vyb3224::ExtractTable().ToText());
    SetString(kKeyCmdDependenceReference, vyb3224::DependenceTable().ToText());
    SetString(kKeyCmdOptionReference, vyb3224::OptionTable().ToText());
    SetString(kKeyByteProps, vyb3224::kByteProps);
    SetString(kKeyByteColors, vyb3224::kByteColors);
    SetInt(kKeyEscapeCode, 27);
}

void CVylDeviceContext::StoreAverageWidths() {
    CVylColumnTable table;
    table.Parse(GetString(kKeyAlnumVarFontSpec));
    for (const char* size : {"10x16", "16x16", "24x24", "48x48"}) {
        const CVylColumnTable::Column* column = table.GetColumn(size);
        if (column == nullptr || column->empty()) {
            continue;
        }
        int64_t sum = 0;
        for (const std::string& cell : *column) {
            sum += AtoiValue(cell);
        }
        m_averageWidths[size] = DecimalText(sum / static_cast<int64_t>(column->size()));
    }
}

const CVylDeviceContext::FontTables& CVylDeviceContext::Tables() const {
    if (!m_tables) {
        FontTables tables;
        tables.korOk = tables.kor.Parse(GetString(kKeyKorFontSpec)) != 0;
        tables.varOk = tables.var.Parse(GetString(kKeyAlnumVarFontSpec)) != 0;
        const std::string fixedText = GetString(kKeyAlnumFixFontSpec);
        for (std::string_view piece : SplitKeepingEmpty(fixedText, '|')) {
            tables.fixed.emplace_back(piece);
        }
        m_tables = std::move(tables);
    }
    return *m_tables;
}

int32_t CVylDeviceContext::KorCell(int32_t fontIndex, std::string_view column) const {
    const FontTables& tables = Tables();
    if (!tables.korOk) {
        return -1;
    }
    if (fontIndex < 0 || static_cast<size_t>(fontIndex) >= tables.kor.RowCount()) {
        return 0;
    }
    return AtoiValue(tables.kor.GetCell(column, static_cast<size_t>(fontIndex)));
}

int32_t CVylDeviceContext::GetKorFontWidth(int32_t fontIndex) const {
    return KorCell(fontIndex, "width");
}

int32_t CVylDeviceContext::GetKorFontHeight(int32_t fontIndex) const {
    return KorCell(fontIndex, "height");
}

std::string CVylDeviceContext::GetKorFontFace(int32_t fontIndex) const {
    if (fontIndex < 0) {
        return {};
    }
    return std::string(Tables().kor.GetCell("face", static_cast<size_t>(fontIndex)));
}

std::string CVylDeviceContext::SizeKey(int32_t fontIndex) const {
    return DecimalText(GetKorFontWidth(fontIndex)) + "x" + DecimalText(GetKorFontHeight(fontIndex));
}

int32_t CVylDeviceContext::GetAlnumCharWidth(int32_t fontIndex, bool proportional,
                                             uint8_t character, bool* noEntry) const {
    if (noEntry != nullptr) {
        *noEntry = false;
    }
    const FontTables& tables = Tables();
    if (!proportional) {
        if (fontIndex < 0 || static_cast<size_t>(fontIndex) >= tables.fixed.size()) {
            return -1;
        }
        return AtoiValue(tables.fixed[static_cast<size_t>(fontIndex)]);
    }
    const int32_t korWidth = GetKorFontWidth(fontIndex);
    int32_t startChar = 0;
    if (!GetInt(kKeyAlnumFontStartChar, &startChar)) {
        return korWidth;
    }
    if (!tables.varOk || !tables.korOk) {
        return -1;
    }
    const int64_t entry = int64_t{character} - startChar;
    const std::string_view cell =
        entry < 0 ? std::string_view()
                  : tables.var.GetCell(SizeKey(fontIndex), static_cast<size_t>(entry));
    if (cell.empty()) {
        if (noEntry != nullptr) {
            *noEntry = true;
        }
        return korWidth;
    }
    return AtoiValue(cell);
}

int32_t CVylDeviceContext::GetAlnumAverageWidth(int32_t fontIndex) const {
    if (!Has(kKeyAlnumFontStartChar)) {
        return GetKorFontWidth(fontIndex);
    }
    const auto it = m_averageWidths.find(SizeKey(fontIndex));
    return it == m_averageWidths.end() ? 0 : AtoiValue(it->second);
}

std::vector<std::string> CVylDeviceContext::GetKorFontList() const {
    std::vector<std::string> list;
    const size_t rows = Tables().kor.RowCount();
    for (size_t i = 0; i < rows; ++i) {
        const auto index = static_cast<int32_t>(i);
        list.push_back(SizeKey(index) + "," + GetKorFontFace(index));
    }
    return list;
}

std::vector<std::string> CVylDeviceContext::GetAlnumModeList() {
    return {std::string(vyb3224::kModeFixed), std::string(vyb3224::kModeProportional)};
}
