-- A synthetic company for the ledger benchmark: 1,000,000 journal lines over
-- three years (2023-2025) on about 20,000 analytic accounts, generated on the
-- server. Fixed seed, so every run measures the same data.
--   4111  2,000 clients, 330,000 lines (about 110,000 in 2025): the largest
--   401   500 suppliers, 30,000 lines: a mid-sized account
--   5311  3 cash desks, 300 lines: a small account
--   97 more synthetic accounts of 175 analytic accounts, the rest of the lines
-- One line in a hundred has 472 / .Upgrade as its corresponding account, and
-- its document carries subscription lines; one document in five is missing.

select setseed(0.42);

create temporary table syn as
select (1010 + 70 * k)::varchar(7) as conts, 175 as n_analytic, 6594 + (k < 82)::int as n_lines
from generate_series(0, 96) k
union all select '401', 500, 30000
union all select '4111', 2000, 330000
union all select '5311', 3, 300;

insert into jurnal (data_reg_jurnal, data_doc, tip_doc, nr_doc, conts, conta, moneda, dbcr, valoare, curs,
                    valoare_lei, conts_coresp, conta_coresp, explicatie)
select d, d, tip, nr, conts, conta, moneda, dbcr, valoare, curs, round(valoare * curs, 2),
       case when r < 0.01 then '472' else '704' end,
       case when r < 0.01 then '.Upgrade' else 'V' || floor(r * 50)::int end,
       'Operatiune ' || nr
from (
    select x.*,
           case when a % 10 = 0 then 'EUR' else 'RON' end as moneda,
           case when a % 10 = 0 then 4.9735 else 1 end as curs,
           'A' || lpad(a::text, 5, '0') as conta
    from (
        select s.conts, g::text as nr,
               date '2023-01-01' + floor(random() * 1096)::int as d,
               (array['FACT', 'CHIT', 'OP', 'NC'])[1 + floor(random() * 4)::int] as tip,
               case when random() < 0.55 then 'DB' else 'CR' end as dbcr,
               round((random() * 5000)::numeric, 2) as valoare,
               floor(random() * s.n_analytic)::int as a,
               random() as r
        from syn s, generate_series(1, s.n_lines) g
    ) x
) y;

insert into conts (conts, den_conts)
select conts, 'Cont ' || conts from syn;

insert into conta (conts, conta, moneda, den_conta)
select distinct conts, conta, moneda, 'Analitic ' || conts || '.' || conta from jurnal;

insert into conta_sold_initial (conts, conta, moneda, data_sold, sold_db, sold_cr, sold_db_lei, sold_cr_lei)
select conts, conta, moneda, date '2023-01-01', b, 0, round(b * case moneda when 'EUR' then 4.9 else 1 end, 2), 0
from (select conts, conta, moneda, round((random() * 1000)::numeric, 2) as b from conta) c;

insert into doc (data_doc, tip_doc, nr_doc, partener, emitent)
select distinct data_doc, tip_doc, nr_doc, 'Partener ' || nr_doc, 'operator' || (length(nr_doc) % 4)
from jurnal
where hashtext(nr_doc || tip_doc) % 5 <> 0;

insert into doc_poz (data_doc, tip_doc, nr_doc, scv, articol, conts_venit, conta_venit, data_incep, data_sf)
select data_doc, tip_doc, nr_doc, scv,
       case scv when 1 then 'Abonament Basic' else 'Abonament Upgrade' end, '472', '.Upgrade',
       data_doc + scv, data_doc + 365
from (select distinct data_doc, tip_doc, nr_doc from jurnal where conts_coresp = '472') j,
     generate_series(1, 3) scv;

delete from data_list;
insert into data_list (data_incep, data_sf) values (date '2025-01-01', date '2025-12-31');
