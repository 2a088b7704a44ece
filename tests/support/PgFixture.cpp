#include "PgFixture.h"

#include "db/DbError.h"

#include <libpq-fe.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

namespace {

std::map<std::string, std::string> readEnvFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("PostgreSQL fixture not running: " + path
                                 + " is missing (run the test through ctest, which starts the fixture)");
    std::map<std::string, std::string> out;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos)
            out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

FixtureInfo load()
{
    const char* path = std::getenv("WMORV_PG_FIXTURE");
    if (!path)
        throw std::runtime_error("WMORV_PG_FIXTURE is not set: run the test through ctest");
    auto env = readEnvFile(path);
    FixtureInfo info;
    info.host = env["HOST"];
    info.tlsPort = std::stoi(env["TLS_PORT"]);
    info.plainPort = std::stoi(env["PLAIN_PORT"]);
    info.user = env["USER"];
    std::ifstream pw(env["PASSWORD_FILE"]);
    std::getline(pw, info.password);
    return info;
}

} // namespace

const FixtureInfo& fixture()
{
    static const FixtureInfo info = load();
    return info;
}

void configure(db::Connection& con, const std::string& database, bool tls)
{
    const FixtureInfo& f = fixture();
    con.setServer(f.host);
    con.setPort(tls ? f.tlsPort : f.plainPort);
    con.setDatabase(database);
    con.setUserName(f.user);
    con.setPassword(f.password);
}

ScratchDatabase::ScratchDatabase(const std::string& templateName, bool tls) : tls_(tls), admin_("admin")
{
    static std::atomic<int> counter{0};
    name_ = "t_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    testsupport::configure(admin_, "postgres", tls);
    admin_.setSslMode(db::SslMode::Prefer);
    admin_.exec("drop database if exists \"" + name_ + "\"");
    admin_.exec("create database \"" + name_ + "\" template \"" + templateName + "\"");
}

ScratchDatabase::~ScratchDatabase()
{
    try {
        testsupport::configure(admin_, "postgres", tls_);
        admin_.exec("drop database if exists \"" + name_ + "\" with (force)");
    } catch (const std::exception&) {
        // The cluster is removed at the end of the run anyway.
    }
}

int ScratchDatabase::port() const { return tls_ ? fixture().tlsPort : fixture().plainPort; }

void ScratchDatabase::exec(const std::string& sql)
{
    const FixtureInfo& f = fixture();
    const std::string port = std::to_string(this->port());
    const char* keys[] = {"host", "port", "dbname", "user", "password", "sslmode", nullptr};
    const char* values[] = {f.host.c_str(), port.c_str(), name_.c_str(), f.user.c_str(), f.password.c_str(), "prefer", nullptr};
    std::unique_ptr<PGconn, decltype(&PQfinish)> conn(PQconnectdbParams(keys, values, 0), &PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw db::DbError(PQerrorMessage(conn.get()));
    std::unique_ptr<PGresult, decltype(&PQclear)> res(PQexec(conn.get(), sql.c_str()), &PQclear);
    const auto st = PQresultStatus(res.get());
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
        throw db::DbError(PQresultErrorMessage(res.get()));
}

} // namespace testsupport
