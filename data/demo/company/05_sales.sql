-- Sales: invoices to the named clients (yearly or monthly "Abonament
-- Upgrade" subscriptions billed in advance on 472 / .Upgrade, support
-- subscriptions on 472 / .Suport, services on 704), monthly euro invoices to
-- Nordic Retail, the online shop's monthly subscriptions (Morv Demo), and
-- the payments that settle them.

-- One row per invoice line; lines with the same grp make one invoice.
create temp table g_item (
    grp         text not null,
    client      varchar(25) not null,
    web         boolean not null,
    data_doc    date not null,
    scv         integer not null,
    articol     varchar(100) not null,
    conts_venit varchar(7) not null,
    conta_venit varchar(25) not null,
    data_incep  date,
    data_sf     date,
    net         numeric(18, 2) not null,
    -- Net in euro for the euro client (net is then its value in lei).
    val         numeric(18, 2),
    explicatie  varchar(100) not null
);

-- Yearly subscriptions, each client in its own month of the year; clients
-- 4, 8, ... pay monthly instead. Some invoices bill extra users on a second
-- Upgrade line (the sheet shows the first line's period), some a support
-- subscription as well.
insert into g_item
select 'abon-' || c.i || '-' || l.m, c.cod, false, d,
       case when c.i % 2 = 0 and c.i % 5 = 1 then 2 else 1 end,
       'Abonament Upgrade', '472', '.Upgrade', l.ms, sf,
       round(pg_temp.amount('abon-net-' || c.i, 1200, 6000), -1), null::numeric,
       'Abonament Upgrade ' || to_char(l.ms, 'MM.YYYY') || ' - ' || to_char(sf, 'MM.YYYY')
from g_client c
join g_luna l on l.m % 12 = (c.i * 5) % 12
cross join lateral (select l.ms + pg_temp.pick('abon-day-' || c.i || '-' || l.m, 0, 4) as d,
                           (l.ms + interval '12 months' - interval '1 day')::date as sf) x
where c.moneda = 'RON' and not c.discontinued and c.i % 4 <> 0 and d <= (select y1 from g_cfg)
union all
select 'abon-' || c.i || '-' || l.m, c.cod, false, d, 1,
       'Abonament Upgrade', '472', '.Upgrade', l.ms, l.me,
       150 + 25 * pg_temp.pick('abon-lunar-' || c.i, 0, 12), null::numeric,
       'Abonament Upgrade ' || to_char(l.ms, 'MM.YYYY')
from g_client c
cross join g_luna l
cross join lateral (select l.ms + pg_temp.pick('abon-day-' || c.i || '-' || l.m, 0, 2) as d) x
where c.moneda = 'RON' and not c.discontinued and c.i % 4 = 0 and d <= (select y1 from g_cfg);

insert into g_item
select grp, client, false, data_doc, 3, 'Abonament Upgrade', '472', '.Upgrade',
       (data_incep + interval '3 months')::date, data_sf,
       round(net * 0.3 * 0.75, -1), null::numeric,
       'Utilizatori suplimentari ' || to_char(data_incep + interval '3 months', 'MM.YYYY') || ' - ' || to_char(data_sf, 'MM.YYYY')
from g_item
where grp like 'abon-%' and data_sf > data_incep + 60
  and (select i from g_client where cod = client) % 7 = 3
union all
select grp, client, false, data_doc, case when scv = 2 then 1 else 2 end, 'Abonament Suport', '472', '.Suport',
       data_incep, data_sf, round(pg_temp.amount('suport-' || client, 600, 1800), -1), null::numeric,
       'Abonament Suport ' || to_char(data_incep, 'MM.YYYY') || ' - ' || to_char(data_sf, 'MM.YYYY')
from g_item
where grp like 'abon-%' and data_sf > data_incep + 60
  and (select i from g_client where cod = client) % 5 = 1;

-- Services, billed by the hour, to about a quarter of the clients a month.
insert into g_item
select 'serv-' || c.i || '-' || l.m, c.cod, false, d, 1, articol, '704', '.Servicii', null, null,
       ore * tarif, null, articol || ', ' || ore || ' ore'
from g_client c
cross join g_luna l
cross join lateral (select l.ms + pg_temp.pick('serv-day-' || c.i || '-' || l.m, 0, 27) as d,
                           pg_temp.pick('serv-ore-' || c.i || '-' || l.m, 4, 60) as ore,
                           (array[150, 180, 220])[pg_temp.pick('serv-tarif-' || c.i, 1, 3)] as tarif,
                           (array['Servicii implementare', 'Consultanta', 'Dezvoltare module', 'Instruire utilizatori'])
                               [pg_temp.pick('serv-art-' || c.i || '-' || l.m, 1, 4)] as articol) x
where c.moneda = 'RON' and not c.discontinued
  and pg_temp.rnd('serv-' || c.i || '-' || l.m) < 0.28
  and d <= (select y1 from g_cfg);

-- Development work for the euro client, no VAT (reverse charge).
insert into g_item
select 'eur-' || l.m, c.cod, false, d, 1, 'Servicii dezvoltare', '704', '.Servicii', null, null,
       round(val * pg_temp.curs(d), 2), val,
       'Servicii dezvoltare ' || to_char(l.ms, 'MM.YYYY') || ', ' || val || ' EUR'
from g_client c
cross join g_luna l
cross join lateral (select l.ms + pg_temp.pick('eur-day-' || l.m, 2, 6) as d,
                           round(pg_temp.amount('eur-val-' || l.m, 1500, 3200), -1) as val) x
where c.moneda = 'EUR' and d <= (select y1 from g_cfg);

-- The online shop: every subscriber is billed each month on the day of the
-- month he joined, until he cancels.
insert into g_item
select 'web-' || w.c || '-' || k, w.cod, true, d, 1, 'Abonament Upgrade', '472', '.Upgrade',
       d, (d + interval '1 month' - interval '1 day')::date, w.pret, null,
       'Abonament Upgrade ' || case w.pret when 49 then 'Start' when 99 then 'Plus' else 'Pro' end
           || ' ' || to_char(d, 'DD.MM.YYYY')
from g_web w
cross join generate_series(0, 12) k
cross join lateral (select (w.start + make_interval(months => k))::date as d) x
where d <= (select y1 from g_cfg) and (w.luni is null or k < w.luni);

-- Invoices: number, issuer, and when and how they are paid (or not: a few
-- stay open, and so do the most recent ones).
create temp table g_fact as
select f.*,
       case when web then 'WEB' || lpad(row_number() over (partition by web order by data_doc, grp)::text, 6, '0')
            else (select serie from g_cfg) || lpad(row_number() over (partition by web order by data_doc, grp)::text, 5, '0')
       end as nr_doc,
       coalesce((select (array_agg(emitent order by emitent))[1 + pg_temp.pick('fact-op-' || f.grp, 0, 999) % count(*)]
                 from g_operator
                 where rol = case when f.web then 'shop' else 'sales' end), 'demo') as emitent
from (
    select grp, client, web, min(data_doc) as data_doc, sum(net) as net, sum(val) as val,
           (select nume from g_client where cod = client union all select nume from g_web where cod = client) as partener
    from g_item
    group by grp, client, web
) f;

alter table g_fact add column tva numeric(18, 2), add column plata date, add column tip_plata varchar(7),
                   add column cont_plata varchar(7), add column conta_plata varchar(25);

update g_fact f
set tva = case when f.val is null then round(f.net * pg_temp.vat_rate(f.data_doc), 2) else 0 end,
    plata = case when pg_temp.rnd('neplatit-' || grp) < case when web then 0.03 else 0.08 end
                      and not exists (select from g_web w where w.cod = f.client and w.renuntat) then null
                 else f.data_doc + case when web then pg_temp.pick('plata-' || grp, 1, 3)
                                        else pg_temp.pick('plata-' || grp, 10, 60) end
            end;

update g_fact set plata = null where plata > (select y1 from g_cfg);

update g_fact f
set (tip_plata, cont_plata, conta_plata) = (
    select case when f.web then 'CARD'
                when f.val is not null then 'INCAS'
                when f.net + f.tva < 5000 and pg_temp.rnd('casa-' || f.grp) < 0.15 then 'CHIT'
                else 'INCAS' end,
           case when f.web then '5125'
                when f.val is not null then '5124'
                when f.net + f.tva < 5000 and pg_temp.rnd('casa-' || f.grp) < 0.15 then '5311'
                else '5121' end,
           case when f.web then '.Card'
                when f.val is not null then 'BT.EUR'
                when f.net + f.tva < 5000 and pg_temp.rnd('casa-' || f.grp) < 0.15 then '.Casa'
                when pg_temp.rnd('banca-' || f.grp) < 0.75 then 'BT.RON'
                else 'BCR.RON' end)
where plata is not null;

insert into doc_poz (data_doc, tip_doc, nr_doc, scv, articol, conts_venit, conta_venit, data_incep, data_sf)
select f.data_doc, 'FACT', f.nr_doc, i.scv, i.articol, i.conts_venit, i.conta_venit, i.data_incep, i.data_sf
from g_item i
join g_fact f on f.grp = i.grp;

-- The invoice: the client owes the net amount to each revenue account and
-- the VAT; the payment document then clears the whole amount.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select f.data_doc, 'FACT', f.nr_doc, f.data_doc, f.partener, f.emitent, '4111', f.client, i.conts_venit, i.conta_venit,
       sum(i.net), sum(i.val), case when f.val is not null then pg_temp.curs(f.data_doc) end,
       min(i.explicatie)
from g_item i
join g_fact f on f.grp = i.grp
group by f.grp, f.data_doc, f.nr_doc, f.partener, f.emitent, f.client, f.val, i.conts_venit, i.conta_venit
union all
select data_doc, 'FACT', nr_doc, data_doc, partener, emitent, '4111', client, '4427', '.TVA',
       tva, null::numeric, null::numeric, 'TVA ' || round(pg_temp.vat_rate(data_doc) * 100) || '% factura ' || nr_doc
from g_fact
where tva <> 0
union all
select plata, tip_plata,
       case tip_plata when 'CARD' then 'CARD' || substr(nr_doc, 4)
                      when 'CHIT' then 'CH' || substr(nr_doc, 3)
                      else 'INC' || substr(nr_doc, 3) end,
       plata, partener, emitent, cont_plata, conta_plata, '4111', client,
       case when val is not null then round(val * pg_temp.curs(plata), 2) else net + tva end,
       val, case when val is not null then pg_temp.curs(plata) end,
       case tip_plata when 'CARD' then 'Plata card factura ' when 'CHIT' then 'Chitanta factura '
                      else 'Incasare factura ' end || nr_doc
from g_fact
where plata is not null;

-- An advance that a client paid for a project not yet invoiced: its
-- account shows a credit balance.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select y1 - 5, 'INCAS', 'AV-DELTA', y1 - 5, 'Delta Turism SRL', 'Ioana Pop', '5121', 'BT.RON', '4111', 'DELTA',
       15000.00, null::numeric, null::numeric, 'Avans proiect aplicatie rezervari'
from g_cfg;
