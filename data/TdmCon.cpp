#include "TdmCon.h"

#include "data/DbAccount.h"
#include "data/DeclaredFields.h"
#include "data/SqlResource.h"

namespace {

using datamod::ParamDirection;
using datamod::ParamType;

// The company connection's server until the sign-in points it at the company
// found in the directory.
constexpr const char* companyPlaceholderServer = "192.168.0.10";

void configureConnection(db::Connection& con, const std::string& server, const std::string& database,
                         db::SslMode ssl, bool disconnected)
{
    con.setServer(server);
    con.setPort(5432);
    con.setDatabase(database);
    datamod::setAccount(con);
    con.setSslMode(ssl);
    con.setDisconnected(disconnected);
    con.setConnectTimeoutSeconds(15);
}

void configureQuery(db::Query& query, std::span<const datamod::FieldRow> fields, bool readOnly)
{
    query.setSql(datamod::sqlLines(query.name()));
    datamod::declareFields(query, fields);
    query.setReadOnly(readOnly);
}

} // namespace

TdmCon::TdmCon()
    : cxStyleRepository1(),
      GridTableViewStyleSheetDevExpress(datamod::toGridStyleSheet(datamod::devExpressStyleSheet(cxStyleRepository1)))
{
    configureConnection(conUlv, companyPlaceholderServer, "ulv1", db::SslMode::Require, true);
    configureConnection(conUlvMob, datamod::directoryHost(), "ulv_mob", db::SslMode::Require, false);
    configureConnection(conUlvGen, datamod::directoryHost(), "ulv_gen", db::SslMode::Prefer, true);

    configureQuery(dsEmitent, datamod::dsEmitentFields(), true);
    configureQuery(dsAplicatieMob, datamod::dsAplicatieMobFields(), true);
    configureQuery(dsAplicatieMobEmitent, datamod::dsAplicatieMobEmitentFields(), true);
    configureQuery(dsEu, datamod::dsEuFields(), true);
    // The account sheet edits the period row and posts it; the update is
    // made from the query, which reads one table.
    configureQuery(dsDataList, datamod::dsDataListFields(), false);

    PgSQLInsertDocEmail = {
        "PgSQLInsertDocEmail",
        &conUlv,
        datamod::sqlLines("PgSQLInsertDocEmail"),
        {{"pDataDoc", ParamType::Date, ParamDirection::Input},
         {"pTipDoc", ParamType::Text, ParamDirection::Input},
         {"pNrDoc", ParamType::Text, ParamDirection::Input},
         {"pEmitent", ParamType::Text, ParamDirection::Input},
         {"pEmailAdr", ParamType::Text, ParamDirection::Input}},
        {},
        {},
    };
    o_gen_xml_efactura = {
        "o_gen_xml_efactura",
        &conUlv,
        datamod::sqlLines("o_gen_xml_efactura"),
        {{"pdatadoc", ParamType::Date, ParamDirection::Input},
         {"ptipdoc", ParamType::UnicodeText, ParamDirection::Input},
         {"pnrdoc", ParamType::UnicodeText, ParamDirection::Input},
         {"pxmlef", ParamType::LongUnicodeText, ParamDirection::Output}},
        "o_gen_xml_efactura",
        "o_gen_xml_efactura:0",
    };

    dsOauth2Emitent.setSql(datamod::sqlLines("dsOauth2Emitent"));
    dsOauth2Emitent.addField({"cid", db::FieldKind::WideMemo, 0, true, false});
    dsOauth2Emitent.addField({"cs", db::FieldKind::WideMemo, 0, false, true});
    dsOauth2Emitent.addField({"at", db::FieldKind::WideMemo, 0, false, true});
    dsOauth2Emitent.addField({"rt", db::FieldKind::WideMemo, 0, false, true});
    dsOauth2Emitent.setReadOnly(true);
}

TdmCon::~TdmCon() = default;
