-- The two views behind the analytic account sheet. The client sends the
-- ledger statement with the synthetic account only; the period comes from the
-- period row of data_list, which the client writes and commits just before
-- (possibly over another connection), so both views join data_list rather
-- than take a parameter.
--
-- Column types are part of the contract: the statement stacks these columns
-- under literals cast to varchar(7), varchar(15), varchar(25) and
-- varchar(100), and a column whose length differs would reach the client as
-- long text and be refused. conts, conta and moneda have the same type in both
-- views for the same reason.
--
-- Both views are plain (no aggregation across accounts, no window), so a
-- condition on conts or conta is pushed down to the journal's index and one
-- synthetic account is answered without reading the rest of the company.

-- Opening balances: one row per analytic account with history before the
-- period (a taken-over balance or journal lines), its balance at the start of
-- data_incep: the taken-over balance plus every line registered before that
-- day. The balance is reported on its side, the other side 0, in the
-- account's currency and in lei separately (they can differ in sign after
-- exchange differences).
create view view_conta_sold_per_incep as
select s.conts,
       s.conta,
       s.moneda,
       s.data_incep,
       s.data_sf,
       greatest(sum(s.sold), 0)::double precision      as sold_db,
       greatest(-sum(s.sold), 0)::double precision     as sold_cr,
       greatest(sum(s.sold_lei), 0)::double precision  as sold_db_lei,
       greatest(-sum(s.sold_lei), 0)::double precision as sold_cr_lei
from (
    select o.conts, o.conta, o.moneda, p.data_incep, p.data_sf,
           o.sold_db - o.sold_cr         as sold,
           o.sold_db_lei - o.sold_cr_lei as sold_lei
    from conta_sold_initial o
    join data_list p on o.data_sold <= p.data_incep
    union all
    select j.conts, j.conta, j.moneda, p.data_incep, p.data_sf,
           case j.dbcr when 'DB' then j.valoare else -j.valoare end,
           case j.dbcr when 'DB' then j.valoare_lei else -j.valoare_lei end
    from jurnal j
    join data_list p on j.data_reg_jurnal < p.data_incep
) s
group by s.conts, s.conta, s.moneda, s.data_incep, s.data_sf;

-- Movements: every journal line registered from data_incep to data_sf, both
-- included (a period row without an end runs on), its amount on its side.
create view view_contab_rulaj_reg_per as
select j.data_reg_jurnal,
       j.data_doc,
       j.tip_doc,
       j.nr_doc,
       j.conts,
       j.conta,
       j.moneda,
       case when j.dbcr = 'DB' then j.valoare::double precision end     as valoare_db,
       case when j.dbcr = 'CR' then j.valoare::double precision end     as valoare_cr,
       j.curs::double precision                                         as curs,
       case when j.dbcr = 'DB' then j.valoare_lei::double precision end as valoare_db_lei,
       case when j.dbcr = 'CR' then j.valoare_lei::double precision end as valoare_cr_lei,
       j.dbcr,
       j.conts_coresp,
       j.conta_coresp,
       j.explicatie,
       p.data_incep,
       p.data_sf
from jurnal j
join data_list p on j.data_reg_jurnal >= p.data_incep
                and j.data_reg_jurnal <= coalesce(p.data_sf, 'infinity'::date);
