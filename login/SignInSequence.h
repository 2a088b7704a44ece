#pragma once

#include <QString>

class TdmCon;
namespace db {
class Query;
}

namespace login {

// The sign-in against the directory and the company database, without the
// dialog around it: look the company up, point the company connection at it,
// check the operator's password and the application's enablement, and fill
// the global sign-in fields. Failures are exceptions with the operator-facing
// message; the datasets are left open or closed as the dialog promises.
class SignInSequence {
public:
    SignInSequence(TdmCon& dm, db::Query& dsUlvMobil, QString applicationName);

    // Everything after saving the remembered names: on return the operator
    // is signed in. The password is compared as data, never used to connect.
    void run(const QString& company, const QString& user, const QString& password);

    // The directory query's SQL and declared fields, as the dialog holds it.
    static void configureDirectoryQuery(db::Query& dsUlvMobil);

private:
    void checkCompanyAndOperator(const QString& user, const QString& password);

    TdmCon& dm_;
    db::Query& dsUlvMobil_;
    QString applicationName_;
};

} // namespace login
