#include "TestTools.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>

namespace xlsxtest {

namespace {

std::string shellQuoted(const std::string& argument)
{
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace

CommandResult run(const std::vector<std::string>& arguments)
{
    std::string command;
    for (const auto& argument : arguments)
        command += shellQuoted(argument) + " ";
    command += "2>&1";
    CommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("Cannot run " + command);
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string pythonWithOpenpyxl()
{
    // The python3 first on the path may be one of its own (a virtual
    // environment, pyenv) without Debian's packages; the system's has them.
    static const std::string found = [] {
        for (const std::string candidate : {"python3", "/usr/bin/python3"})
            if (run({candidate, "-c", "import openpyxl"}).exitCode == 0)
                return candidate;
        return std::string();
    }();
    return found;
}

std::filesystem::path sourceDir()
{
    const char* dir = std::getenv("WMORV_SOURCE_DIR");
    if (!dir)
        throw std::runtime_error("WMORV_SOURCE_DIR is not set; run the tests through ctest");
    return dir;
}

std::filesystem::path schemaDir()
{
    return (sourceDir() / ".." / "shared" / "fixtures" / "ooxml-xsd").lexically_normal();
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "wmorv-xlsx-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // A test may have taken the write permission away.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

} // namespace xlsxtest
