#pragma once

#include "db/DataSource.h"
#include "db/Query.h"
#include "grid/ColumnDef.h"
#include "grid/TableViewStyleSheet.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;
namespace db {
class Connection;
}
namespace grid {
class GridView;
}

namespace ledger {

// A modal list of accounts to choose from: a grid with a filter row, an
// indicator column and the navigator over a read-only query, and an "OK"
// button. The list is read again at every showing; the filter row keeps its
// conditions between showings. Only "OK" gives the Accepted result; the
// close box gives Rejected, and neither Enter nor Esc closes the window.
// The caller reads the chosen row from the query's current row.
class AccountPicker : public QDialog {
    Q_OBJECT
public:
    struct Config {
        QString caption;
        const char* queryName;    // also the SQL resource's name
        const char* sourceName;   // the data source feeding the grid
        std::vector<db::FieldDef> fields;
        std::vector<grid::ColumnDef> columns;
        std::optional<grid::TableViewStyleSheet> styleSheet;
    };

    AccountPicker(db::Connection* conUlv, Config config, QWidget* parent = nullptr);
    ~AccountPicker() override;

    db::Query& query() { return query_; }
    grid::GridView* cxGrid1() const { return cxGrid1_; }
    QPushButton* cxButton1() const { return cxButton1_; }

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    db::Query query_;
    db::DataSource source_;
    grid::GridView* cxGrid1_;
    QPushButton* cxButton1_;
};

} // namespace ledger
