#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace xlsxtest {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error
};

// Runs a program with arguments (no shell interpretation of them).
CommandResult run(const std::vector<std::string>& arguments);

// A Python interpreter that has openpyxl (Debian's python3-openpyxl), or an
// empty text when there is none.
std::string pythonWithOpenpyxl();

std::filesystem::path sourceDir();

// The ECMA-376 schemas beside the repository.
std::filesystem::path schemaDir();

// A fresh folder under the system's temporary folder, removed with its
// contents at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The names in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& content);

} // namespace xlsxtest
