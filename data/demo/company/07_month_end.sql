-- Month-end work of every closed month, on one accounting note per month
-- (NC-yymm): the subscriptions' revenue of the month moves from 472 to 704,
-- VAT is settled and paid the month after, cash goes to the bank, and the
-- euro accounts are revalued at the month's last rate. Card payments are
-- paid out by the processor every Monday for the week before, less its fee.

-- Revenue of the month: each subscription line's net spread evenly over the
-- days it covers; the balance brought over is used up in the first half of
-- the year.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select l.me, 'NC', 'NC-' || to_char(l.me, 'YYMM'), l.me, null, 'Ioana Pop', '472', a.conta, '704', a.conta,
       r.suma, null::numeric, null::numeric, 'Venituri abonamente ' || to_char(l.me, 'MM.YYYY')
from g_luna l
cross join (values ('.Upgrade'), ('.Suport')) a(conta)
cross join lateral (
    select round(coalesce(sum(i.net * (least(i.data_sf, l.me) - greatest(i.data_incep, l.ms) + 1)
                                    / (i.data_sf - i.data_incep + 1)), 0)
                 + case when l.m < 6 then -(select lei from g_sold where conts = '472' and conta = a.conta) / 6 else 0 end, 2) as suma
    from g_item i
    where i.conts_venit = '472' and i.conta_venit = a.conta
      and i.data_doc <= l.me and i.data_incep <= l.me and i.data_sf >= l.ms
) r
where l.closed and r.suma > 0;

-- VAT of the month: collected against deductible, the rest to pay (or to
-- recover); what is to pay leaves the bank on the 25th of the next month.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select l.me, 'NC', 'NC-' || to_char(l.me, 'YYMM'), l.me, null, 'Ioana Pop', e.db_conts, '.TVA', e.cr_conts, '.TVA',
       e.suma, null::numeric, null::numeric, e.expl
from g_luna l
cross join lateral (
    select coalesce(-sum(lei) filter (where conts = '4427'), 0) as colectata,
           coalesce(sum(lei) filter (where conts = '4426'), 0)  as deductibila
    from g_side
    where conts in ('4426', '4427') and data_reg between l.ms and l.me
) t
cross join lateral (values
    ('4427', '4426', least(t.colectata, t.deductibila),     'Compensare TVA ' || to_char(l.me, 'MM.YYYY')),
    ('4427', '4423', greatest(t.colectata - t.deductibila, 0), 'TVA de plata ' || to_char(l.me, 'MM.YYYY')),
    ('4424', '4426', greatest(t.deductibila - t.colectata, 0), 'TVA de recuperat ' || to_char(l.me, 'MM.YYYY'))
) e(db_conts, cr_conts, suma, expl)
where l.closed and e.suma > 0;

insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select d, 'PLATA', 'TVA-' || to_char(e.data_doc, 'YYMM'), d, 'Trezoreria Statului', 'Ioana Pop', '4423', '.TVA', '5121', 'BT.RON',
       e.valoare_lei, null::numeric, null::numeric, 'Plata TVA ' || to_char(e.data_doc, 'MM.YYYY')
from g_entry e
cross join lateral (select e.data_doc + 25 as d) x
where e.cr_conts = '4423' and e.tip_doc = 'NC' and d <= (select y1 from g_cfg);

-- The card processor pays out each Monday what was paid by card the week
-- before, keeping 1.2%.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select d, 'DECONT', 'DEC-' || to_char(d, 'YYMMDD'), d, 'Procesator Plati Card SA', 'Ioana Pop',
       v.db_conts, v.db_conta, '5125', '.Card', v.suma, null::numeric, null::numeric, v.expl || to_char(w.saptamana, 'DD.MM.YYYY')
from (
    select date_trunc('week', data_doc)::date as saptamana, sum(valoare_lei) as total
    from g_entry
    where tip_doc = 'CARD'
    group by 1
) w
cross join lateral (select w.saptamana + 7 as d, round(w.total * 0.012, 2) as comision) x
cross join lateral (values
    ('5121', 'BT.RON',      w.total - x.comision, 'Decontare card saptamana '),
    ('627',  '.Comisioane', x.comision,           'Comision card saptamana ')
) v(db_conts, db_conta, suma, expl)
where d <= (select y1 from g_cfg);

-- Cash received in the month goes to the bank on its last day, through 581.
insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent, db_conts, db_conta, cr_conts, cr_conta,
                     valoare_lei, valoare_val, curs, explicatie)
select l.me, 'DISP', 'DP-' || to_char(l.me, 'YYMM'), l.me, null, 'demo', v.db_conts, v.db_conta, v.cr_conts, v.cr_conta,
       c.suma, null::numeric, null::numeric, v.expl
from g_luna l
cross join lateral (
    select floor(coalesce(sum(lei), 0) / 100) * 100 as suma
    from g_side
    where conts = '5311' and lei > 0 and data_reg between l.ms and l.me
) c
cross join lateral (values
    ('581',  '.Viramente', '5311', '.Casa',      'Depunere numerar la banca'),
    ('5121', 'BT.RON',     '581',  '.Viramente', 'Depunere numerar din casa')
) v(db_conts, db_conta, cr_conts, cr_conta, expl)
where l.closed and c.suma > 0;

-- Revaluation: each euro account's balance in lei is brought to its balance
-- in euro at the month's last rate; the difference goes to 765 or 665.
do $$
declare
    l record;
    a record;
    dif numeric;
begin
    for l in select * from g_luna where closed order by m loop
        for a in
            select s.conts, s.conta,
                   coalesce((select sum(val) from g_side g where g.conts = s.conts and g.conta = s.conta and g.data_reg <= l.me), 0)
                       + coalesce((select val from g_sold o where o.conts = s.conts and o.conta = s.conta), 0) as val,
                   coalesce((select sum(lei) from g_side g where g.conts = s.conts and g.conta = s.conta and g.data_reg <= l.me), 0)
                       + coalesce((select lei from g_sold o where o.conts = s.conts and o.conta = s.conta), 0) as lei
            from conta s
            where s.moneda = 'EUR'
            order by s.conts, s.conta
        loop
            dif := round(a.val * pg_temp.curs(l.me), 2) - a.lei;
            if dif <> 0 then
                insert into g_entry (data_doc, tip_doc, nr_doc, data_reg, partener, emitent,
                                     db_conts, db_conta, cr_conts, cr_conta, valoare_lei, valoare_val, curs, explicatie)
                values (l.me, 'NC', 'NC-' || to_char(l.me, 'YYMM'), l.me, null, 'Ioana Pop',
                        case when dif > 0 then a.conts else '665' end,
                        case when dif > 0 then a.conta else '.Curs' end,
                        case when dif > 0 then '765' else a.conts end,
                        case when dif > 0 then '.Curs' else a.conta end,
                        abs(dif), 0, pg_temp.curs(l.me),
                        'Reevaluare ' || a.conta || ' la cursul de ' || pg_temp.curs(l.me));
            end if;
        end loop;
    end loop;
end
$$;
