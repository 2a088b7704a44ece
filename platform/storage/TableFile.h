#pragma once

#include "MemTable.h"

#include <QString>

namespace storage {

// Whether a file (not a folder) of that name exists; a link counts as its target.
bool fileExists(const QString& path);

// Posts the table's pending edit, then writes the whole file in the JSON
// storage format. The bytes go to a temporary file in the same folder, which
// then replaces the target, so a failed save never leaves a cut-off file.
// Throws StorageError `Cannot create file "<path>". <system's reason>` when
// the folder is missing or may not be written.
void saveTableFile(MemTable& table, const QString& path);

// Replaces the table's content with the file's (see loadJsonStorage). Whether
// the file exists is the caller's question (fileExists). Throws StorageError
// naming the file and what is wrong with it; the table is then unchanged.
void loadTableFile(MemTable& table, const QString& path);

} // namespace storage
