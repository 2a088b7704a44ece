#pragma once

#include <filesystem>

namespace xlsx {

// A file that takes the place of its target only once it is complete. It is
// written under a temporary name in the target's folder (so that the final
// rename stays within one file system and is atomic) and renamed over the
// target by commit(); until then an existing target is untouched, and a file
// that is never committed is removed. Failures throw std::system_error with
// the system's error code.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporaryPath() const { return temporary_; }

    // Makes the temporary file durable and renames it over the target.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

} // namespace xlsx
