#include "xlsx/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xlsx {

namespace {

[[noreturn]] void throwErrno(int error)
{
    throw std::system_error(error, std::generic_category());
}

// The folder the name of `target` lives in ("." for a bare file name).
std::filesystem::path folderOf(const std::filesystem::path& target)
{
    const auto parent = target.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

void syncPath(const std::filesystem::path& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        throwErrno(errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0)
        throwErrno(error);
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target))
{
    // A folder under the target's name would only make the final rename fail
    // after all the writing; say so at once.
    struct stat info{};
    if (::stat(target_.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throwErrno(EISDIR);

    // Keep the temporary name within the usual 255-byte limit of a file name.
    std::string base = target_.filename().string().substr(0, 200);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        std::filesystem::path candidate = folderOf(target_) / ("." + base + suffix);
        // 0666 and the process's umask give the usual rights of a new file.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            temporary_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST)
            throwErrno(errno);
    }
    throwErrno(EEXIST);
}

AtomicFile::~AtomicFile()
{
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

void AtomicFile::commit()
{
    syncPath(temporary_, O_RDONLY);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throwErrno(errno);
    committed_ = true;
    try {
        syncPath(folderOf(target_), O_RDONLY | O_DIRECTORY);
    } catch (const std::system_error&) {
        // The file is complete and in place; some file systems cannot sync a
        // folder, which is no reason to report a failure.
    }
}

} // namespace xlsx
