-- Exchange rates of the euro and the balances taken over at the start of the
-- demo year, with the entries that settle what was owed then.

-- Daily reference rate of the euro in lei: a slow drift with small waves.
create table curs_valutar (
    data   date not null,
    moneda varchar(3) not null,
    curs   numeric(10, 4) not null,
    constraint curs_valutar_pkey primary key (data, moneda)
);

insert into curs_valutar (data, moneda, curs)
select d::date, 'EUR',
       round((4.9650 + 0.0002 * i + 0.0180 * sin(i / 23.0) + 0.0045 * sin(i / 3.7))::numeric, 4)
from (select (select y0 from g_cfg) - 40 as d0) s,
     generate_series(0, (select y1 - y0 + 40 from g_cfg)) i,
     lateral (select s.d0 + i as d) x;

create function pg_temp.curs(d date) returns numeric
language sql stable as
$$ select curs from curs_valutar where moneda = 'EUR' and data = d $$;

-- Payroll of each closed month and of the month before the books start
-- here: a raise of 5% half-way through the year. Pension 25% and health 10%
-- are withheld, then income tax of 10% on the rest.
create temp table g_stat as
select l.m, l.me, to_char(l.me, 'YYMM') as luna, b.brut, p.cas, p.cass, p.impozit,
       b.brut - p.cas - p.cass - p.impozit as net
from (select -1 as m, (select y0 - 1 from g_cfg) as me
      union all
      select m, me from g_luna where closed) l
cross join lateral (select case when l.m >= 6 then round(c.brut * 1.05, -2) else c.brut end as brut from g_cfg c) b
cross join lateral (select round(b.brut * 0.25, 2) as cas, round(b.brut * 0.10, 2) as cass,
                           round((b.brut - round(b.brut * 0.25, 2) - round(b.brut * 0.10, 2)) * 0.10, 0) as impozit) p;

-- Balances on the day the books start here (y0). Debit balances positive;
-- 121 takes whatever makes the balance sheet add up.
create temp table g_sold (conts varchar(7), conta varchar(25), val numeric(18, 2), lei numeric(18, 2));

insert into g_sold (conts, conta, val, lei)
select conts, conta, val, lei
from (values
    ('1012', '.Capital',  -20000.00),
    ('2131', '.Servere',   48000.00),
    ('5121', 'BT.RON',     86450.35),
    ('5121', 'BCR.RON',    12300.00),
    ('5121', 'CEC.RON',     2140.00),
    ('5311', '.Casa',       1240.50),
    ('5125', '.PayU',       1850.00),
    ('472',  '.Upgrade',  -18000.00),
    ('472',  '.Suport',    -2400.00),
    ('472',  '.Vechi',         0.00),
    ('4423', '.TVA',       -7412.00)
) v(conts, conta, lei), lateral (select lei as val) x
union all
-- Last month's pay, due in the first days of this year.
select v.conts, v.conta, -v.suma, -v.suma
from g_stat s
cross join lateral (values ('421', '.Salarii', s.net), ('431', '.CAS', s.cas), ('431', '.CASS', s.cass),
                           ('444', '.Impozit', s.impozit)) v(conts, conta, suma)
where s.m = -1
union all
-- Clients who owed for invoices of the year before, suppliers still unpaid.
select '4111', cod, amt, amt
from g_client, lateral (select pg_temp.amount('open-client-' || cod, 800, 9500) as amt) a
where moneda = 'RON' and (i % 4 = 1 or discontinued)
union all
select '401', cod, -amt, -amt
from g_furnizor, lateral (select case when discontinued then 310.00 else round(pg_temp.amount('open-ff-' || cod, lo, hi) * 1.19, 2) end as amt) a
where moneda = 'RON' and (prob >= 0.8 or discontinued)
union all
select '5124', 'BT.EUR', 8000.00, round(8000.00 * pg_temp.curs((select y0 - 1 from g_cfg)), 2)
union all
select '4111', 'NORDIC.EUR', 2000.00, round(2000.00 * pg_temp.curs((select y0 - 10 from g_cfg)), 2);

insert into g_sold (conts, conta, val, lei)
select '121', '.Profit', -sum(lei), -sum(lei) from g_sold;

insert into conta_sold_initial (conts, conta, moneda, data_sold, sold_db, sold_cr, sold_db_lei, sold_cr_lei)
select s.conts, s.conta, a.moneda, (select y0 from g_cfg),
       greatest(s.val, 0), greatest(-s.val, 0), greatest(s.lei, 0), greatest(-s.lei, 0)
from g_sold s
join conta a on a.conts = s.conts and a.conta = s.conta;

-- Settling the balances brought over: clients pay, suppliers, salaries,
-- contributions and VAT are paid, the closed bank account and the old card
-- processor are emptied into the main account.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select d, 'INCAS', 'SI-' || s.conta, d, c.nume, 'Ioana Pop', '5121', 'BT.RON', '4111', s.conta,
       s.lei, null::numeric, null::numeric, 'Incasare sold initial ' || c.nume
from g_sold s
join g_client c on c.cod = s.conta and c.moneda = 'RON'
cross join lateral (select (select y0 from g_cfg) + pg_temp.pick('open-pay-' || s.conta, 4, 40) as d) x
where s.conts = '4111'
union all
select d, 'PLATA', 'SF-' || s.conta, d, f.nume, 'Ioana Pop', '401', s.conta, '5121', 'BT.RON',
       -s.lei, null::numeric, null::numeric, 'Plata sold initial ' || f.nume
from g_sold s
join g_furnizor f on f.cod = s.conta
cross join lateral (select (select y0 from g_cfg) + pg_temp.pick('open-pay-' || s.conta, 3, 20) as d) x
where s.conts = '401'
union all
select y0 + 9, 'PLATA', 'SAL-INIT', y0 + 9, 'Salariati', 'Ioana Pop', '421', '.Salarii', '5121', 'BT.RON',
       (select net from g_stat where m = -1), null::numeric, null::numeric, 'Plata salarii luna anterioara'
from g_cfg
union all
select y0 + 24, 'PLATA', 'BUG-INIT', y0 + 24, 'Trezoreria Statului', 'Ioana Pop', conts, conta, '5121', 'BT.RON',
       -lei, null::numeric, null::numeric, 'Plata ' || conts || ' luna anterioara'
from g_cfg, g_sold
where g_sold.conts in ('431', '444', '4423')
union all
select y0 + 14, 'DISP', 'TR-CEC', y0 + 14, 'CEC Bank', 'Ioana Pop', '581', '.Viramente', '5121', 'CEC.RON',
       2140.00, null::numeric, null::numeric, 'Inchidere cont CEC'
from g_cfg
union all
select y0 + 15, 'DISP', 'TR-CEC', y0 + 15, 'CEC Bank', 'Ioana Pop', '5121', 'BT.RON', '581', '.Viramente',
       2140.00, null::numeric, null::numeric, 'Virament din contul CEC'
from g_cfg
union all
select y0 + 6, 'DECONT', 'PAYU-FINAL', y0 + 6, 'PayU Romania', 'Ioana Pop', '5121', 'BT.RON', '5125', '.PayU',
       1850.00, null::numeric, null::numeric, 'Ultima decontare PayU'
from g_cfg
union all
select d, 'INCAS', 'SI-NORDIC', d, 'Nordic Retail AB', 'Ioana Pop', '5124', 'BT.EUR', '4111', 'NORDIC.EUR',
       round(2000.00 * pg_temp.curs(d), 2), 2000.00, pg_temp.curs(d), 'Incasare sold initial Nordic Retail'
from g_cfg, lateral (select y0 + 18 as d) x;
