-- The analytic account sheet for the synthetic account in pConts, over the
-- period held in the period row (the views read it from data_list).
--
-- Only the chosen account's rows are read: both branches of the union keep
-- that account before anything is numbered or summed. nr_crt must still be
-- the row's position among the rows of every account of the period, so it is
-- the row's number within the account plus the count of rows of the accounts
-- that sort before it; "conts <" compares with the collation of conts, the
-- one the numbering orders by.
select d.*,
       case when sold_db_incremental is null then sold_cr_incremental else sold_db_incremental end as sold_final,
       case when sold_db_incremental is null then 'CR' else 'DB' end as tip_sold_final,
       case when sold_db_lei_incremental is null then sold_cr_lei_incremental else sold_db_lei_incremental end as sold_final_lei,
       doc.partener,
       doc.emitent,
       data_incep_abonament,
       data_sf_abonament
from (
    select conts,
           conta,
           moneda,
           data_doc,
           tip_doc,
           nr_doc,
           valoare_db,
           valoare_cr,
           curs,
           valoare_db_lei,
           valoare_cr_lei,
           conts_coresp,
           conta_coresp,
           explicatie,
           sold_db,
           sold_cr,
           sold_db_lei,
           sold_cr_lei,
           case when sold_incremental >= 0 then sold_incremental else cast(null as double precision) end as sold_db_incremental,
           case when sold_incremental < 0 then -sold_incremental else cast(null as double precision) end as sold_cr_incremental,
           case when sold_lei_incremental >= 0 then sold_lei_incremental else cast(null as double precision) end as sold_db_lei_incremental,
           case when sold_lei_incremental < 0 then -sold_lei_incremental else cast(null as double precision) end as sold_cr_lei_incremental,
           rulaj_db_incremental,
           rulaj_cr_incremental,
           rulaj_db_lei_incremental,
           rulaj_cr_lei_incremental,
           data_incep,
           data_sf,
           nr_crt
    from (
        select *,
               cast(cast(sum(coalesce(sold_db, 0) - coalesce(sold_cr, 0) + coalesce(valoare_db, 0) - coalesce(valoare_cr, 0)) over w as numeric(24, 4)) as double precision) as sold_incremental,
               cast(cast(sum(coalesce(sold_db_lei, 0) - coalesce(sold_cr_lei, 0) + coalesce(valoare_db_lei, 0) - coalesce(valoare_cr_lei, 0)) over w as numeric(24, 4)) as double precision) as sold_lei_incremental,
               cast(cast(sum(coalesce(valoare_db, 0)) over w as numeric(24, 4)) as double precision) as rulaj_db_incremental,
               cast(cast(sum(coalesce(valoare_cr, 0)) over w as numeric(24, 4)) as double precision) as rulaj_cr_incremental,
               cast(cast(sum(coalesce(valoare_db_lei, 0)) over w as numeric(24, 4)) as double precision) as rulaj_db_lei_incremental,
               cast(cast(sum(coalesce(valoare_cr_lei, 0)) over w as numeric(24, 4)) as double precision) as rulaj_cr_lei_incremental
        from (
            select *,
                   (select count(*) from view_conta_sold_per_incep where conts < :pConts)
                   + (select count(*) from view_contab_rulaj_reg_per where conts < :pConts)
                   + row_number() over w as nr_crt
            from (
                select data_sf as data_reg_jurnal,
                       cast(null as date) as data_doc,
                       cast(null as varchar(7)) as tip_doc,
                       cast('Sold Initial' as varchar(15)) as nr_doc,
                       conts,
                       conta,
                       moneda,
                       cast(null as double precision) as valoare_db,
                       cast(null as double precision) as valoare_cr,
                       cast(null as double precision) as curs,
                       cast(null as double precision) as valoare_db_lei,
                       cast(null as double precision) as valoare_cr_lei,
                       cast('DB' as varchar(2)) as dbcr,
                       cast(null as varchar(7)) as conts_coresp,
                       cast(null as varchar(25)) as conta_coresp,
                       cast(null as varchar(100)) as explicatie,
                       data_incep,
                       data_sf,
                       sold_db,
                       sold_cr,
                       sold_db_lei,
                       sold_cr_lei
                from view_conta_sold_per_incep
                where conts = :pConts
                union all
                select data_reg_jurnal,
                       data_doc,
                       tip_doc,
                       nr_doc,
                       conts,
                       conta,
                       moneda,
                       valoare_db,
                       valoare_cr,
                       curs,
                       valoare_db_lei,
                       valoare_cr_lei,
                       dbcr,
                       conts_coresp,
                       conta_coresp,
                       explicatie,
                       data_incep,
                       data_sf,
                       cast(null as double precision) as sold_db,
                       cast(null as double precision) as sold_cr,
                       cast(null as double precision) as sold_db_lei,
                       cast(null as double precision) as sold_cr_lei
                from view_contab_rulaj_reg_per
                where conts = :pConts
            ) a
            window w as (order by conts, conta, data_doc nulls first, tip_doc, nr_doc)
        ) b
        window w as (partition by conts, conta order by conts, conta, nr_crt)
    ) c
) d
left outer join doc
    on doc.data_doc = d.data_doc
   and doc.tip_doc = d.tip_doc
   and doc.nr_doc = d.nr_doc
left outer join lateral (
    select conts_venit,
           conta_venit,
           data_incep as data_incep_abonament,
           data_sf as data_sf_abonament
    from doc_poz
    where data_doc = d.data_doc
      and tip_doc = d.tip_doc
      and nr_doc = d.nr_doc
      and conts_venit = '472'
      and conta_venit = '.Upgrade'
      and articol = 'Abonament Upgrade'
    order by scv
    limit 1
) doc_poz
    on conts_coresp = conts_venit
   and conta_coresp = conta_venit
where conts = :pConts
order by conts, conta, data_doc nulls first, tip_doc, nr_doc, nr_crt
