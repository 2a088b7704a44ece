// Exports rows shaped like the ledger (22 columns: account and partner
// texts of a few distinct values, dates, amounts, some nulls) and prints how
// long it took, cells per second, the peak memory of the process and the
// size of the file. Each row count runs in a process of its own, so that
// the peak memory of one does not hide that of the next.
//
//   xlsx_bench [--folder DIR] [--unique-texts] [ROWS...]   (default 100000 1000000)
//
// --unique-texts gives every row a document number of its own, which shows
// what the shared strings table costs when the texts do not repeat.
#include "xlsx/Workbook.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int columnCount = 22;

// A small deterministic generator, so that every run writes the same data.
struct Random {
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
    std::uint32_t next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }
};

std::vector<std::string> names(const char* prefix, int count)
{
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(prefix + std::to_string(100 + i * 7));
    return out;
}

std::vector<xlsx::Column> ledgerColumns()
{
    const char* captions[columnCount] = {
        "Cont",     "Denumire cont", "Data",        "Tip document", "Nr. document", "Explicatie",
        "Cont coresp.", "Debit",     "Credit",      "Sold",         "Sold debitor", "Sold creditor",
        "Valuta",   "Curs",          "Debit valuta", "Credit valuta", "Partener",   "Cod fiscal",
        "Scadenta", "Gestiune",      "Luna",        "An"};
    std::vector<xlsx::Column> columns;
    for (int i = 0; i < columnCount; ++i)
        columns.push_back({captions[i], 60 + (i % 4) * 20});
    return columns;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void exportRows(const std::filesystem::path& file, long rows, bool uniqueTexts)
{
    const std::vector<std::string> accounts = names("401.", 20);
    const std::vector<std::string> accountNames = names("Furnizori ", 20);
    const std::vector<std::string> documentTypes{"FA", "OP", "CH", "NC", "BC", "DP"};
    const std::vector<std::string> documents = names("DOC ", 500);
    const std::vector<std::string> explanations = names("Explicatie operatiune ", 50);
    const std::vector<std::string> counterAccounts = names("5121.", 30);
    const std::vector<std::string> currencies{"RON", "EUR", "USD"};
    const std::vector<std::string> partners = names("Partener SRL ", 200);
    const std::vector<std::string> fiscalCodes = names("RO", 200);
    const std::vector<std::string> stores = names("Gestiune ", 8);

    const long before = peakKilobytes();
    const auto start = std::chrono::steady_clock::now();

    xlsx::WorkbookWriter w(file, file.stem().string());
    w.setColumns(ledgerColumns());
    Random random;
    std::vector<xlsx::Cell> cells(columnCount);
    double balance = 0;
    for (long r = 0; r < rows; ++r) {
        const auto pick = [&](const std::vector<std::string>& values) {
            return xlsx::Cell::text(values[random.below(static_cast<std::uint32_t>(values.size()))]);
        };
        const bool debit = random.below(2) == 0;
        const double amount = random.below(10000000) / 100.0;
        balance += debit ? amount : -amount;
        const auto day = static_cast<std::int32_t>(19724 + r * 730 / rows);  // two years from 2024
        cells[0] = pick(accounts);
        cells[1] = pick(accountNames);
        cells[2] = xlsx::Cell::date(day);
        cells[3] = pick(documentTypes);
        cells[4] = uniqueTexts ? xlsx::Cell::text("DOC " + std::to_string(r)) : pick(documents);
        cells[5] = pick(explanations);
        cells[6] = pick(counterAccounts);
        cells[7] = debit ? xlsx::Cell::number(amount) : xlsx::Cell::null();
        cells[8] = debit ? xlsx::Cell::null() : xlsx::Cell::number(amount);
        cells[9] = xlsx::Cell::number(balance);
        cells[10] = balance > 0 ? xlsx::Cell::number(balance) : xlsx::Cell::null();
        cells[11] = balance < 0 ? xlsx::Cell::number(-balance) : xlsx::Cell::null();
        const auto currency = random.below(3);
        cells[12] = xlsx::Cell::text(currencies[currency]);
        cells[13] = xlsx::Cell::number(currency == 0 ? 1 : 4.9 + random.below(1000) / 10000.0);
        cells[14] = currency != 0 && debit ? xlsx::Cell::number(amount / 4.97) : xlsx::Cell::null();
        cells[15] = currency != 0 && !debit ? xlsx::Cell::number(amount / 4.97) : xlsx::Cell::null();
        cells[16] = random.below(10) == 0 ? xlsx::Cell::null() : pick(partners);
        cells[17] = random.below(10) == 0 ? xlsx::Cell::null() : pick(fiscalCodes);
        cells[18] = random.below(3) == 0 ? xlsx::Cell::null() : xlsx::Cell::date(day + 30);
        cells[19] = random.below(2) == 0 ? xlsx::Cell::null() : pick(stores);
        cells[20] = xlsx::Cell::number(1 + (day / 30) % 12);
        cells[21] = xlsx::Cell::number(2024 + (r * 2 / rows));
        w.addRow(0, cells);
    }
    w.finish();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cells_ = static_cast<double>(rows) * columnCount;
    std::printf("%9ld rows  %10.0f cells  %7.2f s  %10.0f cells/s  peak %7.1f MB (%5.1f MB before)  file %7.1f MB\n",
                rows, cells_, seconds, cells_ / seconds, peakKilobytes() / 1024.0, before / 1024.0,
                std::filesystem::file_size(file) / 1048576.0);
    std::fflush(stdout);
    std::filesystem::remove(file);
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path();
    bool uniqueTexts = false;
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc)
            folder = argv[++i];
        else if (arg == "--unique-texts")
            uniqueTexts = true;
        else
            sizes.push_back(std::atol(arg.c_str()));
    }
    if (sizes.empty())
        sizes = {100000, 1000000};

    std::printf("ledger-shaped export, %d columns%s, into %s\n", columnCount,
                uniqueTexts ? ", a distinct document number per row" : "", folder.c_str());
    std::fflush(stdout);
    int failures = 0;
    for (long rows : sizes) {
        const pid_t child = fork();
        if (child == 0) {
            try {
                exportRows(folder / ("xlsx_bench_" + std::to_string(rows) + ".xlsx"), rows, uniqueTexts);
                std::_Exit(0);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
                std::_Exit(1);
            }
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
