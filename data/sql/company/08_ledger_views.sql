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
-- Neither view aggregates across accounts or numbers rows, so a condition on
-- conts or conta is pushed down to the journal's indexes and one synthetic
-- account is answered without reading the rest of the company.

-- Opening balances: one row per analytic account opened in the books by the
-- first day of the period (conta_deschidere), with its balance at the start
-- of data_incep: the taken-over balance plus every line registered before
-- that day. The balance is reported on its side, the other side 0, in the
-- account's currency and in lei separately (they can differ in sign after
-- exchange differences).
--
-- The two sums are joined to the register by its whole key, so a query that
-- only counts rows leaves them out, and a condition on conts reaches the
-- journal's index through the join.
create view view_conta_sold_per_incep as
select d.conts,
       d.conta,
       d.moneda,
       p.data_incep,
       p.data_sf,
       greatest(coalesce(o.sold, 0) + coalesce(j.sold, 0), 0)::double precision              as sold_db,
       greatest(-(coalesce(o.sold, 0) + coalesce(j.sold, 0)), 0)::double precision           as sold_cr,
       greatest(coalesce(o.sold_lei, 0) + coalesce(j.sold_lei, 0), 0)::double precision      as sold_db_lei,
       greatest(-(coalesce(o.sold_lei, 0) + coalesce(j.sold_lei, 0)), 0)::double precision   as sold_cr_lei
from conta_deschidere d
join data_list p on d.data_deschidere <= p.data_incep
left join (
    select conts, conta, moneda, data_sold,
           sold_db - sold_cr         as sold,
           sold_db_lei - sold_cr_lei as sold_lei
    from conta_sold_initial
) o on o.conts = d.conts and o.conta = d.conta and o.moneda = d.moneda
   and o.data_sold <= p.data_incep
left join (
    select j.conts, j.conta, j.moneda,
           sum(case j.dbcr when 'DB' then j.valoare else -j.valoare end)         as sold,
           sum(case j.dbcr when 'DB' then j.valoare_lei else -j.valoare_lei end) as sold_lei
    from jurnal j
    join data_list pj on j.data_reg_jurnal < pj.data_incep
    group by j.conts, j.conta, j.moneda
) j on j.conts = d.conts and j.conta = d.conta and j.moneda = d.moneda;

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
