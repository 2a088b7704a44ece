#pragma once

#include "db/Dataset.h"

#include <span>

namespace datamod {

// One declared field of a query: the column it binds to, its kind, the length
// of a text column and whether the column holds no null.
struct FieldRow {
    const char* column;
    db::FieldKind kind;
    int size;
    bool required;
};

// The declared fields of the data module's queries, in their declared order.
std::span<const FieldRow> dsEmitentFields();
std::span<const FieldRow> dsAplicatieMobFields();
std::span<const FieldRow> dsAplicatieMobEmitentFields();
std::span<const FieldRow> dsEuFields();
std::span<const FieldRow> dsDataListFields();

// Adds the rows to the dataset as its declared fields.
void declareFields(db::Dataset& dataset, std::span<const FieldRow> rows);

} // namespace datamod
