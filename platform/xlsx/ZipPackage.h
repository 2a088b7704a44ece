#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace xlsx {

// A failure of the package file; the message is the reason alone (the
// system's text where the system gave one), the caller adds which file.
class PackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The ZIP package of a workbook, and the only code that touches minizip.
// Every part is deflated by zlib at its default level, with its CRC-32.
// A part is written either at once or in pieces, so that a large worksheet
// never has to be held in memory.
class ZipPackage {
public:
    // Creates the file, replacing whatever it held.
    explicit ZipPackage(const std::filesystem::path& file);
    // Closes a package that was not closed, ignoring errors: it is abandoned.
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    void addPart(std::string_view name, std::string_view content);

    void beginPart(std::string_view name);
    void write(std::string_view data);
    void endPart();

    // Writes the central directory and closes the file.
    void close();

private:
    [[noreturn]] void throwFailure(int minizipResult) const;

    void* zip_ = nullptr;
    bool partOpen_ = false;
    std::uint64_t partBytes_ = 0;
};

} // namespace xlsx
