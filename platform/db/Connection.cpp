#include "Connection.h"

#include "DbError.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

extern char** environ;

namespace db {

namespace {

std::string trimmedMessage(const char* message)
{
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// libpq falls back on PG* environment variables for every setting that is not
// given (hostaddr, service files, client certificates, DateStyle, time zone,
// GEQO ...), and an empty value given explicitly counts as not given. The
// program must behave the same whatever the operator's environment holds, so
// these variables are removed from the process before each connection.
void scrubLibpqEnvironment()
{
    std::vector<std::string> names;
    for (char** env = environ; env && *env; ++env) {
        const std::string_view entry(*env);
        if (entry.size() > 2 && entry.substr(0, 2) == "PG") {
            const auto eq = entry.find('=');
            names.emplace_back(entry.substr(0, eq));
        }
    }
    for (const auto& name : names)
        unsetenv(name.c_str());
}

// The error a failed result carries. The primary message is the server's own
// sentence, without the "ERROR:" prefix and the position lines that libpq
// adds around it.
DbError resultError(const PGresult* result, PGconn* conn)
{
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    std::string message = trimmedMessage(primary ? primary : PQresultErrorMessage(result));
    if (message.empty())
        message = trimmedMessage(PQerrorMessage(conn));
    return DbError(message, state ? state : "");
}

std::vector<const char*> parameterTexts(const std::vector<std::optional<std::string>>& params)
{
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const auto& p : params)
        values.push_back(p ? p->c_str() : nullptr);
    return values;
}

} // namespace

const char* sslModeName(SslMode mode)
{
    switch (mode) {
    case SslMode::Disable: return "disable";
    case SslMode::Require: return "require";
    case SslMode::Prefer: return "prefer";
    case SslMode::Allow: return "allow";
    case SslMode::VerifyCA: return "verify-ca";
    case SslMode::VerifyFull: return "verify-full";
    }
    return "prefer";
}

void Connection::ConnDeleter::operator()(pg_conn* conn) const { PQfinish(conn); }

Connection::Connection(std::string name) : name_(std::move(name)) {}

Connection::~Connection() = default;

void Connection::setServer(const std::string& server)
{
    if (server != server_)
        disconnect();
    server_ = server;
}

void Connection::setPort(int port)
{
    if (port != port_)
        disconnect();
    port_ = port;
}

void Connection::setDatabase(const std::string& database)
{
    if (database != database_)
        disconnect();
    database_ = database;
}

bool Connection::connected() const { return conn_ && PQstatus(conn_.get()) == CONNECTION_OK; }

void Connection::connect()
{
    if (connected())
        return;
    conn_.reset();
    scrubLibpqEnvironment();

    const std::string port = std::to_string(port_ == 0 ? 5432 : port_);
    const std::string timeout = std::to_string(connectTimeout_);
    // Server settings the parser relies on, given explicitly so that neither
    // the server's defaults nor the environment change how values arrive.
    const char* options = "-c DateStyle=ISO,YMD -c IntervalStyle=postgres -c extra_float_digits=1";
    const std::string appName = applicationName_.empty() ? "wmorv" : applicationName_;
    const char* keys[] = {"host", "port", "dbname", "user", "password", "sslmode", "connect_timeout",
                          "client_encoding", "options", "application_name", "gssencmode", nullptr};
    const char* values[] = {server_.c_str(), port.c_str(), database_.c_str(), user_.c_str(),
                            password_.c_str(), sslModeName(sslMode_), timeout.c_str(), "UTF8",
                            options, appName.c_str(), "disable", nullptr};
    std::unique_ptr<pg_conn, ConnDeleter> conn(PQconnectdbParams(keys, values, 0));
    if (!conn)
        throw DbError("out of memory while connecting to the server");
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw DbError(trimmedMessage(PQerrorMessage(conn.get())));
    conn_ = std::move(conn);
}

void Connection::disconnect() { conn_.reset(); }

PgResult Connection::exec(const std::string& sql, const std::vector<std::optional<std::string>>& params)
{
    connect();
    const std::vector<const char*> values = parameterTexts(params);
    PgResult result(PQexecParams(conn_.get(), sql.c_str(), static_cast<int>(values.size()), nullptr,
                                 values.data(), nullptr, nullptr, 0));
    if (!result) {
        const std::string message = trimmedMessage(PQerrorMessage(conn_.get()));
        if (PQstatus(conn_.get()) != CONNECTION_OK)
            conn_.reset();
        throw DbError(message);
    }
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        DbError error = resultError(result.get(), conn_.get());
        // A broken session cannot be reused; the next operation reconnects.
        if (PQstatus(conn_.get()) != CONNECTION_OK)
            conn_.reset();
        throw error;
    }
    return result;
}

void Connection::execStreaming(const std::string& sql, const std::vector<std::optional<std::string>>& params,
                               const std::function<void(const PgResult&)>& onDescription,
                               const std::function<void(const PgResult&)>& onRow)
{
    connect();
    const std::vector<const char*> values = parameterTexts(params);
    if (!PQsendQueryParams(conn_.get(), sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                           nullptr, 0)) {
        const std::string message = trimmedMessage(PQerrorMessage(conn_.get()));
        if (PQstatus(conn_.get()) != CONNECTION_OK)
            conn_.reset();
        throw DbError(message);
    }
    PQsetSingleRowMode(conn_.get());

    std::exception_ptr failure;
    bool described = false;
    // Every result is read to the end, also after a failure, so that the
    // session is idle again for the next statement.
    while (PgResult result{PQgetResult(conn_.get())}) {
        if (failure)
            continue;
        const ExecStatusType status = PQresultStatus(result.get());
        try {
            if (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK) {
                if (!described) {
                    described = true;
                    onDescription(result);
                }
                if (status == PGRES_SINGLE_TUPLE)
                    onRow(result);
            } else if (status != PGRES_COMMAND_OK) {
                throw resultError(result.get(), conn_.get());
            }
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (PQstatus(conn_.get()) != CONNECTION_OK) {
        const std::string message = trimmedMessage(PQerrorMessage(conn_.get()));
        conn_.reset();
        if (!failure)
            throw DbError(message);
    }
    if (failure)
        std::rethrow_exception(failure);
}

void Connection::operationDone()
{
    if (disconnected_)
        disconnect();
}

int Connection::backendPid() const { return connected() ? PQbackendPID(conn_.get()) : 0; }

bool Connection::usesSsl() const { return connected() && PQsslInUse(conn_.get()) != 0; }

} // namespace db
