-- Operators, the applications enabled for the company and for each operator,
-- and the company's identity row.
--
-- Morv Demo keeps passwords as SHA-256 digests (its directory row says
-- 'HashSHA2'): operator_parola is the digest of the password's UTF-8 bytes as
-- 64 lower-case hex digits. Alfa Test keeps them as typed.

with op (db, emitent, parola, functie, punct_lucru, discontinued, este_operator, data_ins, email, rol_issue) as (
    values
    -- Enabled for wMorv: the demo's own sign-in.
    ('morv_demo', 'demo',          'demo',          'Administrator',     'Sediu Cluj',     false, true,  date '2021-03-01', 'demo@morv-demo.ro',    'notes'),
    ('morv_demo', 'Ioana Pop',     'Contabil#2024', 'Contabil sef',      'Sediu Cluj',     false, true,  date '2021-03-01', 'ioana.pop@morv-demo.ro', 'notes'),
    -- A password outside ASCII: the digest is of its UTF-8 bytes.
    ('morv_demo', 'Mihai Ionescu', 'parolă',        'Director vanzari',  'Punct Bucuresti', false, true,  date '2022-09-15', 'mihai@morv-demo.ro',   'sales'),
    -- Enabled for the mobile application only: wMorv refuses him.
    ('morv_demo', 'vanzari',       'vanzari',       'Agent vanzari',     'Magazin online',  false, true,  date '2023-01-10', 'vanzari@morv-demo.ro', 'shop'),
    -- Left the company, row kept: discontinued, yet still enabled, so he signs in.
    ('morv_demo', 'Radu Stan',     'radu',          'Contabil',          'Sediu Cluj',     true,  false, date '2021-05-04', null,                   'sales'),
    ('alfa_test', 'demo',          'demo',          'Administrator',     'Sediu Brasov',   false, true,  date '2022-01-03', 'demo@alfa-test.ro',    'notes'),
    ('alfa_test', 'Elena Dobre',   'elena',         'Economist',         'Sediu Brasov',   false, true,  date '2022-01-03', 'elena@alfa-test.ro',   'sales'),
    -- Not enabled for wMorv.
    ('alfa_test', 'oaspete',       'oaspete',       'Vizitator',         'Sediu Brasov',   false, false, date '2024-02-20', null,                   'none')
)
, ins as (
    insert into emitent (emitent, emitent_corect, este_emitent, este_operator, operator_parola, moneda,
                         functie, eu_punct_lucru, data_ins, em_email_adr, lang, rol_win, discontinued, vede_pret_stoc)
    select emitent, emitent, true, este_operator,
           case when db = 'morv_demo' then encode(sha256(convert_to(parola, 'UTF8')), 'hex') else parola end,
           'RON', functie, punct_lucru, data_ins, email, 'ro', functie, discontinued, true
    from op
    where db = current_database()
    returning emitent
)
insert into g_operator (rol, emitent)
select op.rol_issue, op.emitent
from op
join ins on ins.emitent = op.emitent
where op.db = current_database() and op.rol_issue <> 'none';

insert into aplicatie_mob (aplicatie_mob, activ, obs)
select a, activ, obs
from (values
    ('morv_demo', 'wMorv',  true,  'Fisa de cont analitic, aplicatia de birou'),
    ('morv_demo', 'wMobil', true,  'Aplicatia agentilor de vanzari'),
    ('morv_demo', 'wWeb',   false, 'Portalul clientilor, oprit'),
    -- Another spelling of the same name: the match ignores letter case.
    ('alfa_test', 'WMORV',  true,  null),
    ('alfa_test', 'wMobil', false, null)
) v(db, a, activ, obs)
where db = current_database();

insert into aplicatie_mob_emitent (aplicatie_mob, emitent, rol)
select a, e, rol
from (values
    ('morv_demo', 'wMorv',  'demo',          'admin'),
    ('morv_demo', 'WMorv',  'Ioana Pop',     'contabil'),
    ('morv_demo', 'wmorv',  'Mihai Ionescu', 'vanzari'),
    ('morv_demo', 'wMobil', 'Mihai Ionescu', 'vanzari'),
    ('morv_demo', 'wMobil', 'vanzari',       'agent'),
    ('morv_demo', 'wMorv',  'Radu Stan',     'contabil'),
    ('alfa_test', 'wmorv',  'demo',          'admin'),
    ('alfa_test', 'wMorv',  'Elena Dobre',   null),
    ('alfa_test', 'wMobil', 'oaspete',       'vizitator')
) v(db, a, e, rol)
where db = current_database();

insert into eu (cod_cci, atribut_fiscal, tip_societate, reg_comert_jud, reg_comert_nr, reg_comert_data,
                eu, eu_sediu, data_incep_activitate, trezoreria, trezoreria_cont,
                tara, localit, adresa, telefon, email_adr, web_adr, nr_insp_munca,
                metoda_stoc, proc_impozit_profit, tip_contabilitate, data_denominare, norma,
                strada, nr_strada, cod_postal_adresa, eu_cui, eu_cif, eu_reprezentant_legal,
                val_limita_casa_lei, cod_caen, cod_siruta, tip_administrare_soc, capital_social,
                da_nu_micro_intreprindere, jas_ip, jas_ip_ext, mod_plata_tva, gln,
                reges_cod_tip_angajator, reges_cod_forma_organizare, reges_cod_forma_juridica,
                reges_cod_tip_societate, reges_cod_forma_proprietate)
select cod_cci, 'RO', 'SRL', jud, nr_rc, data_rc,
       nume, localit, data_incep, 'Trezoreria ' || localit, trez_cont,
       'RO', localit, adresa, telefon, email, web, 'ITM ' || jud,
       'CMP', 16, 'partida dubla', date '2005-07-01', 8,
       strada, nr_strada, cod_postal, cui, 'RO' || cui, reprezentant,
       5000, '6201', siruta, 'Administrator unic', capital,
       micro, jas_ip, null, 'la facturare', null,
       'Persoana juridica', 'Societate comerciala', 'Societate cu raspundere limitata',
       'Privata', 'Privata'
from (values
    ('morv_demo', 'J12/1234/2021', 'CJ', '1234', date '2021-02-18', 'Morv Demo SRL',
     date '2021-03-01', 'RO12TREZ2165069XXX012345', 'Cluj-Napoca', 'Str. Memorandumului nr. 28, Cluj-Napoca',
     '0264 400 100', 'office@morv-demo.ro', 'www.morv-demo.ro', 'Str. Memorandumului', '28', '400114',
     '43123456', 'Andrei Morar', 54975::double precision, '20000 lei', false, 'rapoarte.morv-demo.ro:8443'),
    ('alfa_test', 'J08/987/2019', 'BV', '987', date '2019-11-04', 'Alfa Test SRL',
     date '2019-12-01', 'RO55TREZ1315069XXX007788', 'Brasov', 'Bd. Eroilor nr. 9, Brasov',
     '0268 410 200', 'contact@alfa-test.ro', 'www.alfa-test.ro', 'Bd. Eroilor', '9', '500030',
     '41987654', 'Elena Dobre', 40187::double precision, '5000 lei', true, '192.0.2.10:8080')
) v(db, cod_cci, jud, nr_rc, data_rc, nume, data_incep, trez_cont, localit, adresa,
    telefon, email, web, strada, nr_strada, cod_postal, cui, reprezentant, siruta, capital, micro, jas_ip)
where db = current_database();
