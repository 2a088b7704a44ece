#include "xlsx/ZipPackage.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <cerrno>
#include <ctime>
#include <string>
#include <system_error>

namespace xlsx {

namespace {

// Without the ZIP64 extensions a part holds less than 4 GiB; those extensions
// are left out because spreadsheet programs do not all read them.
constexpr std::uint64_t maxPartBytes = 0xFFFFFFFFull;

zipFile handle(void* zip) { return static_cast<zipFile>(zip); }

zip_fileinfo nowAsFileInfo()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    zip_fileinfo info{};
    info.tmz_date.tm_sec = static_cast<uInt>(local.tm_sec);
    info.tmz_date.tm_min = static_cast<uInt>(local.tm_min);
    info.tmz_date.tm_hour = static_cast<uInt>(local.tm_hour);
    info.tmz_date.tm_mday = static_cast<uInt>(local.tm_mday);
    info.tmz_date.tm_mon = static_cast<uInt>(local.tm_mon);
    info.tmz_date.tm_year = static_cast<uInt>(local.tm_year + 1900);
    return info;
}

} // namespace

ZipPackage::ZipPackage(const std::filesystem::path& file)
{
    errno = 0;
    zip_ = zipOpen64(file.c_str(), APPEND_STATUS_CREATE);
    if (!zip_)
        throwFailure(ZIP_ERRNO);
}

ZipPackage::~ZipPackage()
{
    if (zip_)
        zipClose(handle(zip_), nullptr);
}

void ZipPackage::throwFailure(int result) const
{
    if (result == ZIP_ERRNO && errno != 0)
        throw PackageError(std::generic_category().message(errno));
    throw PackageError("The zip library failed with code " + std::to_string(result));
}

void ZipPackage::addPart(std::string_view name, std::string_view content)
{
    beginPart(name);
    write(content);
    endPart();
}

void ZipPackage::beginPart(std::string_view name)
{
    const zip_fileinfo info = nowAsFileInfo();
    const std::string entryName(name);
    errno = 0;
    const int result = zipOpenNewFileInZip3_64(handle(zip_), entryName.c_str(), &info, nullptr, 0, nullptr, 0,
                                               nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
                                               DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0);
    if (result != ZIP_OK)
        throwFailure(result);
    partOpen_ = true;
    partBytes_ = 0;
}

void ZipPackage::write(std::string_view data)
{
    partBytes_ += data.size();
    if (partBytes_ > maxPartBytes)
        throw PackageError("A part of the workbook would exceed 4 GiB");
    errno = 0;
    const int result = zipWriteInFileInZip(handle(zip_), data.data(), static_cast<unsigned>(data.size()));
    if (result != ZIP_OK)
        throwFailure(result);
}

void ZipPackage::endPart()
{
    partOpen_ = false;
    errno = 0;
    const int result = zipCloseFileInZip(handle(zip_));
    if (result != ZIP_OK)
        throwFailure(result);
}

void ZipPackage::close()
{
    if (partOpen_)
        endPart();
    void* zip = zip_;
    zip_ = nullptr;
    errno = 0;
    const int result = zipClose(handle(zip), nullptr);
    if (result != ZIP_OK)
        throwFailure(result);
}

} // namespace xlsx
