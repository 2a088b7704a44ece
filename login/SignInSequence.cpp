#include "SignInSequence.h"

#include "PasswordDigest.h"

#include "data/SqlResource.h"
#include "data/TdmCon.h"
#include "db/Query.h"

#include <stdexcept>

// Resources of a static library are registered by hand, from the global namespace.
static void initLoginResources() { Q_INIT_RESOURCE(login); }

namespace login {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

std::string text(const QString& s) { return s.toStdString(); }

QString field(const db::Query& query, const char* column) { return QString::fromStdString(query.asString(column)); }

} // namespace

SignInSequence::SignInSequence(TdmCon& dm, db::Query& dsUlvMobil, QString applicationName)
    : dm_(dm), dsUlvMobil_(dsUlvMobil), applicationName_(std::move(applicationName))
{
}

void SignInSequence::configureDirectoryQuery(db::Query& q)
{
    initLoginResources();
    using K = db::FieldKind;
    q.setSql(datamod::resourceLines(QStringLiteral(":/login/sql/dsUlvMobil.sql")));
    q.addField({"nume_firma", K::WideString, 200, true, false});
    q.addField({"ip", K::WideMemo, 0, false, false});
    q.addField({"port", K::Integer, 0, false, false});
    q.addField({"db_name", K::WideMemo, 0, false, false});
    q.addField({"activ", K::Boolean, 0, false, false});
    q.addField({"m_site", K::Boolean, 0, true, false});
    q.addField({"pw_hash_type", K::WideString, 23, false, false});
    q.setReadOnly(true);
}

void SignInSequence::run(const QString& company, const QString& user, const QString& password)
{
    dm_.glNumeFirma = company;
    dm_.conUlvMob.setSslMode(db::SslMode::Require);
    dsUlvMobil_.close();
    dsUlvMobil_.setParam("pNumeFirma", text(company));
    // Opening the directory query lies before the protected block: when it
    // fails nothing was opened, so there is nothing to clean up.
    dsUlvMobil_.open();
    try {
        checkCompanyAndOperator(user, password);
    } catch (...) {
        dm_.dsAplicatieMob.close();
        dm_.dsEmitent.close();
        dsUlvMobil_.close();
        throw;
    }
    dm_.dsAplicatieMob.close();
    dm_.dsEmitent.close();
    dsUlvMobil_.close();
}

void SignInSequence::checkCompanyAndOperator(const QString& user, const QString& password)
{
    if (dsUlvMobil_.recordCount() == 0)
        fail(QStringLiteral("Companie inexistenta"));
    dsUlvMobil_.first();

    db::Connection& con = dm_.conUlv;
    con.setServer(text(field(dsUlvMobil_, "ip")));
    con.setPort(static_cast<int>(dsUlvMobil_.asInteger("port")));
    con.setDatabase(text(field(dsUlvMobil_, "db_name")));
    con.setSslMode(db::SslMode::Prefer);

    dm_.dsEmitent.close();
    dm_.dsEmitent.setParam("pEmitent", text(user));
    dm_.dsEmitent.setParam("pP", text(passwordValue(password, field(dsUlvMobil_, "pw_hash_type"))));
    dm_.dsEmitent.open();
    if (dm_.dsEmitent.recordCount() == 0)
        fail(QStringLiteral("User, Password eronate"));

    dm_.dsAplicatieMob.close();
    dm_.dsAplicatieMob.setParam("pAplicatieMob", text(applicationName_));
    dm_.dsAplicatieMob.open();
    if (dm_.dsAplicatieMob.recordCount() == 0)
        fail(QStringLiteral("Aplicatia ") + applicationName_ + QStringLiteral(" nu este disponibila"));

    dm_.dsAplicatieMobEmitent.close();
    dm_.dsAplicatieMobEmitent.setParam("pEmitent", text(user));
    dm_.dsAplicatieMobEmitent.setParam("pAplicatieMob", text(applicationName_));
    dm_.dsAplicatieMobEmitent.open();
    if (dm_.dsAplicatieMobEmitent.recordCount() == 0)
        fail(QStringLiteral("Aplicatia ") + applicationName_ + QStringLiteral(" nu este disponibila pentru user-ul ")
             + user);

    dm_.glUser = user;
    dm_.glUserPass = password;
    dm_.glDataBase = field(dsUlvMobil_, "db_name");
    dm_.glUserRol = field(dm_.dsAplicatieMobEmitent, "rol");
    dm_.glEuPL = field(dm_.dsEmitent, "eu_punct_lucru");

    if (dm_.dsEu.active())
        dm_.dsEu.refresh();
    else
        dm_.dsEu.open();
    dm_.glJasIP = field(dm_.dsEu, "jas_ip");
    dm_.glJasProtocol = dm_.glJasIP.contains(QStringLiteral("8080")) ? QStringLiteral("http") : QStringLiteral("https");
}

} // namespace login
