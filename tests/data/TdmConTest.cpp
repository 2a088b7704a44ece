// The data module as configured: connection settings, SQL texts exactly as
// written (blanks included), declared fields, grid styles, the sign-in
// fields, and the password never present as plain text.
#include "data/TdmCon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using db::FieldKind;
using db::SslMode;

struct ConnectionCase {
    const char* name;
    db::Connection TdmCon::*member;
    std::string server; // empty: any fixed address, replaced at sign-in
    const char* database;
    SslMode ssl;
    bool disconnected;
};

TEST(TdmConConnections, CarryTheirSettingsAndStartDisconnected)
{
    const TdmCon dm;
    const ConnectionCase cases[] = {
        {"conUlv", &TdmCon::conUlv, "", "ulv1", SslMode::Require, true},
        {"conUlvMob", &TdmCon::conUlvMob, WMORV_TEST_DIRECTORY_HOST, "ulv_mob", SslMode::Require, false},
        {"conUlvGen", &TdmCon::conUlvGen, WMORV_TEST_DIRECTORY_HOST, "ulv_gen", SslMode::Prefer, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const db::Connection& con = dm.*c.member;
        EXPECT_EQ(con.name(), c.name);
        if (!c.server.empty())
            EXPECT_EQ(con.server(), c.server);
        else
            EXPECT_FALSE(con.server().empty());
        EXPECT_EQ(con.port(), 5432);
        EXPECT_EQ(con.database(), c.database);
        EXPECT_EQ(con.userName(), "ulv");
        EXPECT_EQ(con.hasPassword(), !std::string(WMORV_TEST_DB_PASSWORD).empty());
        EXPECT_EQ(con.sslMode(), c.ssl);
        EXPECT_EQ(con.disconnectedMode(), c.disconnected);
        EXPECT_EQ(con.connectTimeoutSeconds(), 15);
        EXPECT_FALSE(con.connected());
    }
}

struct QueryCase {
    db::Query TdmCon::*member;
    std::vector<std::string> lines;
    std::vector<std::string> params;
    std::size_t fieldCount;
    bool readOnly;
};

// The texts line by line; a lost trailing blank or a lost empty line would
// send another statement than the one configured.
TEST(TdmConQueries, HoldTheirSqlLinesParametersAndFields)
{
    const TdmCon dm;
    const QueryCase cases[] = {
        {&TdmCon::dsEmitent,
         {"select *", "from emitent", "where emitent = :pEmitent", "  and operator_parola = :pP", ";"},
         {"pEmitent", "pP"}, 65, true},
        {&TdmCon::dsAplicatieMob,
         {"select *", "from aplicatie_mob", "where lower(aplicatie_mob) = lower(:pAplicatieMob)", "  and activ", ";"},
         {"pAplicatieMob"}, 3, true},
        {&TdmCon::dsAplicatieMobEmitent,
         {"select *", "from aplicatie_mob_emitent", "where emitent = :pEmitent",
          "  and lower(aplicatie_mob) = lower(:pAplicatieMob)", ";"},
         {"pEmitent", "pAplicatieMob"}, 3, true},
        {&TdmCon::dsEu, {"select *", "from eu", ";"}, {}, 117, true},
        {&TdmCon::dsDataList, {"select * ", "from data_list", ";"}, {}, 8, false},
        {&TdmCon::dsOauth2Emitent,
         {"select oauth2_client_serviciu_em.cid,", "", "       oauth2_client.cs,", "       oauth2_client.at,",
          "       oauth2_client.rt",
          "from oauth2_client_serviciu_em left outer join oauth2_client on oauth2_client_serviciu_em.cid = "
          "oauth2_client.cid",
          "where oauth2_client_serviciu_em.emitent  = :pEmitent--'ULV'",
          "  and oauth2_client_serviciu_em.serviciu = :pServiciu --'eFact'", "order by oauth2_client_serviciu_em.cid",
          "limit 1", ";"},
         {"pEmitent", "pServiciu"}, 4, true},
    };
    for (const auto& c : cases) {
        const db::Query& q = dm.*c.member;
        SCOPED_TRACE(q.name());
        std::string joined;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            joined += (i ? "\n" : "") + c.lines[i];
        EXPECT_EQ(q.sql(), joined);
        std::vector<std::string> params;
        for (const auto& p : q.params()) {
            params.push_back(p.name);
            EXPECT_FALSE(p.value.has_value()) << p.name << " holds no value until set";
        }
        EXPECT_EQ(params, c.params);
        EXPECT_EQ(q.fields().size(), c.fieldCount);
        EXPECT_EQ(q.readOnly(), c.readOnly);
        EXPECT_EQ(q.connection(), &dm.conUlv);
        EXPECT_FALSE(q.active());

        std::set<std::string> columns;
        for (const auto& f : q.fields()) {
            EXPECT_TRUE(columns.insert(f.def.column).second) << "declared twice: " << f.def.column;
            EXPECT_EQ(f.objectName, q.name() + f.def.column);
            EXPECT_EQ(f.def.size > 0, f.def.kind == FieldKind::WideString) << f.def.column;
        }
    }
}

// A sample of the declared fields where the kinds differ from the common text
// and boolean columns, and the fields the program reads.
TEST(TdmConQueries, DeclareTheColumnKinds)
{
    const TdmCon dm;
    struct Case {
        const db::Query* query;
        const char* column;
        int position;
        FieldKind kind;
        int size;
        bool required;
    };
    const Case cases[] = {
        {&dm.dsEmitent, "emitent", 0, FieldKind::WideString, 100, true},
        {&dm.dsEmitent, "operator_parola", 6, FieldKind::WideString, 256, false},
        {&dm.dsEmitent, "eu_punct_lucru", 15, FieldKind::WideString, 50, true},
        {&dm.dsEmitent, "ci_data_elib", 22, FieldKind::Date, 0, false},
        {&dm.dsEmitent, "nr_zile_prezentare_doc", 43, FieldKind::Integer, 0, false},
        {&dm.dsEmitent, "data_ins", 44, FieldKind::Date, 0, true},
        {&dm.dsEmitent, "proc_comisionar", 49, FieldKind::Float, 0, false},
        {&dm.dsEmitent, "data_export", 61, FieldKind::DateTime, 0, false},
        {&dm.dsEmitent, "da_nu_generare_op", 64, FieldKind::Boolean, 0, true},
        {&dm.dsAplicatieMob, "activ", 1, FieldKind::Boolean, 0, true},
        {&dm.dsAplicatieMobEmitent, "rol", 2, FieldKind::WideMemo, 0, false},
        {&dm.dsEu, "cod_cci", 0, FieldKind::WideString, 20, true},
        {&dm.dsEu, "data_incep_activitate", 12, FieldKind::Date, 0, true},
        {&dm.dsEu, "norma", 69, FieldKind::Float, 0, true},
        {&dm.dsEu, "jas_ip", 107, FieldKind::WideMemo, 0, false},
        {&dm.dsEu, "gln", 110, FieldKind::WideString, 13, false},
        {&dm.dsEu, "reges_cod_act_id_pf", 116, FieldKind::WideString, 25, false},
        {&dm.dsDataList, "data_incep", 0, FieldKind::Date, 0, true},
        {&dm.dsDataList, "moneda_raportare", 6, FieldKind::WideString, 3, false},
        {&dm.dsDataList, "curs_raportare", 7, FieldKind::Float, 0, false},
        {&dm.dsOauth2Emitent, "cid", 0, FieldKind::WideMemo, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query->name() + "." + c.column);
        const db::Field& f = c.query->fieldByName(c.column);
        EXPECT_EQ(f.index, c.position);
        EXPECT_EQ(f.def.kind, c.kind);
        EXPECT_EQ(f.def.size, c.size);
        EXPECT_EQ(f.def.required, c.required);
        EXPECT_FALSE(f.def.readOnly);
    }
    for (const char* column : {"cs", "at", "rt"})
        EXPECT_TRUE(dm.dsOauth2Emitent.fieldByName(column).def.readOnly) << column;
}

TEST(TdmConCommands, AreDeclaredAsConfigured)
{
    using datamod::ParamDirection;
    using datamod::ParamType;
    const TdmCon dm;

    const auto& insert = dm.PgSQLInsertDocEmail;
    EXPECT_EQ(insert.connection, &dm.conUlv);
    EXPECT_EQ(insert.sqlLines,
              (std::vector<std::string>{"insert into doc_email (data_doc,", "                       tip_doc,",
                                        "                       nr_doc,", "                       emitent,",
                                        "                       email_adr)", "values (:pDataDoc,", "        :pTipDoc,",
                                        "        :pNrDoc,", "        :pEmitent,", "        :pEmailAdr)", ";"}));
    ASSERT_EQ(insert.params.size(), 5u);
    EXPECT_EQ(insert.params[0].name, "pDataDoc");
    EXPECT_EQ(insert.params[0].type, ParamType::Date);
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(insert.params[i].type, ParamType::Text);
        EXPECT_EQ(insert.params[i].direction, ParamDirection::Input);
    }
    EXPECT_TRUE(insert.storedProcName.empty());

    const auto& proc = dm.o_gen_xml_efactura;
    EXPECT_EQ(proc.connection, &dm.conUlv);
    EXPECT_EQ(proc.sqlLines, std::vector<std::string>{"SELECT o_gen_xml_efactura(:pdatadoc, :ptipdoc, :pnrdoc)"});
    EXPECT_EQ(proc.storedProcName, "o_gen_xml_efactura");
    EXPECT_EQ(proc.overload, "o_gen_xml_efactura:0");
    ASSERT_EQ(proc.params.size(), 4u);
    EXPECT_EQ(proc.params[3].name, "pxmlef");
    EXPECT_EQ(proc.params[3].type, ParamType::LongUnicodeText);
    EXPECT_EQ(proc.params[3].direction, ParamDirection::Output);
}

TEST(TdmConStyles, FourteenStylesWithTheirColoursAndFonts)
{
    const TdmCon dm;
    struct Case {
        const char* name;
        QColor color;
        std::optional<QColor> text;
        int font; // 0 none, 1 regular, 2 bold
    };
    const QColor black(0, 0, 0), white(255, 255, 255), navy(0, 0, 128);
    const Case cases[] = {
        {"cxStyle1", QColor(255, 251, 240), {}, 0},    {"cxStyle2", QColor(217, 234, 247), black, 1},
        {"cxStyle3", QColor(217, 234, 247), black, 0}, {"cxStyle4", QColor(234, 243, 251), black, 0},
        {"cxStyle5", QColor(255, 255, 225), black, 0}, {"cxStyle6", QColor(255, 255, 225), navy, 2},
        {"cxStyle7", QColor(241, 239, 226), {}, 0},    {"cxStyle8", QColor(254, 213, 71), black, 0},
        {"cxStyle9", QColor(49, 106, 197), white, 2},  {"cxStyle10", QColor(164, 196, 235), {}, 0},
        {"cxStyle11", QColor(254, 213, 71), black, 0}, {"cxStyle12", QColor(164, 196, 235), {}, 0},
        {"cxStyle13", QColor(255, 255, 225), navy, 2}, {"cxStyle14", QColor(49, 106, 197), white, 0},
    };
    ASSERT_EQ(dm.cxStyleRepository1.styles().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const datamod::Style& s = dm.cxStyleRepository1.styles()[i];
        EXPECT_EQ(s.name.toStdString(), c.name);
        EXPECT_EQ(s.color, c.color);
        EXPECT_EQ(s.textColor, c.text);
        ASSERT_EQ(s.font.has_value(), c.font != 0);
        if (s.font) {
            EXPECT_EQ(s.font->family, "MS Sans Serif");
            EXPECT_EQ(s.font->pixelHeight, 11);
            EXPECT_EQ(s.font->bold, c.font == 2);
        }
    }
    // Font colours: only cxStyle13 has a fixed one besides cxStyle2's black.
    const auto fontColor = [&](const char* name) { return *dm.cxStyleRepository1.style(name).font->color; };
    EXPECT_EQ(fontColor("cxStyle2"), datamod::FontColor(black));
    EXPECT_EQ(fontColor("cxStyle6"), datamod::FontColor(QPalette::WindowText));
    EXPECT_EQ(fontColor("cxStyle9"), datamod::FontColor(QPalette::WindowText));
    EXPECT_EQ(fontColor("cxStyle13"), datamod::FontColor(navy));
    EXPECT_THROW(dm.cxStyleRepository1.style("cxStyle15"), std::out_of_range);
}

TEST(TdmConStyles, StyleSheetAssignsEachElement)
{
    const TdmCon dm;
    const auto assigned = datamod::devExpressStyleSheet(dm.cxStyleRepository1);
    const auto& sheet = dm.GridTableViewStyleSheetDevExpress;
    EXPECT_EQ(sheet.caption, "DevExpress");
    struct Case {
        const datamod::Style* style;
        const std::optional<grid::CellStyle>& cell;
        const char* name;
    };
    const Case cases[] = {
        {assigned.background, sheet.background, "cxStyle1"}, {assigned.content, sheet.content, "cxStyle2"},
        {assigned.contentEven, sheet.contentEven, "cxStyle3"}, {assigned.contentOdd, sheet.contentOdd, "cxStyle4"},
        {assigned.filterBox, sheet.filterBox, "cxStyle5"},     {assigned.incSearch, sheet.incSearch, "cxStyle11"},
        {assigned.footer, sheet.footer, "cxStyle6"},           {assigned.group, sheet.group, "cxStyle7"},
        {assigned.groupByBox, sheet.groupByBox, "cxStyle8"},   {assigned.header, sheet.header, "cxStyle9"},
        {assigned.inactive, sheet.inactive, "cxStyle10"},      {assigned.indicator, sheet.indicator, "cxStyle12"},
        {assigned.preview, sheet.preview, "cxStyle13"},        {assigned.selection, sheet.selection, "cxStyle14"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const datamod::Style& style = dm.cxStyleRepository1.style(c.name);
        EXPECT_EQ(c.style, &style);
        ASSERT_TRUE(c.cell.has_value());
        EXPECT_EQ(c.cell->color, style.color);
        EXPECT_EQ(c.cell->textColor, style.textColor);
        ASSERT_EQ(c.cell->font.has_value(), style.font.has_value());
        if (c.cell->font) {
            EXPECT_EQ(c.cell->font->family(), "MS Sans Serif");
            EXPECT_EQ(c.cell->font->bold(), style.font->bold);
            EXPECT_DOUBLE_EQ(c.cell->font->pointSizeF(), 8.25); // 11 pixels at 96 dpi
        }
    }
    // The column headers as the grid paints them.
    EXPECT_EQ(sheet.header->color, QColor(49, 106, 197));
    EXPECT_EQ(sheet.header->textColor, QColor(255, 255, 255));
    EXPECT_TRUE(sheet.header->font->bold());
}

TEST(TdmConSignInFields, StartEmpty)
{
    const TdmCon dm;
    for (const QString* f : {&dm.glNumeFirma, &dm.glUser, &dm.glUserPass, &dm.glDataBase, &dm.glUserRol, &dm.glEuPL,
                             &dm.glJasIP, &dm.glJasProtocol, &dm.glUserDocsPath})
        EXPECT_TRUE(f->isEmpty());
}

std::string fileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TdmConPassword, NeverStoredAsPlainText)
{
    const std::string password = WMORV_TEST_DB_PASSWORD;
    ASSERT_GE(password.size(), 4u) << "the check needs a password to look for";
    for (const char* path : {WMORV_TEST_DATA_LIBRARY, WMORV_TEST_BUILD_CONFIG}) {
        const std::string bytes = fileBytes(path);
        ASSERT_FALSE(bytes.empty()) << path;
        EXPECT_EQ(bytes.find(password), std::string::npos) << path;
    }
}

} // namespace
