#pragma once

#include "xlsx/Cell.h"
#include "xlsx/Column.h"

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

// Writes a workbook of one worksheet, row by row: memory does not grow with
// the number of rows beyond the table of distinct texts.
//
//   WorkbookWriter w(path, baseName);
//   w.setColumns({{"Data", 80}, {"Suma", 100}});
//   w.setDeepestOutlineLevel(1);
//   w.addGroupRow(0, "Cont : 401 (2)");
//   w.addRow(1, {Cell::date(20409), Cell::number(12.5)});
//   w.finish();
//
// The file appears under `path` only when finish() succeeds; it then replaces
// an existing file. Any failure removes what was written, leaves an existing
// file untouched and throws std::runtime_error with the message
//   Cannot create file "<full path>". <reason>
// after which the writer accepts no more calls. A writer destroyed without
// finish() leaves nothing behind.
class WorkbookWriter {
public:
    // Checks that the file can be created. `sheetName` is made valid for a
    // workbook (see validSheetName).
    WorkbookWriter(const std::filesystem::path& path, std::string_view sheetName);
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // The header row and the column widths; before the first row.
    void setColumns(std::vector<Column> columns);

    // The highest outline level of any row to come; before the first row.
    // Rows above it are refused. 0 (the default) when nothing is grouped.
    void setDeepestOutlineLevel(int level);

    // A group row: its text in the first column, in bold. It stands above
    // the rows of its group, which have a higher outline level.
    void addGroupRow(int outlineLevel, std::string_view text);

    // A data row. Fewer cells than columns leave the rest empty; more cells
    // than columns, or a level outside 0..deepest, throw
    // std::invalid_argument and write nothing (the writer stays usable).
    void addRow(int outlineLevel, std::span<const Cell> cells);
    void addRow(int outlineLevel, std::initializer_list<Cell> cells)
    {
        addRow(outlineLevel, std::span<const Cell>(cells.begin(), cells.size()));
    }

    // Completes the workbook and puts it in place under its name.
    void finish();

    const std::string& sheetName() const { return sheetName_; }

private:
    struct State;

    template <typename Action>
    void guarded(Action&& action);
    [[noreturn]] void fail(const std::string& reason);
    void startSheet();

    std::string fullPath_;
    std::string sheetName_;
    std::unique_ptr<State> state_;
};

} // namespace xlsx
