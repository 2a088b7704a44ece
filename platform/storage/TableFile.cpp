#include "TableFile.h"

#include "JsonStorage.h"
#include "StorageError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace storage {

namespace {

std::string native(const QString& path)
{
    return QFileInfo(path).absoluteFilePath().toStdString();
}

[[noreturn]] void cannotCreate(const QString& path, const QString& reason)
{
    throw StorageError("Cannot create file \"" + native(path) + "\". " + reason.toStdString());
}

} // namespace

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void saveTableFile(MemTable& table, const QString& path)
{
    table.post();
    const QByteArray bytes = formatJsonStorage(table);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        cannotCreate(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        cannotCreate(path, reason);
    }
    if (!file.commit())
        cannotCreate(path, file.errorString());
}

void loadTableFile(MemTable& table, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StorageError("Cannot open file \"" + native(path) + "\". " + file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StorageError("Cannot read file \"" + native(path) + "\". " + file.errorString().toStdString());
    try {
        loadJsonStorage(table, bytes);
    } catch (const StorageError& e) {
        throw StorageError("The file \"" + native(path) + "\" cannot be loaded: " + e.what());
    }
}

} // namespace storage
