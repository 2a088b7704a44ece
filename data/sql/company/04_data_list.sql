-- The period row: the period of the last account-sheet search. The client
-- writes data_incep/data_sf and commits, then runs the ledger statement,
-- possibly over another server connection; the ledger views read the period
-- from here and from nowhere else. The row is shared by every client of the
-- company.
--
-- At most one row: the views join every row of this table, so a second row
-- would repeat every ledger line. The unique index on a constant allows one.

create table data_list (
    data_incep       date not null,
    data_sf          date,
    data_incep_f     date,
    data_sf_f        date,
    data_incep_bal   date,
    data_sf_bal      date,
    moneda_raportare varchar(3),
    curs_raportare   double precision
);

create unique index data_list_one_row on data_list ((true));
