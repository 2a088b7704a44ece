#pragma once

#include "db/Dataset.h"

#include <memory>

namespace gridbench {

// A dataset of the ledger statement's shape (36 fields: texts, amounts,
// dates, a running number) filled with `rows` generated rows. `partener`
// holds 20,000 distinct names, `nr_doc` about one distinct value per three
// rows, `explicatie` a few hundred thousand distinct texts.
std::unique_ptr<db::MemoryDataset> ledgerDataset(int rows);

} // namespace gridbench
