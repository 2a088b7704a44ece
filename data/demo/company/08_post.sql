-- Posting: every entry becomes two journal lines (its debit side and its
-- credit side, each naming the other as corresponding account) and every
-- document one header with its partner and issuing operator.

do $$
declare
    bad text;
begin
    -- An entry on an account missing from the chart would be posted on
    -- nothing; a document with two partners would be two headers.
    select string_agg(distinct s.conts || ' ' || s.conta, ', ') into bad
    from g_entry e
    cross join lateral (values (e.db_conts, e.db_conta), (e.cr_conts, e.cr_conta)) s(conts, conta)
    where not exists (select 1 from conta a where a.conts = s.conts and a.conta = s.conta);
    if bad is not null then
        raise exception 'demo data: entries on accounts missing from the chart: %', bad;
    end if;
    select string_agg(tip_doc || ' ' || nr_doc, ', ') into bad
    from (
        select data_doc, tip_doc, nr_doc
        from g_entry
        group by data_doc, tip_doc, nr_doc
        having count(distinct coalesce(partener, '')) > 1 or count(distinct emitent) > 1
    ) d;
    if bad is not null then
        raise exception 'demo data: documents with more than one partner or issuer: %', bad;
    end if;
end
$$;

insert into doc (data_doc, tip_doc, nr_doc, partener, emitent)
select distinct data_doc, tip_doc, nr_doc, partener, emitent
from g_entry;

insert into jurnal (data_reg_jurnal, data_doc, tip_doc, nr_doc, conts, conta, moneda, dbcr,
                    valoare, curs, valoare_lei, conts_coresp, conta_coresp, explicatie)
select e.data_reg, e.data_doc, e.tip_doc, e.nr_doc, s.conts, s.conta, a.moneda, s.dbcr,
       case when a.moneda = 'RON' then e.valoare_lei else e.valoare_val end,
       case when a.moneda = 'RON' then 1 else e.curs end,
       e.valoare_lei, s.coresp_conts, s.coresp_conta, e.explicatie
from g_entry e
cross join lateral (values ('DB', e.db_conts, e.db_conta, e.cr_conts, e.cr_conta),
                           ('CR', e.cr_conts, e.cr_conta, e.db_conts, e.db_conta)) s(dbcr, conts, conta, coresp_conts, coresp_conta)
join conta a on a.conts = s.conts and a.conta = s.conta
order by e.data_reg, e.data_doc, e.tip_doc, e.nr_doc, s.dbcr desc;

-- Morv Demo keeps the period of a last search (the previous month); Alfa
-- Test starts without a period row, which the first search adds.
insert into data_list (data_incep, data_sf, moneda_raportare, curs_raportare)
select ms, me, 'RON', 1
from g_luna
where m = 11 and current_database() = 'morv_demo';

analyze conts, conta, conta_sold_initial, jurnal, doc, doc_poz, curs_valutar;
