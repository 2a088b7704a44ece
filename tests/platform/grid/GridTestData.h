#pragma once

#include "db/Dataset.h"
#include "grid/ViewState.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace gridtest {

// A small ledger-like dataset: account code (text), partner (text with a
// null and an empty text), amount (double with a null), document date (date
// with a null) and a running number (integer).
inline std::unique_ptr<db::MemoryDataset> ledgerDataset()
{
    auto ds = std::make_unique<db::MemoryDataset>("dsTest");
    ds->addField({"conta", db::FieldKind::WideString, 25});
    ds->addField({"partener", db::FieldKind::WideString, 100});
    ds->addField({"valoare", db::FieldKind::Float});
    ds->addField({"data_doc", db::FieldKind::Date});
    ds->addField({"nr_crt", db::FieldKind::LargeInt});
    ds->open();
    auto d = [](int y, int m, int day) { return db::Value{db::dateFromCivil(y, m, day)}; };
    const db::Value null;
    using S = std::string;
    // rows:               conta        partener          valoare       data_doc          nr_crt
    ds->appendRow({S("401.02"), S("beta"), 10.5, d(2025, 3, 2), std::int64_t{1}});
    ds->appendRow({S("401.01"), S("Alfa"), 2.0, d(2025, 1, 15), std::int64_t{2}});
    ds->appendRow({S("401.02"), null, null, null, std::int64_t{3}});
    ds->appendRow({S("401.01"), S("Gamma"), 100.0, d(2024, 12, 31), std::int64_t{4}});
    ds->appendRow({S("401.03"), S(""), -7.25, d(2025, 3, 2), std::int64_t{5}});
    ds->appendRow({S("401.01"), S("alfa"), 2.0, d(2025, 2, 1), std::int64_t{6}});
    ds->appendRow({S("401.02"), S("Beta"), 9.0, d(2025, 1, 15), std::int64_t{7}});
    ds->refresh();
    return ds;
}

inline std::vector<grid::ColumnDef> ledgerColumns()
{
    return {{"conta", "conta", 61},
            {"partener", "partener", 0},
            {"valoare", "valoare", 91},
            {"data_doc", "data_doc", 0},
            {"nr_crt", "nr_crt", 0}};
}

// The shown sequence as lines, for comparing two sequences: a group row as
// "G<level> <caption>=<value> (<count>)", a data row as "R<row>".
inline QString groupLine(const grid::ViewState& s, const grid::GroupRow& g)
{
    return QStringLiteral("G%1 %2=%3 (%4)")
        .arg(g.level)
        .arg(s.column(g.column).caption, s.text(g.value))
        .arg(g.count);
}

class LinesVisitor : public grid::SequenceVisitor {
public:
    explicit LinesVisitor(const grid::ViewState& s) : state_(s) {}
    void groupRow(const grid::GroupRow& g) override { lines.push_back(groupLine(state_, g)); }
    void dataRow(int row) override { lines.push_back(QStringLiteral("R%1").arg(row)); }
    QStringList lines;

private:
    const grid::ViewState& state_;
};

inline QStringList exportedLines(const grid::ViewState& s)
{
    LinesVisitor v(s);
    s.visitAllExpanded(v);
    return v.lines;
}

inline QStringList shownLines(const grid::ViewState& s)
{
    QStringList lines;
    for (int i = 0; i < s.rowCount(); ++i)
        lines.push_back(s.isGroupRow(i) ? groupLine(s, s.groupRow(i)) : QStringLiteral("R%1").arg(s.datasetRow(i)));
    return lines;
}

// The dataset rows of the sequence, in order (group rows left out).
inline std::vector<int> shownDataRows(const grid::ViewState& s)
{
    std::vector<int> rows;
    for (int i = 0; i < s.rowCount(); ++i)
        if (!s.isGroupRow(i))
            rows.push_back(s.datasetRow(i));
    return rows;
}

} // namespace gridtest
