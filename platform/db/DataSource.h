#pragma once

#include <string>

namespace db {

class Dataset;

// Links a dataset to the controls that show it (a grid view binds to a data
// source, not to the dataset directly), so a window can swap what it shows.
struct DataSource {
    std::string name;
    Dataset* dataset = nullptr;
};

} // namespace db
