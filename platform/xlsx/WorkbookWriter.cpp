#include "xlsx/WorkbookWriter.h"

#include "xlsx/AppPropertiesXml.h"
#include "xlsx/AtomicFile.h"
#include "xlsx/ContentTypesXml.h"
#include "xlsx/CorePropertiesXml.h"
#include "xlsx/RelationshipsXml.h"
#include "xlsx/SharedStrings.h"
#include "xlsx/SheetName.h"
#include "xlsx/SheetXmlWriter.h"
#include "xlsx/StylesXml.h"
#include "xlsx/WorkbookXml.h"
#include "xlsx/XmlSink.h"
#include "xlsx/ZipPackage.h"

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace xlsx {

namespace {

constexpr std::string_view sheetPart = "xl/worksheets/sheet1.xml";

std::string fullPathOf(const std::filesystem::path& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute.lexically_normal()).string();
}

} // namespace

struct WorkbookWriter::State {
    // Declared before the package so that the package is closed before an
    // unfinished file is removed.
    AtomicFile file;
    ZipPackage package;
    SharedStrings strings;
    XmlSink sheetSink;
    SheetXmlWriter sheet;
    std::vector<Column> columns;
    int deepestOutlineLevel = 0;
    bool sheetStarted = false;

    explicit State(const std::filesystem::path& path)
        : file(path),
          package(file.temporaryPath()),
          sheetSink([this](std::string_view chunk) { package.write(chunk); }),
          sheet(sheetSink, strings)
    {
    }
};

WorkbookWriter::WorkbookWriter(const std::filesystem::path& path, std::string_view sheetName)
    : fullPath_(fullPathOf(path)), sheetName_(validSheetName(sheetName))
{
    try {
        state_ = std::make_unique<State>(path);
    } catch (const std::system_error& e) {
        fail(e.code().message());
    } catch (const std::exception& e) {
        fail(e.what());
    }
    guarded([&] {
        ZipPackage& package = state_->package;
        package.addPart("[Content_Types].xml", contentTypesXml());
        package.addPart("_rels/.rels", packageRelationshipsXml());
        package.addPart("docProps/app.xml", appPropertiesXml());
        package.addPart("docProps/core.xml", corePropertiesXml(std::chrono::system_clock::now()));
        package.addPart("xl/workbook.xml", workbookXml(sheetName_));
        package.addPart("xl/_rels/workbook.xml.rels", workbookRelationshipsXml());
        package.addPart("xl/styles.xml", stylesXml());
    });
}

WorkbookWriter::~WorkbookWriter() = default;

template <typename Action>
void WorkbookWriter::guarded(Action&& action)
{
    if (!state_)
        throw std::logic_error("The workbook \"" + fullPath_ + "\" is already finished or abandoned");
    try {
        action();
    } catch (const std::invalid_argument&) {
        throw;
    } catch (const std::system_error& e) {
        fail(e.code().message());
    } catch (const std::bad_alloc&) {
        fail(std::generic_category().message(ENOMEM));
    } catch (const std::exception& e) {
        fail(e.what());
    }
}

void WorkbookWriter::fail(const std::string& reason)
{
    // Closing the package and removing the unfinished file.
    state_.reset();
    throw std::runtime_error("Cannot create file \"" + fullPath_ + "\". " + reason);
}

void WorkbookWriter::setColumns(std::vector<Column> columns)
{
    if (state_ && state_->sheetStarted)
        throw std::logic_error("Columns are set before the first row");
    guarded([&] { state_->columns = std::move(columns); });
}

void WorkbookWriter::setDeepestOutlineLevel(int level)
{
    if (state_ && state_->sheetStarted)
        throw std::logic_error("The deepest outline level is set before the first row");
    if (level < 0)
        throw std::invalid_argument("An outline level cannot be negative");
    guarded([&] { state_->deepestOutlineLevel = level; });
}

void WorkbookWriter::startSheet()
{
    if (state_->sheetStarted)
        return;
    state_->sheetStarted = true;
    state_->package.beginPart(sheetPart);
    state_->sheet.begin(state_->columns, state_->deepestOutlineLevel);
}

void WorkbookWriter::addGroupRow(int outlineLevel, std::string_view text)
{
    guarded([&] {
        startSheet();
        state_->sheet.addGroupRow(outlineLevel, text);
    });
}

void WorkbookWriter::addRow(int outlineLevel, std::span<const Cell> cells)
{
    guarded([&] {
        startSheet();
        state_->sheet.addRow(outlineLevel, cells);
    });
}

void WorkbookWriter::finish()
{
    guarded([&] {
        startSheet();
        State& s = *state_;
        s.sheet.end();
        s.package.endPart();

        s.package.beginPart("xl/sharedStrings.xml");
        XmlSink stringsSink([&](std::string_view chunk) { s.package.write(chunk); });
        s.strings.write(stringsSink);
        s.package.endPart();

        s.package.close();
        s.file.commit();
    });
    state_.reset();
}

} // namespace xlsx
