#include "GridWorkbookExport.h"

#include "grid/ViewState.h"
#include "xlsx/Workbook.h"

#include <QFileInfo>

#include <filesystem>
#include <vector>

namespace ledger {

namespace {

constexpr double kMicrosPerDay = 86'400'000'000.0;

xlsx::Cell toCell(const grid::CellValue& v)
{
    struct Visitor {
        xlsx::Cell operator()(std::monostate) const { return xlsx::Cell::null(); }
        xlsx::Cell operator()(bool b) const { return xlsx::Cell::boolean(b); }
        xlsx::Cell operator()(std::int64_t i) const { return xlsx::Cell::number(static_cast<double>(i)); }
        xlsx::Cell operator()(double d) const { return xlsx::Cell::number(d); }
        xlsx::Cell operator()(db::Date d) const { return xlsx::Cell::date(d.days); }
        xlsx::Cell operator()(db::DateTime t) const { return xlsx::Cell::dateTime(static_cast<double>(t.micros) / kMicrosPerDay); }
        xlsx::Cell operator()(std::string_view s) const { return xlsx::Cell::text(std::string(s)); }
    };
    return std::visit(Visitor{}, v);
}

class WorkbookVisitor : public grid::SequenceVisitor {
public:
    WorkbookVisitor(const grid::ViewState& view, xlsx::WorkbookWriter& writer)
        : view_(view), writer_(writer), dataLevel_(static_cast<int>(view.groupColumns().size()))
    {
        cells_.resize(static_cast<std::size_t>(view.visibleColumnCount()));
    }

    void groupRow(const grid::GroupRow& group) override
    {
        const QString text = view_.column(group.column).caption + QStringLiteral(" : ") + view_.text(group.value)
            + QStringLiteral(" (") + QString::number(group.count) + QLatin1Char(')');
        writer_.addGroupRow(group.level, text.toStdString());
    }

    void dataRow(int datasetRow) override
    {
        for (int i = 0; i < view_.visibleColumnCount(); ++i)
            cells_[static_cast<std::size_t>(i)] = toCell(view_.value(datasetRow, i));
        writer_.addRow(dataLevel_, cells_);
    }

private:
    const grid::ViewState& view_;
    xlsx::WorkbookWriter& writer_;
    int dataLevel_;
    std::vector<xlsx::Cell> cells_;
};

} // namespace

void exportGridToWorkbook(const grid::ViewState& view, const QString& path)
{
    const std::filesystem::path target(path.toStdString());
    xlsx::WorkbookWriter writer(target, QFileInfo(path).completeBaseName().toStdString());
    std::vector<xlsx::Column> columns;
    for (int i = 0; i < view.visibleColumnCount(); ++i) {
        const int id = view.visibleColumn(i);
        columns.push_back({view.column(id).caption.toStdString(), view.columnWidth(id)});
    }
    writer.setColumns(std::move(columns));
    writer.setDeepestOutlineLevel(static_cast<int>(view.groupColumns().size()));
    WorkbookVisitor visitor(view, writer);
    view.visitAllExpanded(visitor);
    writer.finish();
}

} // namespace ledger
