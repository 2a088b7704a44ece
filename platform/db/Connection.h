#pragma once

#include "PgResult.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct pg_conn;

namespace db {

enum class SslMode { Disable, Require, Prefer, Allow, VerifyCA, VerifyFull };
const char* sslModeName(SslMode mode);

// A PostgreSQL connection over libpq. It connects on demand, when a dataset
// needs the server. Every statement commits by itself; no transaction is started.
class Connection {
public:
    explicit Connection(std::string name = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const std::string& name() const { return name_; }

    // Changing server, port or database closes an open connection first.
    void setServer(const std::string& server);
    void setPort(int port); // 0 means the default port 5432
    void setDatabase(const std::string& database);
    void setUserName(const std::string& user) { user_ = user; }
    void setPassword(const std::string& password) { password_ = password; }
    void setSslMode(SslMode mode) { sslMode_ = mode; }
    // In disconnected mode the connection is closed after each operation; the
    // next one reconnects by itself.
    void setDisconnected(bool on) { disconnected_ = on; }
    void setConnectTimeoutSeconds(int seconds) { connectTimeout_ = seconds; }
    void setApplicationName(const std::string& appName) { applicationName_ = appName; }

    const std::string& server() const { return server_; }
    int port() const { return port_; }
    const std::string& database() const { return database_; }
    const std::string& userName() const { return user_; }
    SslMode sslMode() const { return sslMode_; }
    bool disconnectedMode() const { return disconnected_; }
    int connectTimeoutSeconds() const { return connectTimeout_; }
    bool hasPassword() const { return !password_.empty(); }

    bool connected() const;
    void connect();
    void disconnect();

    // Runs one statement with text parameters (nullopt is SQL null) and
    // returns its result, raising the server's error on failure.
    PgResult exec(const std::string& sql, const std::vector<std::optional<std::string>>& params = {});

    // Runs one statement and hands its rows over one at a time as they
    // arrive, so the caller works while the server still computes. The first
    // call of onDescription comes before any row (also for an empty result);
    // each onRow gets a result holding one row. A server error, or an
    // exception from a callback, ends the statement and is raised after the
    // session has been brought back to idle.
    void execStreaming(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                       const std::function<void(const PgResult&)>& onDescription,
                       const std::function<void(const PgResult&)>& onRow);

    // Marks the end of one dataset operation: in disconnected mode the server
    // connection is released here.
    void operationDone();

    // Backend process id of the open session, 0 when not connected (for diagnostics).
    int backendPid() const;
    bool usesSsl() const;

private:
    struct ConnDeleter {
        void operator()(pg_conn* conn) const;
    };

    std::string name_;
    std::string server_;
    int port_ = 0;
    std::string database_;
    std::string user_;
    std::string password_;
    SslMode sslMode_ = SslMode::Prefer;
    bool disconnected_ = false;
    int connectTimeout_ = 15;
    std::string applicationName_;
    std::unique_ptr<pg_conn, ConnDeleter> conn_;
};

} // namespace db
