-- Chart of accounts: synthetic accounts (conts) and the analytic accounts
-- under them (conta). The pickers list the rows whose discontinued is not
-- true. The journal does not reference these tables by foreign key: the
-- ledger reads the journal alone, and history stays readable after an
-- account is removed from the chart.

create table conts (
    conts        varchar(7) not null,
    den_conts    varchar(100) not null,
    discontinued boolean default false,
    constraint conts_pkey primary key (conts)
);

create table conta (
    conts        varchar(7) not null,
    conta        varchar(25) not null,
    moneda       varchar(3) not null,
    den_conta    varchar(100) not null,
    discontinued boolean default false,
    constraint conta_pkey primary key (conts, conta)
);
