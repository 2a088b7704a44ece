// Prints how long "Export Excel" takes to write what the account sheet's grid
// shows (the sheet's 22 columns over ledger-shaped rows), its cells per
// second, the process's peak memory and the file's size.
//   export_bench [ROWS ...]   (default 100000 1000000)
#include "LedgerData.h"

#include "grid/ViewState.h"
#include "ledger/GridWorkbookExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <vector>

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::vector<grid::ColumnDef> sheetColumns()
{
    const char* fields[] = {"conts", "conta", "data_doc", "tip_doc", "explicatie", "partener", "nr_doc", "conts_coresp",
                            "conta_coresp", "moneda", "valoare_db_lei", "valoare_cr_lei", "valoare_db", "valoare_cr",
                            "sold_final_lei", "sold_final", "tip_sold_final", "data_incep_abonament",
                            "data_sf_abonament", "data_incep", "data_sf", "emitent"};
    std::vector<grid::ColumnDef> columns;
    for (const char* f : fields)
        columns.push_back({f, QString::fromLatin1(f), 80});
    return columns;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {100000, 1000000};
    QTemporaryDir folder;
    std::printf("%10s %10s %12s %14s %12s %12s\n", "rows", "cells", "seconds", "cells/s", "peak MiB", "file MiB");
    for (int rows : sizes) {
        auto ds = gridbench::ledgerDataset(rows);
        const long before = peakKiB();
        grid::ViewState view;
        view.setColumns(sheetColumns());
        view.setDataset(ds.get());
        const QString path = folder.filePath(QStringLiteral("FisaContAnalitic_%1.xlsx").arg(rows));
        QElapsedTimer timer;
        timer.start();
        ledger::exportGridToWorkbook(view, path);
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        const double cells = static_cast<double>(rows) * 22;
        std::printf("%10d %10.0f %12.2f %14.0f %12.1f %12.1f   (peak before the export %.1f MiB)\n", rows, cells, seconds,
                    cells / seconds, static_cast<double>(peakKiB()) / 1024.0,
                    static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0), static_cast<double>(before) / 1024.0);
    }
    return 0;
}
