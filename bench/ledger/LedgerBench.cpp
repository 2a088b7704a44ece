// Ledger benchmark: fills a company database to 1,000,000 journal lines and
// times the analytic account sheet's statement for a small, a mid-sized and the
// largest synthetic account: the server's own time, the time to fetch the rows
// into the dataset, the dataset's memory per row, and beside them the time psql
// needs to fetch the same rows. Prints figures; asserts nothing.
//
//   ledger_bench --host H --port P --user U --password-file F [--reference SQL] [--repeat N]
//
// With --reference, the statement in that file (the ledger statement in its
// first form, which numbers the whole company) is timed beside the product's.
// run_ledger_bench.sh starts throwaway servers and runs it against them.

#include "ledger/FisaContAnaliticQuery.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/SqlParams.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

struct Options {
    std::string host = "127.0.0.1";
    int port = 5432;
    std::string user = "ulv";
    std::string password;
    std::string referenceFile; // a second statement to time beside the dataset's
    int repeat = 5;
};

const char* const kDatabase = "ledger_bench";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string k = argv[i], v = argv[i + 1];
        if (k == "--host")
            o.host = v;
        else if (k == "--port")
            o.port = std::stoi(v);
        else if (k == "--user")
            o.user = v;
        else if (k == "--password-file") {
            std::ifstream in(v);
            std::getline(in, o.password);
        } else if (k == "--reference")
            o.referenceFile = v;
        else if (k == "--repeat")
            o.repeat = std::max(1, std::stoi(v));
        else
            throw std::runtime_error("unknown option " + k);
    }
    return o;
}

void configure(db::Connection& con, const Options& o, const std::string& database)
{
    con.setServer(o.host);
    con.setPort(o.port);
    con.setDatabase(database);
    con.setUserName(o.user);
    con.setPassword(o.password);
    con.setSslMode(db::SslMode::Prefer);
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs a script of statements separated by ";" at line ends, in one session.
void runScript(db::Connection& con, const std::string& script)
{
    std::istringstream in(script);
    std::string line, statement;
    while (std::getline(in, line)) {
        if (line.rfind("--", 0) == 0)
            continue;
        statement += line + '\n';
        if (!line.empty() && line.back() == ';') {
            con.exec(statement);
            statement.clear();
        }
    }
}

void createCompany(const Options& o)
{
    db::Connection admin("admin");
    configure(admin, o, "postgres");
    admin.exec("set client_min_messages = warning");
    admin.exec(std::string("drop database if exists ") + kDatabase + " with (force)");
    admin.exec(std::string("create database ") + kDatabase + " template company_tpl");

    db::Connection con("fill");
    configure(con, o, kDatabase);
    auto start = std::chrono::steady_clock::now();
    runScript(con, readFile(LEDGER_BENCH_FILL_SQL));
    const double fillMs = msSince(start);
    start = std::chrono::steady_clock::now();
    con.exec("vacuum analyze jurnal, conta_sold_initial, doc, doc_poz, conta, conts, data_list");
    std::printf("filled %s in %.1f s, vacuum analyze %.1f s\n", kDatabase, fillMs / 1000, msSince(start) / 1000);
    db::PgResult r = con.exec("select count(*), count(distinct (conts, conta)), pg_size_pretty(pg_database_size(current_database()))"
                              " from jurnal");
    std::printf("journal lines %s, analytic accounts %s, database size %s\n", std::string(r.text(0, 0)).c_str(),
                std::string(r.text(0, 1)).c_str(), std::string(r.text(0, 2)).c_str());
}

// Planning plus execution time as the server reports it.
double serverMs(db::Connection& con, const std::string& statement, const std::string& conts)
{
    const db::PreparedSql sql = db::prepareSql(statement);
    db::PgResult r = con.exec("explain (analyze, timing off) " + sql.text, {conts});
    double total = 0;
    for (int i = 0; i < r.rows(); ++i) {
        const std::string line(r.text(i, 0));
        for (const char* key : {"Planning Time: ", "Execution Time: "})
            if (auto p = line.find(key); p != std::string::npos)
                total += std::stod(line.substr(p + std::string(key).size()));
    }
    return total;
}

struct PsqlRun {
    double fetchMs = 0; // psql's own \\timing: send to last row received
    double cpuMs = 0;   // psql's processor time, start-up and formatting included
};

// psql fetching the same statement once, its output thrown away.
PsqlRun psqlRun(const Options& o, const std::string& statement, const std::string& conts)
{
    char path[] = "/tmp/ledger_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file");
    close(fd);
    {
        std::ofstream out(path);
        out << "\\o /dev/null\n\\timing on\n" << statement << "\n;\n";
    }
    setenv("PGPASSWORD", o.password.c_str(), 1);
    const std::string cmd = "psql -X -q \"host=" + o.host + " port=" + std::to_string(o.port) + " user=" + o.user
        + " dbname=" + kDatabase + " sslmode=prefer\" -v ON_ERROR_STOP=1 -v pConts=\"'" + conts + "'\" -f " + path;
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        throw std::runtime_error("cannot run psql");
    PsqlRun run;
    bool timed = false;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p))
        if (std::string line(buf); line.rfind("Time: ", 0) == 0) {
            run.fetchMs = std::stod(line.substr(6));
            timed = true;
        }
    const int rc = pclose(p);
    getrusage(RUSAGE_CHILDREN, &after);
    unlink(path);
    if (rc != 0 || !timed)
        throw std::runtime_error("psql failed on the statement");
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    run.cpuMs = ms(after.ru_utime) + ms(after.ru_stime) - ms(before.ru_utime) - ms(before.ru_stime);
    return run;
}

double cpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

struct Figures {
    int rows = 0;
    long long firstNrCrt = 0;
    double server = 0, fetch = 0, fetchCpu = 0, psql = 0, psqlCpu = 0, bytesPerRow = 0;
};

// Server time, dataset fetch and psql fetch, taken in turns so that load from
// elsewhere on the machine falls on all three alike; medians.
Figures measure(const Options& o, db::Connection& con, ledger::FisaContAnaliticQuery& q, const std::string& statement,
                const std::string& conts)
{
    std::vector<double> server, fetch, fetchCpu, psql, psqlCpu;
    for (int i = 0; i < o.repeat; ++i) {
        server.push_back(serverMs(con, statement, conts));
        const double cpu = cpuNowMs();
        const auto start = std::chrono::steady_clock::now();
        q.run(conts);
        fetch.push_back(msSince(start));
        fetchCpu.push_back(cpuNowMs() - cpu);
        const PsqlRun p = psqlRun(o, statement, conts);
        psql.push_back(p.fetchMs);
        psqlCpu.push_back(p.cpuMs);
    }
    Figures f;
    f.server = median(server);
    f.fetch = median(fetch);
    f.fetchCpu = median(fetchCpu);
    f.psql = median(psql);
    f.psqlCpu = median(psqlCpu);
    f.rows = q.dsFisaContAnalitic.recordCount();
    f.firstNrCrt = f.rows ? q.dsFisaContAnalitic.rows().integer(0, q.dsFisaContAnalitic.fieldIndex("nr_crt")) : 0;
    f.bytesPerRow = f.rows ? double(q.dsFisaContAnalitic.rows().bytesUsed()) / f.rows : 0;
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Options o = parse(argc, argv);
        createCompany(o);

        db::Connection conUlv("conUlv");
        configure(conUlv, o, kDatabase);
        ledger::FisaContAnaliticQuery dataset(&conUlv);

        struct Statement {
            std::string name;
            std::string text;
        };
        std::vector<Statement> statements{{"product", ledger::FisaContAnaliticQuery::statementText()}};
        if (!o.referenceFile.empty())
            statements.push_back({"reference", readFile(o.referenceFile)});

        std::printf("\nperiod 2025-01-01 .. 2025-12-31; median of %d runs; times in ms\n"
                    "server: planning + execution (explain analyze); dataset: run() wall time, rows parsed and stored;\n"
                    "psql: its \\timing to /dev/null; ds_cpu / psql_cpu: processor time of this program's run() /\n"
                    "of the psql process (start-up and output formatting included)\n",
                    o.repeat);
        std::printf("%-6s %-9s %7s %9s %9s %9s %9s %7s %9s %9s %9s\n", "conts", "statement", "rows", "nr_crt_1",
                    "server", "dataset", "psql", "ds/psql", "ds_cpu", "psql_cpu", "bytes/row");
        std::vector<std::string> speedups;
        for (const char* conts : {"5311", "401", "4111"}) {
            std::vector<double> server;
            for (const Statement& s : statements) {
                // The dataset runs the statement being timed, as the sheet would.
                dataset.dsFisaContAnalitic.setSql(s.text);
                const Figures f = measure(o, conUlv, dataset, s.text, conts);
                std::printf("%-6s %-9s %7d %9lld %9.1f %9.1f %9.1f %7.2f %9.1f %9.1f %9.0f\n", conts, s.name.c_str(),
                            f.rows, f.firstNrCrt, f.server, f.fetch, f.psql, f.fetch / f.psql, f.fetchCpu, f.psqlCpu,
                            f.bytesPerRow);
                std::fflush(stdout);
                server.push_back(f.server);
            }
            if (server.size() == 2)
                speedups.push_back(std::string(conts) + " " + std::to_string(server[1] / server[0]).substr(0, 5) + "x");
        }
        if (!speedups.empty()) {
            std::printf("server time, reference / product:");
            for (const std::string& s : speedups)
                std::printf("  %s", s.c_str());
            std::printf("\n");
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ledger_bench: %s\n", e.what());
        return 1;
    }
}
