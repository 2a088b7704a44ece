// The sign-in sequence against a real directory and company database.
#include "PgFixture.h"

#include "data/TdmCon.h"
#include "db/Query.h"
#include "login/PasswordDigest.h"
#include "login/SignInSequence.h"

#include <gtest/gtest.h>

namespace {

std::string sqlText(const std::string& s)
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

class SignIn : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::configure(dm.conUlvMob, directory.name());
        directory.exec("insert into m_firma (nume_firma, ip, port, db_name, activ, m_site, pw_hash_type) values ("
                       "'Firma SRL', '127.0.0.1', " + std::to_string(company.port()) + ", " + sqlText(company.name())
                       + ", false, false, 'HashSHA2'),"
                       "('Plain SRL', '127.0.0.1', " + std::to_string(company.port()) + ", " + sqlText(company.name())
                       + ", true, true, null);");
        company.exec("insert into emitent (emitent, operator_parola, eu_punct_lucru, data_ins) values"
                     " ('ana', " + sqlText(login::sha256Hex("parolă").toStdString()) + ", 'PL Centru', current_date),"
                     " ('ion', 'plain pw', 'PL Nord', current_date),"
                     " ('dan', " + sqlText(login::sha256Hex("").toStdString()) + ", 'PL Sud', current_date);"
                     "insert into aplicatie_mob values ('WMORV', true, null), ('Other', true, null);"
                     "insert into aplicatie_mob_emitent values ('wMorv', 'ana', 'admin'), ('wmorv', 'ion', null),"
                     " ('wmorv', 'dan', 'viewer');"
                     "insert into eu (cod_cci, data_incep_activitate, tara, localit, adresa, metoda_stoc,"
                     " tip_contabilitate, data_denominare, norma, jas_ip) values ('1', '2020-01-01', 'RO', 'Iasi',"
                     " 'Str. 1', 'FIFO', 'partida dubla', '2005-07-01', 8, '10.0.0.5:18080');");
        login::SignInSequence::configureDirectoryQuery(dsUlvMobil);
    }

    std::string refusal(const QString& company, const QString& user, const QString& password)
    {
        try {
            run(company, user, password);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "signed in";
    }

    void run(const QString& companyName, const QString& user, const QString& password)
    {
        login::SignInSequence(dm, dsUlvMobil, app).run(companyName, user, password);
    }

    testsupport::ScratchDatabase directory{"ulv_mob"};
    testsupport::ScratchDatabase company{"company_tpl"};
    TdmCon dm;
    db::Query dsUlvMobil{"dsUlvMobil", &dm.conUlvMob};
    QString app = QStringLiteral("wmorv");
};

TEST_F(SignIn, SuccessFillsTheGlobalFieldsAndLeavesTheOperatorsRowsOpen)
{
    run("Firma SRL", "ana", QStringLiteral("parolă"));
    EXPECT_EQ(dm.glNumeFirma, "Firma SRL");
    EXPECT_EQ(dm.glUser, "ana");
    EXPECT_EQ(dm.glUserPass, QStringLiteral("parolă")) << "the password as typed, never the digest";
    EXPECT_EQ(dm.glDataBase.toStdString(), company.name());
    EXPECT_EQ(dm.glUserRol, "admin");
    EXPECT_EQ(dm.glEuPL, "PL Centru");
    EXPECT_EQ(dm.glJasIP, "10.0.0.5:18080");
    EXPECT_EQ(dm.glJasProtocol, "http") << "8080 inside 18080 counts";
    EXPECT_EQ(dm.glUserDocsPath, "");
    EXPECT_TRUE(dm.dsAplicatieMobEmitent.active());
    EXPECT_TRUE(dm.dsEu.active());
    EXPECT_FALSE(dm.dsEmitent.active());
    EXPECT_FALSE(dm.dsAplicatieMob.active());
    EXPECT_FALSE(dsUlvMobil.active());
    EXPECT_EQ(dm.conUlv.sslMode(), db::SslMode::Prefer);
    EXPECT_EQ(dm.conUlv.port(), company.port());
    EXPECT_TRUE(dm.conUlvMob.connected()) << "the directory connection stays";
    EXPECT_FALSE(dm.conUlv.connected()) << "the company connection works disconnected";
}

TEST_F(SignIn, RefusalsCarryTheirMessagesAndCleanUp)
{
    company.exec("insert into emitent (emitent, operator_parola, eu_punct_lucru, data_ins) values"
                 " ('noapp', 'x', 'PL', current_date);");
    struct Case { QString company, user, password; std::string message; };
    const Case cases[] = {
        {"Nimeni SRL", "ana", "parolă", "Companie inexistenta"},
        {" Firma SRL", "ana", "parolă", "Companie inexistenta"},
        {"firma srl", "ana", "parolă", "Companie inexistenta"},
        {"", "ana", "parolă", "Companie inexistenta"},
        {"Firma SRL", "ana", "parola", "User, Password eronate"},
        {"Firma SRL", "Ana", "parolă", "User, Password eronate"},
        {"Plain SRL", "ana", "parolă", "User, Password eronate"},
        {"Firma SRL", "noapp", "x", "User, Password eronate"},
        {"Plain SRL", "noapp", "x", "Aplicatia wmorv nu este disponibila pentru user-ul noapp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(refusal(c.company, c.user, c.password), c.message) << c.company.toStdString() << "/" << c.user.toStdString();
        EXPECT_EQ(dm.glNumeFirma, c.company) << "set before any check";
        EXPECT_EQ(dm.glUser, "") << "nothing else is set before all checks pass";
        EXPECT_FALSE(dsUlvMobil.active());
        EXPECT_FALSE(dm.dsEmitent.active());
        EXPECT_FALSE(dm.dsAplicatieMob.active());
    }
    EXPECT_TRUE(dm.dsAplicatieMobEmitent.active()) << "left open, without a row, after the last refusal";
    EXPECT_EQ(dm.dsAplicatieMobEmitent.recordCount(), 0);
}

TEST_F(SignIn, ApplicationMustBeActiveForTheCompany)
{
    company.exec("update aplicatie_mob set activ = false where aplicatie_mob = 'WMORV'");
    app = QStringLiteral("Wmorv");
    EXPECT_EQ(refusal("Plain SRL", "ion", "plain pw"), "Aplicatia Wmorv nu este disponibila");
    company.exec("update aplicatie_mob set activ = true");
    run("Plain SRL", "ion", "plain pw");
    EXPECT_EQ(dm.glUserRol, "") << "a null role reads as empty";
}

TEST_F(SignIn, EmptyPasswordIsDigestedAndEmptyEuIsAccepted)
{
    company.exec("delete from eu");
    run("Firma SRL", "dan", "");
    EXPECT_EQ(dm.glJasIP, "");
    EXPECT_EQ(dm.glJasProtocol, "https");
}

TEST_F(SignIn, HashTypeMustMatchExactly)
{
    for (const char* type : {"hashsha2", "HashSHA2 "}) {
        directory.exec(std::string("update m_firma set pw_hash_type = ") + sqlText(type) + " where nume_firma = 'Firma SRL'");
        EXPECT_EQ(refusal("Firma SRL", "ion", "plain pw"), "signed in") << type;
        EXPECT_EQ(refusal("Firma SRL", "ana", "parolă"), "User, Password eronate") << type;
    }
}

TEST_F(SignIn, FailureAtTheLastStepKeepsTheCheckedOperator)
{
    company.exec("alter table eu drop column gln");
    EXPECT_EQ(refusal("Firma SRL", "ana", "parolă"), "dsEu: Field 'gln' not found");
    EXPECT_EQ(dm.glUser, "ana");
    EXPECT_EQ(dm.glUserRol, "admin");
    EXPECT_EQ(dm.glJasProtocol, "") << "not reached";
    EXPECT_TRUE(dm.dsAplicatieMobEmitent.active());
    EXPECT_FALSE(dm.dsEu.active());
}

TEST_F(SignIn, UnreachableDirectoryFailsWithTheConnectionMessage)
{
    dm.conUlvMob.setPort(1);
    const std::string message = refusal("Firma SRL", "ana", "parolă");
    EXPECT_NE(message.find("Connection refused"), std::string::npos) << message;
    EXPECT_EQ(dm.glNumeFirma, "Firma SRL");
}

} // namespace
