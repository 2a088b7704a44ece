-- Demo data of a company database, loaded on top of the reference schema by
-- scripts/demo-servers.sh: every file of this folder, in name order, in one
-- psql session and one transaction. The same files serve both demo
-- companies; what differs between them is keyed on current_database()
-- (morv_demo, alfa_test).
--
-- The year of books is the twelve months before the current one plus the
-- current month up to today, so that "Luna curenta" and "Luna anterioara"
-- find movements. Amounts are cents; "random" values come from a hash of the
-- database name and a key, so a company's data is the same at every load on
-- the same day.
--
-- The generator works in temporary tables: g_entry holds accounting entries
-- (debit account, credit account, amount), which the last file turns into
-- the journal's two lines per entry and the documents' headers.

create function pg_temp.rnd(k text) returns double precision
language sql stable as
$$ select (hashtext(current_database() || ':' || k)::bigint + 2147483648) / 4294967296.0 $$;

-- A whole number from lo to hi, both included.
create function pg_temp.pick(k text, lo integer, hi integer) returns integer
language sql stable as
$$ select lo + floor(pg_temp.rnd(k) * (hi - lo + 1))::integer $$;

-- An amount from lo to hi in cents.
create function pg_temp.amount(k text, lo numeric, hi numeric) returns numeric
language sql stable as
$$ select round(lo + (hi - lo)::numeric * pg_temp.rnd(k)::numeric, 2) $$;

-- Romanian standard VAT rate on the day.
create function pg_temp.vat_rate(d date) returns numeric
language sql immutable as
$$ select case when d >= date '2025-08-01' then 0.21 else 0.19 end $$;

create temp table g_cfg as
select (date_trunc('month', current_date) - interval '12 months')::date as y0,
       current_date                                                    as y1,
       current_database() = 'morv_demo'                                 as bulk,
       case current_database() when 'morv_demo' then 'MD' else 'AT' end as serie,
       -- Monthly gross pay of the staff at the start of the year.
       case current_database() when 'morv_demo' then 42000.00 else 24000.00 end as brut;

-- The months of the demo year; a month is closed (salaries, VAT, revenue of
-- the subscriptions, revaluation) once its last day is behind us.
create temp table g_luna as
select m,
       ms,
       (ms + interval '1 month' - interval '1 day')::date as me,
       (ms + interval '1 month' - interval '1 day')::date < (select y1 from g_cfg) as closed
from (
    select m, ((select y0 from g_cfg) + make_interval(months => m))::date as ms
    from generate_series(0, 12) m
) s;

create temp table g_entry (
    data_doc    date not null,
    tip_doc     varchar(7) not null,
    nr_doc      varchar(15) not null,
    data_reg    date not null,
    partener    varchar(100),
    emitent     varchar(100),
    db_conts    varchar(7) not null,
    db_conta    varchar(25) not null,
    cr_conts    varchar(7) not null,
    cr_conta    varchar(25) not null,
    -- Amount in lei, and in the foreign currency where a side of the entry
    -- is kept in one (the lei side of such an entry carries the lei amount).
    valoare_lei numeric(18, 2) not null,
    valoare_val numeric(18, 2),
    curs        numeric(18, 6),
    explicatie  varchar(100) not null
);

-- Each entry's two sides as signed movements of their accounts, for the
-- month-end steps that need balances and turnovers.
create temp view g_side as
select e.data_reg, s.conts, s.conta, a.moneda,
       s.sgn * case when a.moneda = 'RON' then e.valoare_lei else e.valoare_val end as val,
       s.sgn * e.valoare_lei as lei
from g_entry e
cross join lateral (values (1, e.db_conts, e.db_conta), (-1, e.cr_conts, e.cr_conta)) s(sgn, conts, conta)
join conta a on a.conts = s.conts and a.conta = s.conta;

-- Operators of the company who issue documents, by role in the demo.
create temp table g_operator (rol text, emitent varchar(100));
