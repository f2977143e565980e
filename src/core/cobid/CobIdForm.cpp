#include "cobid/CobIdForm.h"

#include "platform/AppError.h"
#include "platform/Ports.h"
#include "text/IntegerText.h"
#include "workspace/Workspace.h"
#include "xmlfile/XmlFile.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zantor {

namespace {

constexpr std::array<const char*, CobIdForm::kTableCount> kErrorPrefixes = {
    "Table Can0 to Can1. Error in row ",
    "Table Can1 to Can0. Error in row ",
};

Direction DirectionOf(std::size_t table) {
    return table == 0 ? Direction::Can0_to_Can1 : Direction::Can1_to_Can0;
}

struct Limit {
    std::int32_t max;
    const char* rangeText;
};

std::optional<Limit> LimitFor(int networkType) {
    switch (networkType) {
    case 0:
        return Limit{0x7FF, ". The CobID must between 0x000 and 0x7FF"};
    case 1:
        return Limit{0x1FFFFFFF, ". The CobID must between 0x0000 0000 and 0x1FFF FFFF"};
    default:
        return std::nullopt;
    }
}

bool NeedsQuotes(const std::string& cell) {
    return cell.find_first_of("\t\r\n\"") != std::string::npos;
}

// Tab-separated text as spreadsheets put it on the clipboard: one line per row, a trailing line
// end adds no row, and a field that starts with a quote runs to its closing quote ("" is a quote).
std::vector<std::vector<std::string>> ParseTabText(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool fieldStart = true;
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStart = true;
    };
    auto endRow = [&] {
        endField();
        rows.push_back(std::move(row));
        row.clear();
    };
    while (i < n) {
        char c = text[i];
        if (fieldStart && c == '"') {
            fieldStart = false;
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            continue;
        }
        fieldStart = false;
        if (c == '\t') {
            endField();
            ++i;
        } else if (c == '\r' || c == '\n') {
            endRow();
            i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
        } else {
            field += c;
            ++i;
        }
    }
    // The last line needs no line end; a text ending with one has no further row.
    if (!fieldStart || !row.empty()) endRow();
    return rows;
}

} // namespace

const std::array<const char*, CobIdForm::kColumnCount> CobIdForm::kColumnTitles = {
    "N°", "Original CobID", "Modify CobID", "Description"};

const std::array<const char*, CobIdForm::kTableCount> CobIdForm::kTabCaptions = {"Device 0 to Device 1",
                                                                                 "Device 1 to Device 0"};

CobIdForm::CobIdForm(Workspace& workspace, Prompter& prompter) : workspace_(workspace), prompter_(prompter) {}

void CobIdForm::FormShow() {
    compileVisible_ = workspace_.networkType == 0;
    // Another network type keeps the grids as they were, like the window always did.
    if (std::size_t rows = RowsForNetworkType(workspace_.networkType); rows != 0) {
        for (DirectionTable& grid : grids_) {
            grid.assign(rows, CobIdPair{});
        }
    }
    modifyReadOnly_ = !workspace_.positive;
    LoadTables();
}

void CobIdForm::LoadTables() {
    std::error_code ec;
    if (!std::filesystem::exists(workspace_.state.paths.cobid, ec)) return;
    try {
        ReadTables();
    } catch (const std::exception&) {
        // Pressing OK after a silent partial read would overwrite the rest of the file with
        // empty rows, so the user is told.
        prompter_.Message(xml::kReadError);
    }
}

void CobIdForm::ReadTables() {
    pugi::xml_document doc;
    xml::Load(doc, workspace_.state.paths.cobid);
    for (std::size_t table = 0; table < kTableCount; ++table) {
        pugi::xml_node row = FindDirection(doc, DirectionOf(table)).first_child();
        for (CobIdPair& cells : grids_[table]) {
            if (!row) {
                cells = CobIdPair{};
                continue;
            }
            // Cell by cell, so a row failing on Mod_CobID keeps its original already shown.
            cells.original = xml::RequiredAttribute(row, "Orig_CobID");
            cells.modified = xml::RequiredAttribute(row, "Mod_CobID");
            cells.description = row.attribute("Desc").value();
            row = row.next_sibling();
        }
    }
}

std::optional<CobIdForm::CheckError> CobIdForm::ValidateTables() const {
    std::optional<Limit> limit = LimitFor(workspace_.networkType);
    if (!limit) return std::nullopt;
    for (std::size_t table = 0; table < kTableCount; ++table) {
        const DirectionTable& grid = grids_[table];
        for (std::size_t row = 0; row < grid.size(); ++row) {
            for (Column column : {Column::Original, Column::Modified}) {
                const std::string& text = *CellText(table, row, column);
                if (text.empty()) continue;
                std::int32_t value = IntegerText::Parse(text).value_or(-1);
                if (value >= 0 && value <= limit->max) continue;
                // The message counts rows as the title row plus one, so "N°" 0 is row 2.
                return CheckError{table, row, column,
                                  kErrorPrefixes[table] + std::to_string(row + 2) + limit->rangeText};
            }
        }
    }
    return std::nullopt;
}

void CobIdForm::SaveTables() const {
    WriteCobIdFile(workspace_.state.paths.cobid, grids_[0], grids_[1]);
}

CobIdForm::OkResult CobIdForm::Ok() {
    OkResult result;
    result.refused = ValidateTables();
    if (result.refused) {
        prompter_.Error(result.refused->message);
        return result;
    }
    result.accepted = RunReported(prompter_, [this] { SaveTables(); });
    return result;
}

void CobIdForm::CompileAll() {
    if (!compileVisible_) return;
    if (!prompter_.Confirm(kCompileQuestion)) return;
    DirectionTable& grid = grids_[currentTab];
    const std::size_t rows = std::min(grid.size(), kRowsCan20A);
    for (std::size_t n = 0; n < rows; ++n) {
        grid[n].original = std::to_string(n);
        grid[n].modified = grid[n].original;
    }
}

void CobIdForm::CancelAll() {
    if (!prompter_.Confirm(kCancelQuestion)) return;
    for (CobIdPair& cells : grids_[currentTab]) {
        cells.original.clear();
        cells.modified.clear();
    }
}

std::string* CobIdForm::CellText(std::size_t table, std::size_t row, Column column) {
    return const_cast<std::string*>(std::as_const(*this).CellText(table, row, column));
}

const std::string* CobIdForm::CellText(std::size_t table, std::size_t row, Column column) const {
    if (table >= kTableCount || row >= grids_[table].size()) return nullptr;
    const CobIdPair& cells = grids_[table][row];
    switch (column) {
    case Column::Original:
        return &cells.original;
    case Column::Modified:
        return &cells.modified;
    case Column::Description:
        return &cells.description;
    default:
        return nullptr;
    }
}

std::string CobIdForm::Cell(std::size_t table, std::size_t row, Column column) const {
    if (column == Column::Number) {
        return table < kTableCount && row < grids_[table].size() ? std::to_string(row) : std::string();
    }
    const std::string* text = CellText(table, row, column);
    return text ? *text : std::string();
}

bool CobIdForm::IsEditable(Column column) const {
    switch (column) {
    case Column::Original:
    case Column::Description:
        return true;
    case Column::Modified:
        return !modifyReadOnly_;
    default:
        return false;
    }
}

bool CobIdForm::SetCell(std::size_t table, std::size_t row, Column column, std::string text) {
    if (!IsEditable(column)) return false;
    std::string* cell = CellText(table, row, column);
    if (!cell) return false;
    *cell = std::move(text);
    return true;
}

std::string CobIdForm::CopyRange(std::size_t table, CellRange range, LineEnd lineEnd) const {
    std::string out;
    if (table >= kTableCount || grids_[table].empty()) return out;
    const std::size_t bottom = std::min(range.bottom, grids_[table].size() - 1);
    const std::size_t right = std::min(range.right, kColumnCount - 1);
    const char* end = lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
    for (std::size_t row = range.top; row <= bottom; ++row) {
        for (std::size_t col = range.left; col <= right; ++col) {
            if (col != range.left) out += '\t';
            std::string cell = Cell(table, row, static_cast<Column>(col));
            if (NeedsQuotes(cell)) {
                out += '"';
                for (char c : cell) {
                    if (c == '"') out += '"';
                    out += c;
                }
                out += '"';
            } else {
                out += cell;
            }
        }
        out += end;
    }
    return out;
}

std::optional<CobIdForm::CellRange> CobIdForm::PasteAt(std::size_t table, std::size_t row, Column column,
                                                       std::string_view text) {
    if (table >= kTableCount || row >= grids_[table].size()) return std::nullopt;
    // Pasting rows onto the number column means pasting them beside it.
    std::size_t left = std::max<std::size_t>(static_cast<std::size_t>(column), 1);
    if (left >= kColumnCount) return std::nullopt;
    std::optional<CellRange> covered;
    const auto lines = ParseTabText(text);
    for (std::size_t i = 0; i < lines.size() && row + i < grids_[table].size(); ++i) {
        for (std::size_t j = 0; j < lines[i].size() && left + j < kColumnCount; ++j) {
            const std::size_t r = row + i, c = left + j;
            if (!SetCell(table, r, static_cast<Column>(c), lines[i][j])) continue;
            if (!covered) {
                covered = CellRange{r, c, r, c};
            } else {
                covered->top = std::min(covered->top, r);
                covered->left = std::min(covered->left, c);
                covered->bottom = std::max(covered->bottom, r);
                covered->right = std::max(covered->right, c);
            }
        }
    }
    return covered;
}

void CobIdForm::ClearRange(std::size_t table, CellRange range) {
    if (table >= kTableCount) return;
    for (std::size_t row = range.top; row <= range.bottom && row < grids_[table].size(); ++row) {
        for (std::size_t col = range.left; col <= range.right && col < kColumnCount; ++col) {
            if (IsEditable(static_cast<Column>(col))) *CellText(table, row, static_cast<Column>(col)) = {};
        }
    }
}

} // namespace zantor
