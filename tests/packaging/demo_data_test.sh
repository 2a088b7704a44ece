#!/usr/bin/env bash
# The demo data (data/demo) loaded on the reference schema (data/sql) as the
# demo servers load it, on the test run's TLS server: it must load, agree with
# the directory rows, keep double entry, keep plausible balances, and give the
# ledger statement the rows the demo promises.
#   demo_data_test.sh SOURCE_DIR FIXTURE_ENV
set -euo pipefail
src=${1:?source dir}
fixture_env=${2:?fixture env}

while IFS='=' read -r key value; do
  case "$key" in HOST | TLS_PORT | PASSWORD_FILE) printf -v "$key" '%s' "$value" ;; esac
done <"$fixture_env"
PGPASSWORD=$(head -n 1 "$PASSWORD_FILE")
export PGPASSWORD
conn() { echo "host=$HOST port=$TLS_PORT user=ulv sslmode=require dbname=$1"; }
run_sql() { psql -X -q -At -v ON_ERROR_STOP=1 "$@"; }

# The company data is keyed on these database names; the directory gets a
# name of its own beside the fixture's template ulv_mob.
directory=wmorv_demo_directory
companies=(morv_demo alfa_test)
drop_all() {
  for db in "$directory" "${companies[@]}"; do
    run_sql "$(conn postgres)" -c "drop database if exists $db" 2>/dev/null || true
  done
}
trap drop_all EXIT
drop_all

load() { # db folder psql-args...
  local db=$1 folder=$2 f
  shift 2
  run_sql "$(conn postgres)" -c "create database $db owner ulv"
  for f in "$src/data/sql/$folder"/*.sql "$src/data/demo/$folder"/*.sql; do
    cat "$f"
    echo
  done | run_sql -1 "$(conn "$db")" "$@" -f - >/dev/null
}
load "$directory" directory -v company_port="$TLS_PORT"
for db in "${companies[@]}"; do
  load "$db" company
done
echo "ok: demo data loaded on the reference schema"

passed=0
failed=0
ok() { echo "ok: $1"; passed=$((passed + 1)); }
bad() { echo "FAIL: $1" >&2; [ -z "${2:-}" ] || printf '%s\n' "$2" | head -n 10 | sed 's/^/    /' >&2; failed=$((failed + 1)); }
# expect_none DESCRIPTION DB SQL: the query lists what is wrong, one row each.
expect_none() {
  local out
  out=$(run_sql "$(conn "$2")" -c "$3" 2>&1) || { bad "$1 ($2)" "$out"; return; }
  if [ -z "$out" ]; then ok "$1 ($2)"; else bad "$1 ($2)" "$out"; fi
}

# The directory's rows and the companies' operators agree on how passwords
# are stored; the demo's sign-in works in both.
while IFS='|' read -r name host port db hash; do
  [ "$host" = 127.0.0.1 ] && [ "$port" = "$TLS_PORT" ] || bad "$name: directory row points at $host:$port"
  expect_none "$name: operator demo signs in with password demo, stored as $([ "$hash" = HashSHA2 ] && echo digest || echo typed)" "$db" "
    select 'no operator demo with that password'
    where not exists (select from emitent
                      where emitent = 'demo'
                        and operator_parola = case when '$hash' = 'HashSHA2'
                                                   then encode(sha256(convert_to('demo', 'UTF8')), 'hex')
                                                   else 'demo' end)
    union all
    select 'wmorv not enabled for the company' where not exists (select from aplicatie_mob where lower(aplicatie_mob) = 'wmorv' and activ)
    union all
    select 'wmorv not enabled for demo' where not exists (select from aplicatie_mob_emitent where emitent = 'demo' and lower(aplicatie_mob) = 'wmorv')
    union all
    select 'no operator without wmorv' where not exists (
      select from emitent e where not exists (select from aplicatie_mob_emitent a where a.emitent = e.emitent and lower(a.aplicatie_mob) = 'wmorv'))
    union all
    select 'eu has not exactly one row' where (select count(*) from eu) <> 1"
done < <(run_sql "$(conn "$directory")" -F '|' -c "select nume_firma, ip, port, db_name, coalesce(pw_hash_type, '') from m_firma order by 1")
[ "$(run_sql "$(conn "$directory")" -c "select count(*) from m_firma where db_name in ('morv_demo', 'alfa_test')")" = 2 ] \
  && ok "directory names both company databases" || bad "directory names both company databases"

for db in "${companies[@]}"; do
  expect_none "every journal line and opening balance on an analytic account of the chart, in its currency" "$db" "
    select conts || ' ' || conta || ' ' || moneda from (select conts, conta, moneda from jurnal union select conts, conta, moneda from conta_sold_initial) j
    where not exists (select from conta a where a.conts = j.conts and a.conta = j.conta and a.moneda = j.moneda)
    union all
    select conts || ' ' || conta || ' missing synthetic' from conta a where not exists (select from conts s where s.conts = a.conts)"
  expect_none "every document of the journal has one header, every header has lines" "$db" "
    select tip_doc || ' ' || nr_doc from (select distinct data_doc, tip_doc, nr_doc from jurnal) j
    where not exists (select from doc d where (d.data_doc, d.tip_doc, d.nr_doc) = (j.data_doc, j.tip_doc, j.nr_doc))
    union all
    select tip_doc || ' ' || nr_doc || ' without lines' from doc d
    where not exists (select from jurnal j where (d.data_doc, d.tip_doc, d.nr_doc) = (j.data_doc, j.tip_doc, j.nr_doc))"
  expect_none "each document balances in lei, the opening balances too" "$db" "
    select tip_doc || ' ' || nr_doc || ': ' || sum(case dbcr when 'DB' then valoare_lei else -valoare_lei end)
    from jurnal group by data_doc, tip_doc, nr_doc
    having sum(case dbcr when 'DB' then valoare_lei else -valoare_lei end) <> 0
    union all
    select 'opening: ' || sum(sold_db_lei - sold_cr_lei) from conta_sold_initial having sum(sold_db_lei - sold_cr_lei) <> 0"
  # Balances day by day: money never below zero, deferred revenue never on
  # the debit side, discontinued accounts emptied.
  expect_none "plausible balances" "$db" "
    with mv as (
      select conts, conta, data_reg_jurnal as d,
             sum(case dbcr when 'DB' then valoare_lei else -valoare_lei end) as lei,
             sum(case dbcr when 'DB' then valoare else -valoare end) as val
      from jurnal group by 1, 2, 3
      union all
      select conts, conta, data_sold - 1, sold_db_lei - sold_cr_lei, sold_db - sold_cr from conta_sold_initial
    ), bal as (
      select conts, conta, d, sum(lei) over w as lei, sum(val) over w as val, row_number() over (partition by conts, conta order by d desc) as last
      from mv window w as (partition by conts, conta order by d)
    )
    select conts || ' ' || conta || ' below zero on ' || d || ': ' || val from bal
    where conts in ('5121', '5124', '5125', '5311') and val < 0
    union all
    select conts || ' ' || conta || ' debit on ' || d || ': ' || lei from bal where conts = '472' and lei > 0
    union all
    select b.conts || ' ' || b.conta || ' discontinued, ends at ' || b.lei from bal b
    join conta a on a.conts = b.conts and a.conta = b.conta
    where a.discontinued and b.last = 1 and (b.lei <> 0 or b.val <> 0)"
  expect_none "euro accounts in lei at the month's last rate after each revaluation" "$db" "
    select j.conts || ' ' || j.conta || ' ' || m.me || ': ' || lei || ' lei for ' || val || ' EUR'
    from (select distinct data_doc as me from jurnal where tip_doc = 'NC' and explicatie like 'Reevaluare%') m
    cross join lateral (
      select j.conts, j.conta,
             sum(case dbcr when 'DB' then valoare_lei else -valoare_lei end) + coalesce(max(o.sold_db_lei - o.sold_cr_lei), 0) as lei,
             sum(case dbcr when 'DB' then valoare else -valoare end) + coalesce(max(o.sold_db - o.sold_cr), 0) as val
      from jurnal j
      left join conta_sold_initial o on o.conts = j.conts and o.conta = j.conta
      where j.moneda = 'EUR' and j.data_reg_jurnal <= m.me
      group by j.conts, j.conta
    ) j
    where lei <> round(val * (select curs from curs_valutar where data = m.me and moneda = 'EUR'), 2)"

  # The ledger statement of the program over the whole demo year, for 4111.
  expect_none "ledger of 4111 for the whole year: movements, opening rows, subscription dates, final balances" "$db" "
    delete from data_list;
    insert into data_list (data_incep, data_sf)
    select min(data_sold), (select max(data_reg_jurnal) from jurnal) from conta_sold_initial;
    prepare fisa(text) as $(sed 's/:pConts/$1/' "$src/ledger/sql/FisaContAnalitic.sql");
    create temp table r as execute fisa('4111');
    select 'movements: ' || count(*) filter (where nr_doc <> 'Sold Initial') || ', journal: ' || (select count(*) from jurnal where conts = '4111')
    from r having count(*) filter (where nr_doc <> 'Sold Initial') <> (select count(*) from jurnal where conts = '4111')
    union all
    select 'subscription dates on ' || nr_doc || ' ' || conta_coresp from r
    where (tip_doc = 'FACT' and conts_coresp = '472' and conta_coresp = '.Upgrade') <> (data_incep_abonament is not null)
    union all
    select conta || ' ends at ' || sold_final_lei || ' ' || tip_sold_final from (
      select distinct on (conta) conta, sold_final_lei, tip_sold_final from r order by conta, nr_crt desc) f
    where (case tip_sold_final when 'DB' then 1 else -1 end) * sold_final_lei <>
          (select coalesce(sum(case dbcr when 'DB' then valoare_lei else -valoare_lei end), 0) from jurnal j where j.conts = '4111' and j.conta = f.conta)
          + (select coalesce(sum(sold_db_lei - sold_cr_lei), 0) from conta_sold_initial o where o.conts = '4111' and o.conta = f.conta)"
done

expect_none "Morv Demo: 4111 is the large account, about 50,000 movements a year" morv_demo "
  select count(*) || ' movements' from jurnal where conts = '4111' having count(*) not between 40000 and 60000"
expect_none "Alfa Test: a few hundred documents" alfa_test "
  select count(*) || ' documents' from doc having count(*) not between 200 and 2000"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
