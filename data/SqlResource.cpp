#include "SqlResource.h"

#include <QFile>
#include <QString>

#include <stdexcept>

// Resources of a static library are registered only when something refers to
// their initialiser; this does, and it must sit outside any namespace.
static void registerDataResources()
{
    Q_INIT_RESOURCE(data);
}

namespace datamod {

std::vector<std::string> sqlLines(std::string_view component)
{
    static const bool registered = (registerDataResources(), true);
    (void)registered;

    const QString path = QStringLiteral(":/data/queries/") + QString::fromUtf8(component.data(), static_cast<qsizetype>(component.size()))
        + QStringLiteral(".sql");
    return resourceLines(path);
}

std::vector<std::string> resourceLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("SQL text " + path.toStdString() + " is missing from the program's resources");
    std::string text = file.readAll().toStdString();

    // The file ends its last line with a line break; the text does not.
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace datamod
