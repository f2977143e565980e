#pragma once

#include "cobid/CobIdFile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zantor {

class Prompter;
class Workspace;

// The behaviour of the "Set CobID Access" window: its two grids, their checks, load and save.
class CobIdForm {
public:
    enum class Column { Number, Original, Modified, Description, Count };
    static constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::Count);
    static constexpr std::size_t kTableCount = 2;

    static constexpr const char* kCaption = "Set CobID Access";
    static constexpr const char* kCompileQuestion = "Are you sure to cancel all the CobID just write?";
    static constexpr const char* kCancelQuestion = "Are you sure to cancel all the CobID?";

    // Column titles, indexed by Column.
    static const std::array<const char*, kColumnCount> kColumnTitles;
    // Tab captions, indexed by table (0 = Can0_to_Can1, 1 = Can1_to_Can0).
    static const std::array<const char*, kTableCount> kTabCaptions;

    // The first refused cell of the check.
    struct CheckError {
        std::size_t table; // 0 = Can0_to_Can1, 1 = Can1_to_Can0
        std::size_t row;   // table row, as shown in "N°"
        Column column;
        std::string message;
    };

    // Inclusive rectangle of cells.
    struct CellRange {
        std::size_t top, left, bottom, right;
    };

    enum class LineEnd { CrLf, Lf };

    // What "OK" led to: the window closes only when accepted.
    struct OkResult {
        bool accepted = false;
        std::optional<CheckError> refused; // set when the check refused a cell
    };

    CobIdForm(Workspace& workspace, Prompter& prompter);

    // Each showing: grids sized and emptied after the network type, "Modify CobID" editable only
    // with the positive-implementation flag, then the file is loaded.
    void FormShow();

    // Fills both grids from the file. A missing file leaves them empty; an unreadable one shows
    // "Error in reading file XML" and keeps what was read before the failure.
    void LoadTables();

    // The first cell out of range for the network type, or nothing when all pass. Shows nothing.
    std::optional<CheckError> ValidateTables() const;

    // Writes both grids, every row, atomically; throws AppError on failure.
    void SaveTables() const;

    // "OK": the check (its message on refusal), then the save (its failure reported).
    OkResult Ok();
    // "Compile All CobID": row numbers into both COB-ID columns of the tab in front, after a Yes.
    void CompileAll();
    // "Cancel All CobID": empties both COB-ID columns of the tab in front, after a Yes.
    void CancelAll();

    std::size_t RowCount(std::size_t table) const { return grids_[table].size(); }
    std::string Cell(std::size_t table, std::size_t row, Column column) const;
    bool IsEditable(Column column) const;
    // Sets an editable cell; false (and nothing changed) for a read-only one.
    bool SetCell(std::size_t table, std::size_t row, Column column, std::string text);
    const DirectionTable& Grid(std::size_t table) const { return grids_[table]; }

    // Tab-separated cells of the range, each line ended; cells holding a tab, a line break or a
    // quote are quoted as spreadsheets do.
    std::string CopyRange(std::size_t table, CellRange range, LineEnd lineEnd) const;
    // Pastes tab-separated text with its top left at the cell, clipped at the grid's edges and
    // skipping read-only cells. Returns the cells covered, nothing when none was.
    std::optional<CellRange> PasteAt(std::size_t table, std::size_t row, Column column,
                                     std::string_view text);
    // Empties the editable cells of the range.
    void ClearRange(std::size_t table, CellRange range);

    std::size_t currentTab = 0;
    bool modifyReadOnly() const { return modifyReadOnly_; }
    bool compileVisible() const { return compileVisible_; }

private:
    std::string* CellText(std::size_t table, std::size_t row, Column column);
    const std::string* CellText(std::size_t table, std::size_t row, Column column) const;
    void ReadTables();

    Workspace& workspace_;
    Prompter& prompter_;
    std::array<DirectionTable, kTableCount> grids_;
    bool modifyReadOnly_ = false;
    bool compileVisible_ = false;
};

} // namespace zantor
