// Connections against the fixture's two servers: disconnected mode, TLS
// modes, time-outs and an environment that tries to steer libpq elsewhere.
#include "PgFixture.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

using db::FieldKind;

// Sessions of the test account on the database, seen from another connection.
int sessionsOn(const std::string& database)
{
    db::Connection watcher("watcher");
    testsupport::configure(watcher, "postgres");
    db::Query q("dsSessions", &watcher);
    q.setSql(std::string("select count(*)::integer as n from pg_stat_activity where datname = :pDb and pid <> pg_backend_pid()"));
    q.addField({"n", FieldKind::Integer});
    q.setParam("pDb", database);
    q.open();
    return static_cast<int>(q.asInteger("n"));
}


TEST(Connection, DisconnectedModeHoldsNoSessionBetweenOperations)
{
    testsupport::ScratchDatabase scratch;
    scratch.exec("create table t (a integer); insert into t values (1), (2);");
    db::Connection con("conUlv");
    scratch.configure(con);
    con.setDisconnected(true);
    db::Query q("dsT", &con);
    q.setSql(std::string("select a from t order by a"));
    q.addField({"a", FieldKind::Integer});
    EXPECT_FALSE(con.connected()) << "connects on demand only";
    q.open();
    EXPECT_FALSE(con.connected());
    EXPECT_EQ(sessionsOn(scratch.name()), 0);
    EXPECT_EQ(q.recordCount(), 2) << "rows stay while the connection is closed";
    scratch.exec("insert into t values (3)");
    q.refresh();
    EXPECT_EQ(q.recordCount(), 3) << "the next operation reconnects by itself";
    EXPECT_EQ(sessionsOn(scratch.name()), 0);

    con.setDisconnected(false);
    q.refresh();
    EXPECT_TRUE(con.connected());
    EXPECT_EQ(sessionsOn(scratch.name()), 1) << "without disconnected mode the session stays";
    con.setDatabase("postgres");
    EXPECT_FALSE(con.connected()) << "pointing elsewhere closes the open session";
}

TEST(Connection, SslModesAgainstServersWithAndWithoutTls)
{
    auto sslInUse = [](bool tlsServer, db::SslMode mode) {
        db::Connection con("conUlvMob");
        testsupport::configure(con, "ulv_mob", tlsServer);
        con.setSslMode(mode);
        db::Query q("dsSsl", &con);
        q.setSql(std::string("select ssl from pg_stat_ssl where pid = pg_backend_pid()"));
        q.addField({"ssl", FieldKind::Boolean});
        q.open();
        EXPECT_EQ(con.usesSsl(), std::get<bool>(q.value("ssl")));
        return std::get<bool>(q.value("ssl"));
    };
    EXPECT_TRUE(sslInUse(true, db::SslMode::Require));
    EXPECT_TRUE(sslInUse(true, db::SslMode::Prefer));
    EXPECT_FALSE(sslInUse(false, db::SslMode::Prefer));
    EXPECT_FALSE(sslInUse(true, db::SslMode::Disable));
    try {
        sslInUse(false, db::SslMode::Require);
        ADD_FAILURE() << "require connected to a server without TLS";
    } catch (const db::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("does not support SSL"), std::string::npos) << e.what();
    }
}

TEST(Connection, WrongPasswordAndMissingDatabaseCarryTheServerMessage)
{
    db::Connection con("conUlv");
    testsupport::configure(con, "no_such_db");
    try {
        con.connect();
        ADD_FAILURE();
    } catch (const db::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("database \"no_such_db\" does not exist"), std::string::npos) << e.what();
    }
    testsupport::configure(con, "ulv_mob");
    con.setPassword("wrong");
    try {
        con.connect();
        ADD_FAILURE();
    } catch (const db::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("password authentication failed"), std::string::npos) << e.what();
    }
}

TEST(Connection, ServerThatNeverAnswersFailsAtTheTimeout)
{
    // A socket that listens but never accepts: the TCP handshake completes
    // and the server's greeting never comes.
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(fd, 8), 0);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);

    db::Connection con("conUlv");
    testsupport::configure(con, "ulv_mob");
    con.setPort(ntohs(addr.sin_port));
    con.setConnectTimeoutSeconds(2);
    const auto start = std::chrono::steady_clock::now();
    try {
        con.connect();
        ADD_FAILURE() << "connected to a silent server";
    } catch (const db::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("timeout"), std::string::npos) << e.what();
    }
    // A hang guard, not a measurement: without the time-out libpq would wait forever.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    close(fd);
}

TEST(Connection, RefusedPortFailsWithLibpqMessage)
{
    db::Connection con("conUlv");
    testsupport::configure(con, "ulv_mob");
    con.setServer("127.0.0.1");
    con.setPort(1); // nothing listens on port 1
    try {
        con.connect();
        ADD_FAILURE();
    } catch (const db::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("Connection refused"), std::string::npos) << e.what();
    }
}

TEST(Connection, HostileEnvironmentChangesNothing)
{
    setenv("PGHOST", "203.0.113.1", 1);
    setenv("PGHOSTADDR", "203.0.113.1", 1);
    setenv("PGPORT", "1", 1);
    setenv("PGUSER", "postgres", 1);
    setenv("PGDATABASE", "template1", 1);
    setenv("PGSSLMODE", "verify-full", 1);
    setenv("PGOPTIONS", "-c search_path=nowhere -c statement_timeout=1", 1);
    setenv("PGDATESTYLE", "SQL, DMY", 1);
    setenv("PGTZ", "Pacific/Kiritimati", 1);
    setenv("PGCLIENTENCODING", "LATIN1", 1);

    testsupport::ScratchDatabase scratch;
    scratch.exec("create table t (d date, x double precision, s text);"
                 "insert into t values ('2025-03-31', 1.5, 'ș');");
    db::Connection con("conUlv");
    scratch.configure(con);
    con.setSslMode(db::SslMode::Prefer);
    db::Query q("dsT", &con);
    q.setSql(std::string("select d, x, s, current_user::text as u, current_database()::text as db,"
                         " current_setting('search_path') as sp, pg_sleep(0.01)::text as slept from t"));
    q.addField({"d", FieldKind::Date});
    q.addField({"x", FieldKind::Float});
    q.addField({"s", FieldKind::WideMemo});
    q.addField({"u", FieldKind::WideMemo});
    q.addField({"db", FieldKind::WideMemo});
    q.addField({"sp", FieldKind::WideMemo});
    q.open();
    EXPECT_EQ(std::get<db::Date>(q.value("d")), db::dateFromCivil(2025, 3, 31));
    EXPECT_EQ(q.asFloat("x"), 1.5);
    EXPECT_EQ(q.asString("s"), "ș");
    EXPECT_EQ(q.asString("u"), "ulv");
    EXPECT_EQ(q.asString("db"), scratch.name());
    EXPECT_EQ(q.asString("sp"), "\"$user\", public");
    for (const char* name : {"PGHOST", "PGHOSTADDR", "PGPORT", "PGUSER", "PGDATABASE", "PGSSLMODE", "PGOPTIONS",
                             "PGDATESTYLE", "PGTZ", "PGCLIENTENCODING"})
        unsetenv(name);
}

} // namespace
