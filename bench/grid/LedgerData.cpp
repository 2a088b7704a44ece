#include "LedgerData.h"

#include <array>
#include <random>
#include <string>
#include <vector>

namespace gridbench {

std::unique_ptr<db::MemoryDataset> ledgerDataset(int rows)
{
    using db::FieldKind;
    struct F {
        const char* name;
        FieldKind kind;
        int size;
    };
    const std::vector<F> fields{
        {"conts", FieldKind::WideString, 7},        {"conta", FieldKind::WideString, 25},
        {"moneda", FieldKind::WideString, 3},       {"data_doc", FieldKind::Date, 0},
        {"tip_doc", FieldKind::WideString, 7},      {"nr_doc", FieldKind::WideString, 15},
        {"valoare_db", FieldKind::Float, 0},        {"valoare_cr", FieldKind::Float, 0},
        {"curs", FieldKind::Float, 0},              {"valoare_db_lei", FieldKind::Float, 0},
        {"valoare_cr_lei", FieldKind::Float, 0},    {"conts_coresp", FieldKind::WideString, 7},
        {"conta_coresp", FieldKind::WideString, 25}, {"explicatie", FieldKind::WideString, 100},
        {"sold_db", FieldKind::Float, 0},           {"sold_cr", FieldKind::Float, 0},
        {"sold_db_lei", FieldKind::Float, 0},       {"sold_cr_lei", FieldKind::Float, 0},
        {"sold_db_incremental", FieldKind::Float, 0}, {"sold_cr_incremental", FieldKind::Float, 0},
        {"sold_db_lei_incremental", FieldKind::Float, 0}, {"sold_cr_lei_incremental", FieldKind::Float, 0},
        {"rulaj_db_incremental", FieldKind::Float, 0}, {"rulaj_cr_incremental", FieldKind::Float, 0},
        {"rulaj_db_lei_incremental", FieldKind::Float, 0}, {"rulaj_cr_lei_incremental", FieldKind::Float, 0},
        {"data_incep", FieldKind::Date, 0},         {"data_sf", FieldKind::Date, 0},
        {"nr_crt", FieldKind::LargeInt, 0},         {"partener", FieldKind::WideString, 100},
        {"sold_final", FieldKind::Float, 0},        {"tip_sold_final", FieldKind::WideMemo, 0},
        {"sold_final_lei", FieldKind::Float, 0},    {"emitent", FieldKind::WideString, 100},
        {"data_incep_abonament", FieldKind::Date, 0}, {"data_sf_abonament", FieldKind::Date, 0},
    };
    auto ds = std::make_unique<db::MemoryDataset>("dsFisaContAnalitic");
    for (const F& f : fields)
        ds->addField({f.name, f.kind, f.size});
    ds->open();
    ds->reserve(static_cast<std::size_t>(rows));

    std::mt19937_64 rng(20251117);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint64_t>(n)); };
    const std::array<const char*, 4> currencies{"RON", "EUR", "USD", "GBP"};
    const std::array<const char*, 6> docTypes{"FACT", "CHIT", "OP", "NC", "BON", "AVZ"};
    const std::array<const char*, 12> words{"Plata", "factura", "servicii", "abonament", "transport", "marfa",
                                            "Incasare", "client", "furnizor", "avans", "chirie", "energie"};
    const db::Date start = db::dateFromCivil(2020, 1, 1);

    std::vector<db::Value> v(fields.size());
    double balance = 0;
    for (int r = 0; r < rows; ++r) {
        const bool opening = pick(50) == 0;
        const double amount = static_cast<double>(pick(10'000'000)) / 100.0;
        const bool debit = pick(2) == 0;
        balance += debit ? amount : -amount;
        v[0] = std::string("401");
        v[1] = "401." + std::to_string(pick(300));
        v[2] = std::string(currencies[static_cast<std::size_t>(pick(4))]);
        v[3] = opening ? db::Value{} : db::Value{db::Date{start.days + pick(2000)}};
        v[4] = std::string(docTypes[static_cast<std::size_t>(pick(6))]);
        v[5] = opening ? std::string("Sold Initial") : std::to_string(r / 3 + 100000);
        v[6] = debit ? db::Value{amount} : db::Value{};
        v[7] = debit ? db::Value{} : db::Value{amount};
        v[8] = 4.9 + static_cast<double>(pick(1000)) / 10000.0;
        v[9] = debit ? db::Value{amount * 4.97} : db::Value{};
        v[10] = debit ? db::Value{} : db::Value{amount * 4.97};
        v[11] = std::string(pick(2) ? "5311" : "4111");
        v[12] = "4111." + std::to_string(pick(1000));
        v[13] = std::string(words[static_cast<std::size_t>(pick(12))]) + " " + words[static_cast<std::size_t>(pick(12))] + " "
            + std::to_string(pick(2000));
        for (int f = 14; f <= 25; ++f)
            v[static_cast<std::size_t>(f)] = balance * (1.0 + f / 100.0);
        v[26] = db::Date{start.days + 31 * pick(60)};
        v[27] = db::Date{start.days + 31 * pick(60) + 30};
        v[28] = std::int64_t{r + 1};
        v[29] = "Partener " + std::to_string(pick(20000));
        v[30] = balance;
        v[31] = std::string(balance >= 0 ? "DB" : "CR");
        v[32] = balance * 4.97;
        v[33] = "operator" + std::to_string(pick(20));
        v[34] = pick(20) == 0 ? db::Value{db::Date{start.days + pick(2000)}} : db::Value{};
        v[35] = pick(20) == 0 ? db::Value{db::Date{start.days + pick(2000) + 365}} : db::Value{};
        ds->appendRow(v);
    }
    ds->refresh();
    return ds;
}

} // namespace gridbench
