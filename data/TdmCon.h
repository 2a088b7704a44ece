#pragma once

#include "data/DeclaredCommand.h"
#include "data/GridStyles.h"
#include "data/StyleRepository.h"
#include "db/Connection.h"
#include "db/Query.h"

#include <QString>

// The connection data module (single instance dmCon): the one shared,
// non-visual container of the program. It holds the three connections, the
// queries of the sign-in and of the period row, the commands that nothing
// runs, the grid styles and the global sign-in fields. It has no behaviour
// of its own: windows use its components by name.
//
// Nothing is opened on construction: every connection starts disconnected
// and every query closed.
class TdmCon {
public:
    TdmCon();
    virtual ~TdmCon();
    TdmCon(const TdmCon&) = delete;
    TdmCon& operator=(const TdmCon&) = delete;

    // Connections, declared before the components that use them so that
    // they outlive them.
    db::Connection conUlv{"conUlv"};       // company database; pointed at the company at sign-in
    db::Connection conUlvMob{"conUlvMob"}; // directory database
    db::Connection conUlvGen{"conUlvGen"}; // used by no component, never connected

    // Queries on the company database. Only dsDataList writes (the period row).
    db::Query dsEmitent{"dsEmitent", &conUlv};
    db::Query dsAplicatieMob{"dsAplicatieMob", &conUlv};
    db::Query dsAplicatieMobEmitent{"dsAplicatieMobEmitent", &conUlv};
    db::Query dsEu{"dsEu", &conUlv};
    db::Query dsDataList{"dsDataList", &conUlv};

    // Declared and configured, run by nothing in this program.
    datamod::DeclaredCommand PgSQLInsertDocEmail;
    datamod::DeclaredCommand o_gen_xml_efactura;
    db::Query dsOauth2Emitent{"dsOauth2Emitent", &conUlv};

    // Grid styles: the repository and the sheet that the account sheet grid
    // and the analytic-account picker's grid paint with.
    const datamod::StyleRepository cxStyleRepository1;
    const grid::TableViewStyleSheet GridTableViewStyleSheetDevExpress;

    // Global sign-in fields: written by the sign-in, never cleared.
    QString glNumeFirma;
    QString glUser;
    QString glUserPass;
    QString glDataBase;
    QString glUserRol;
    QString glEuPL;
    QString glJasIP;
    QString glJasProtocol;
    QString glUserDocsPath;
};
