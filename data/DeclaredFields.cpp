#include "DeclaredFields.h"

#include <array>

namespace datamod {

namespace {

// Short names keep the tables one row per field.
constexpr auto WS = db::FieldKind::WideString;
constexpr auto WM = db::FieldKind::WideMemo;
constexpr auto Bool = db::FieldKind::Boolean;
constexpr auto Int = db::FieldKind::Integer;
constexpr auto Float = db::FieldKind::Float;
constexpr auto Date = db::FieldKind::Date;
constexpr auto DateTime = db::FieldKind::DateTime;
constexpr bool Required = true;
constexpr bool Optional = false;

// Table emitent: the company's operators.
constexpr std::array<FieldRow, 65> emitent{{
    {"emitent",                       WS,       100, Required},
    {"emitent_corect",                WS,       100, Optional},
    {"este_emitent",                  Bool,       0, Required},
    {"este_operator",                 Bool,       0, Required},
    {"este_comisionar",               Bool,       0, Required},
    {"este_sofer",                    Bool,       0, Required},
    {"operator_parola",               WS,       256, Optional},
    {"cod_casier_pos",                WS,        10, Optional},
    {"banca_eu_default",              WS,       100, Optional},
    {"cont_banca_eu_default",         WS,        28, Optional},
    {"casa",                          WS,        50, Optional},
    {"moneda",                        WS,         3, Optional},
    {"magazie_sursa_default",         WS,         5, Optional},
    {"magazie_dest_default",          WS,         5, Optional},
    {"functie",                       WS,        30, Optional},
    {"eu_punct_lucru",                WS,        50, Required},
    {"com_int",                       WS,        25, Optional},
    {"loc",                           WS,        25, Optional},
    {"nr_obiect",                     WS,        20, Optional},
    {"ci_nume",                       WS,        30, Optional},
    {"ci_serie",                      WS,         3, Optional},
    {"ci_nr",                         WS,        25, Optional},
    {"ci_data_elib",                  Date,       0, Optional},
    {"ci_elib",                       WS,        25, Optional},
    {"cnp",                           WS,        25, Optional},
    {"transport_mijloc",              WS,        25, Optional},
    {"transport_nr",                  WS,        25, Optional},
    {"da_nu_schimbare_pl",            Bool,       0, Required},
    {"da_nu_adaugare_partener",       Bool,       0, Required},
    {"da_nu_adaugare_articol",        Bool,       0, Required},
    {"da_nu_acces_la_politica_pret",  Bool,       0, Required},
    {"da_nu_modif_data_listare",      Bool,       0, Required},
    {"da_nu_acces_limita_creditare",  Bool,       0, Required},
    {"prez_of_stoc_fact_cl",          Bool,       0, Required},
    {"prez_of_stoc_av_exp",           Bool,       0, Required},
    {"prez_of_stoc_bte",              Bool,       0, Required},
    {"prez_of_stoc_bc",               Bool,       0, Required},
    {"pret_fact_cl_cu_tva",           Bool,       0, Required},
    {"da_nu_fact_pe_calc",            Bool,       0, Required},
    {"da_nu_modif_nr_fact_pe_calc",   Bool,       0, Required},
    {"da_nu_fact_autocopy",           Bool,       0, Required},
    {"da_nu_aviz_autocopy",           Bool,       0, Required},
    {"da_nu_modif_data_livrare",      Bool,       0, Required},
    {"nr_zile_prezentare_doc",        Int,        0, Optional},
    {"data_ins",                      Date,       0, Required},
    {"da_nu_fact_ci_rosu",            Bool,       0, Optional},
    {"em_email_adr",                  WS,        50, Optional},
    {"tel_fix",                       WS,        30, Optional},
    {"tel_mobil",                     WS,        30, Optional},
    {"proc_comisionar",               Float,      0, Optional},
    {"em_outgoing_email_server",      WS,        50, Optional},
    {"em_outgoing_email_port",        Int,        0, Optional},
    {"em_outgoing_email_secure",      Bool,       0, Required},
    {"em_outgoing_email_user",        WS,        50, Optional},
    {"em_outgoing_email_psw",         WS,        50, Optional},
    {"em_outlook",                    Bool,       0, Required},
    {"lang",                          WS,        15, Optional},
    {"rol_web",                       WS,        25, Optional},
    {"rol_win",                       WS,        25, Optional},
    {"web_theme",                     WS,        25, Optional},
    {"discontinued",                  Bool,       0, Required},
    {"data_export",                   DateTime,   0, Optional},
    {"data_import",                   DateTime,   0, Optional},
    {"vede_pret_stoc",                Bool,       0, Optional},
    {"da_nu_generare_op",             Bool,       0, Required},
}};

constexpr std::array<FieldRow, 3> aplicatieMob{{
    {"aplicatie_mob",  WS,       100, Required},
    {"activ",          Bool,       0, Required},
    {"obs",            WM,         0, Optional},
}};

constexpr std::array<FieldRow, 3> aplicatieMobEmitent{{
    {"aplicatie_mob",  WS,       100, Required},
    {"emitent",        WS,       100, Required},
    {"rol",            WM,         0, Optional},
}};

// Table eu: the company's own identity and settings.
constexpr std::array<FieldRow, 117> eu{{
    {"cod_cci",                          WS,        20, Required},
    {"atribut_fiscal",                   WS,         3, Optional},
    {"tip_societate",                    WS,        20, Optional},
    {"reg_comert_jud",                   WS,         5, Optional},
    {"reg_comert_nr",                    WS,         7, Optional},
    {"reg_comert_data",                  Date,       0, Optional},
    {"reg_comert_jud_suc",               WS,         5, Optional},
    {"reg_comert_nr_suc",                WS,         7, Optional},
    {"reg_comert_data_suc",              Date,       0, Optional},
    {"cnp_a",                            WS,        13, Optional},
    {"eu",                               WS,       100, Optional},
    {"eu_sediu",                         WS,        30, Optional},
    {"data_incep_activitate",            Date,       0, Required},
    {"trezoreria",                       WS,       100, Optional},
    {"trezoreria_cont",                  WS,        28, Optional},
    {"data_gen_fact",                    Date,       0, Optional},
    {"tara",                             WS,         3, Required},
    {"localit",                          WS,        30, Required},
    {"adresa",                           WS,       100, Required},
    {"telefon",                          WS,        50, Optional},
    {"fax",                              WS,        50, Optional},
    {"email_adr",                        WS,        50, Optional},
    {"web_adr",                          WS,        50, Optional},
    {"nr_insp_munca",                    WS,        15, Optional},
    {"nr_pers_hand_suta_ang",            Float,      0, Optional},
    {"da_nu_modif_ore_prez",             Bool,       0, Optional},
    {"da_nu_dimin_avans_cu_ret",         Bool,       0, Optional},
    {"formula_calcul_co",                WS,        30, Optional},
    {"proc_avans_co",                    Float,      0, Optional},
    {"formula_calcul_avans_q",           WS,        30, Optional},
    {"formula_calcul_penalitati",        Int,        0, Optional},
    {"proc_avans",                       Float,      0, Optional},
    {"rotunjire_avans",                  Int,        0, Optional},
    {"rotunjire_lichidare",              Int,        0, Optional},
    {"proc_diminuare_bugetari",          Float,      0, Optional},
    {"nr_autorizatie_alcool",            WS,        30, Optional},
    {"metoda_stoc",                      WS,         4, Required},
    {"da_nu_scadere_stoc_in_viitor",     Bool,       0, Required},
    {"da_nu_impozit_profit",             Bool,       0, Required},
    {"da_nu_nevoi_firma",                Bool,       0, Required},
    {"da_nu_platitor_tva_in_vama",       Bool,       0, Optional},
    {"proc_impozit_profit",              Float,      0, Optional},
    {"proc_deductibilitate",             Float,      0, Optional},
    {"prez_of_stoc_fact_cl",             Bool,       0, Required},
    {"da_nu_postcalcul",                 Bool,       0, Required},
    {"prez_of_stoc_av_exp",              Bool,       0, Required},
    {"prez_of_stoc_bte",                 Bool,       0, Required},
    {"prez_of_stoc_bc",                  Bool,       0, Required},
    {"pret_fact_cl_cu_tva",              Bool,       0, Required},
    {"pret_nir_cu_tva",                  Bool,       0, Required},
    {"pret_cmd_client_cu_tva",           Bool,       0, Required},
    {"da_nu_tva_neexigibil",             Bool,       0, Required},
    {"da_nu_list_fact_pr_ctl",           Bool,       0, Required},
    {"da_nu_list_fact_neop_stoc",        Bool,       0, Required},
    {"da_nu_bon_pe_calc",                Bool,       0, Required},
    {"da_nu_cmd_pe_extrasb",             Bool,       0, Required},
    {"da_nu_fact_pe_calc",               Bool,       0, Required},
    {"da_nu_fact_autocopy",              Bool,       0, Required},
    {"da_nu_aviz_autocopy",              Bool,       0, Required},
    {"da_nu_nir_in_mag_dest",            Bool,       0, Required},
    {"tip_contabilitate",                WS,        20, Required},
    {"da_nu_politica_pret_punct_lucru",  Bool,       0, Required},
    {"da_nu_nota_c_fara_restrictie",     Bool,       0, Required},
    {"da_nu_mon_cont_tip_doc",           Bool,       0, Required},
    {"data_denominare",                  Date,       0, Required},
    {"da_nu_balanta_pe_obiective",       Bool,       0, Required},
    {"da_nu_rezervare_stoc",             Bool,       0, Required},
    {"da_nu_contare_avz_c",              Bool,       0, Required},
    {"da_nu_contare_nirad",              Bool,       0, Required},
    {"norma",                            Float,      0, Required},
    {"data_avans",                       Date,       0, Optional},
    {"data_lichidare",                   Date,       0, Optional},
    {"strada",                           WS,        50, Optional},
    {"nr_strada",                        WS,        10, Optional},
    {"bloc",                             WS,        10, Optional},
    {"scara",                            WS,         5, Optional},
    {"etaj",                             WS,         5, Optional},
    {"apt",                              WS,         5, Optional},
    {"sector",                           WS,         1, Optional},
    {"cod_postal_adresa",                WS,         6, Optional},
    {"sup_eu_denumire",                  WS,       100, Optional},
    {"sup_eu_cui",                       WS,        13, Optional},
    {"eu_cui",                           WS,        13, Optional},
    {"eu_cif",                           WS,        13, Optional},
    {"eu_reprezentant_legal",            WS,       100, Optional},
    {"val_limita_casa_lei",              Float,      0, Optional},
    {"proc_penaliz_intirziere",          Float,      0, Optional},
    {"cod_forma_proprietate",            Float,      0, Optional},
    {"cod_forma_organizare",             Float,      0, Optional},
    {"cod_tip_societate",                Float,      0, Optional},
    {"cod_caen",                         WS,         6, Optional},
    {"cod_siruta",                       Float,      0, Optional},
    {"tip_administrare_soc",             WS,        50, Optional},
    {"capital_social",                   WS,       100, Optional},
    {"da_nu_autoinchidere_cmd_client",   Bool,       0, Required},
    {"da_nu_autoinchidere_cmd_furn",     Bool,       0, Required},
    {"da_nu_institutie_publica",         Bool,       0, Required},
    {"casa_asig_sanatate",               WS,         2, Optional},
    {"nr_licenta_turism",                WS,        20, Optional},
    {"da_nu_balanta_pe_subunitati",      Bool,       0, Required},
    {"da_nu_b_casa_stoc",                Bool,       0, Required},
    {"da_nu_b_casa_articol",             Bool,       0, Required},
    {"da_nu_salarii_in_postcalcul",      Bool,       0, Required},
    {"da_nu_turism_in_comision",         Bool,       0, Required},
    {"da_nu_confirmare_comanda",         Bool,       0, Required},
    {"da_nu_micro_intreprindere",        Bool,       0, Required},
    {"da_nu_tva_nededus_cont_separat",   Bool,       0, Required},
    {"jas_ip",                           WM,         0, Optional},
    {"jas_ip_ext",                       WM,         0, Optional},
    {"mod_plata_tva",                    WS,        20, Optional},
    {"gln",                              WS,        13, Optional},
    {"reges_cod_tip_angajator",          WS,        20, Optional},
    {"reges_cod_forma_organizare",       WS,        70, Optional},
    {"reges_cod_forma_juridica",         WS,        48, Optional},
    {"reges_cod_tip_societate",          WS,        30, Optional},
    {"reges_cod_forma_proprietate",      WS,         8, Optional},
    {"reges_cod_act_id_pf",              WS,        25, Optional},
}};

// Table data_list: the period row.
constexpr std::array<FieldRow, 8> dataList{{
    {"data_incep",        Date,       0, Required},
    {"data_sf",           Date,       0, Optional},
    {"data_incep_f",      Date,       0, Optional},
    {"data_sf_f",         Date,       0, Optional},
    {"data_incep_bal",    Date,       0, Optional},
    {"data_sf_bal",       Date,       0, Optional},
    {"moneda_raportare",  WS,         3, Optional},
    {"curs_raportare",    Float,      0, Optional},
}};

} // namespace

std::span<const FieldRow> dsEmitentFields() { return emitent; }
std::span<const FieldRow> dsAplicatieMobFields() { return aplicatieMob; }
std::span<const FieldRow> dsAplicatieMobEmitentFields() { return aplicatieMobEmitent; }
std::span<const FieldRow> dsEuFields() { return eu; }
std::span<const FieldRow> dsDataListFields() { return dataList; }

void declareFields(db::Dataset& dataset, std::span<const FieldRow> rows)
{
    for (const FieldRow& row : rows)
        dataset.addField(db::FieldDef{row.column, row.kind, row.size, row.required, false});
}

} // namespace datamod
