-- Purchases and salaries: suppliers' monthly invoices and their payments,
-- the payroll of each closed month and the payments of net salaries and
-- contributions in the month after.

create temp table g_ff as
select f.cod, f.nume, f.moneda, f.chelt_conts, f.chelt_conta, f.articol, l.m, l.ms,
       d as data_doc,
       -- The energy bill is dated the last day of the month and reaches the
       -- books a few days later.
       case when f.zi > 28 then d + 3 else d end as data_reg,
       left(replace(f.cod, '.', ''), 4) || '-' || to_char(d, 'YYMM') as nr_doc,
       pg_temp.amount('ff-' || f.cod || '-' || l.m, f.lo, f.hi) as net,
       d + pg_temp.pick('ff-plata-' || f.cod || '-' || l.m, 10, 30) as plata
from g_furnizor f
cross join g_luna l
cross join lateral (select least(l.ms + f.zi - 1, l.me) as d) x
where not f.discontinued
  and pg_temp.rnd('ff-' || f.cod || '-' || l.m || '-are') < f.prob
  and (case when f.zi > 28 then d + 3 else d end) <= (select y1 from g_cfg);

insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
-- Expense against the supplier; in euro the supplier's side is kept in euro.
select data_doc, 'FACTF', nr_doc, data_reg, nume, 'Ioana Pop', chelt_conts, chelt_conta, '401', cod,
       case when moneda = 'EUR' then round(net * pg_temp.curs(data_doc), 2) else net end,
       case when moneda = 'EUR' then net end,
       case when moneda = 'EUR' then pg_temp.curs(data_doc) end,
       articol || ' ' || to_char(ms, 'MM.YYYY')
from g_ff
union all
-- VAT: charged by the supplier in lei, self-charged on the euro invoice.
select data_doc, 'FACTF', nr_doc, data_reg, nume, 'Ioana Pop', '4426', '.TVA',
       case when moneda = 'EUR' then '4427' else '401' end,
       case when moneda = 'EUR' then '.TVA' else cod end,
       round(case when moneda = 'EUR' then round(net * pg_temp.curs(data_doc), 2) else net end
             * pg_temp.vat_rate(data_doc), 2),
       null::numeric, null::numeric,
       case when moneda = 'EUR' then 'TVA taxare inversa ' else 'TVA ' end || nr_doc
from g_ff
union all
select plata, 'PLATA', 'OP-' || nr_doc, plata, nume, 'Ioana Pop', '401', cod,
       case when moneda = 'EUR' then '5124' else '5121' end,
       case when moneda = 'EUR' then 'BT.EUR' else 'BT.RON' end,
       case when moneda = 'EUR' then round(net * pg_temp.curs(plata), 2)
            else net + round(net * pg_temp.vat_rate(data_doc), 2) end,
       case when moneda = 'EUR' then net end,
       case when moneda = 'EUR' then pg_temp.curs(plata) end,
       'Plata factura ' || nr_doc
from g_ff
where plata <= (select y1 from g_cfg);

-- Payroll of the closed months (g_stat, made with the opening balances).
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select me, 'STAT', 'STAT-' || luna, me, null, 'Ioana Pop', db_conts, db_conta, cr_conts, cr_conta, suma, null::numeric, null::numeric, expl
from g_stat
cross join lateral (values
    ('641', '.Salarii', '421', '.Salarii',  brut,    'Salarii brute ' || to_char(me, 'MM.YYYY')),
    ('421', '.Salarii', '431', '.CAS',      cas,     'CAS 25% ' || to_char(me, 'MM.YYYY')),
    ('421', '.Salarii', '431', '.CASS',     cass,    'CASS 10% ' || to_char(me, 'MM.YYYY')),
    ('421', '.Salarii', '444', '.Impozit',  impozit, 'Impozit pe salarii ' || to_char(me, 'MM.YYYY'))
) v(db_conts, db_conta, cr_conts, cr_conta, suma, expl)
where m >= 0
union all
select d, 'PLATA', 'SAL-' || luna, d, 'Salariati', 'Ioana Pop', '421', '.Salarii', '5121', 'BT.RON',
       net, null::numeric, null::numeric, 'Plata salarii ' || to_char(me, 'MM.YYYY')
from g_stat, lateral (select me + 10 as d) x
where m >= 0 and d <= (select y1 from g_cfg)
union all
select d, 'PLATA', 'BUG-' || luna, d, 'Trezoreria Statului', 'Ioana Pop', conts, conta, '5121', 'BT.RON',
       suma, null::numeric, null::numeric, 'Plata ' || conts || conta || ' ' || to_char(me, 'MM.YYYY')
from g_stat
cross join lateral (select me + 25 as d) x
cross join lateral (values ('431', '.CAS', cas), ('431', '.CASS', cass), ('444', '.Impozit', impozit)) v(conts, conta, suma)
where m >= 0 and d <= (select y1 from g_cfg);
