#pragma once

#include "db/Connection.h"

#include <string>

namespace testsupport {

// Where the test run's PostgreSQL servers listen (tests/support/pg_fixture.sh).
struct FixtureInfo {
    std::string host;
    int tlsPort = 0;   // cluster that offers TLS
    int plainPort = 0; // cluster that refuses TLS
    std::string user;
    std::string password;
};

// Reads the fixture's description; throws when the test was not started by
// CTest with the "postgres" fixture.
const FixtureInfo& fixture();

// Points a connection at a database of the fixture, with the test account.
void configure(db::Connection& con, const std::string& database, bool tls = true);

// A database of its own for one test, cloned from a template of the fixture
// ("company_tpl" holds the company schema, "ulv_mob" the directory) and
// dropped when the object goes.
class ScratchDatabase {
public:
    explicit ScratchDatabase(const std::string& templateName = "company_tpl", bool tls = true);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const std::string& name() const { return name_; }
    int port() const;
    bool tls() const { return tls_; }
    // Runs SQL (several statements allowed) in this database, as the test account.
    void exec(const std::string& sql);
    // A connection to this database, as the product's connections are set up.
    void configure(db::Connection& con) const { testsupport::configure(con, name_, tls_); }

private:
    std::string name_;
    bool tls_;
    db::Connection admin_;
};

} // namespace testsupport
