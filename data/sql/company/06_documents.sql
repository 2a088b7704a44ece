-- Documents (doc) and their lines (doc_poz). The ledger statement joins every
-- movement to its document by (data_doc, tip_doc, nr_doc) for the partner and
-- the issuing operator, and looks among the document's lines for the
-- subscription that a line of revenue account 472 / .Upgrade bills.
--
-- doc must not get a column named conts, conts_coresp, conta_coresp,
-- conts_venit, conta_venit, sold_db_incremental, sold_cr_incremental,
-- sold_db_lei_incremental or sold_cr_lei_incremental: the ledger statement
-- names those without a table prefix next to doc, and the server would
-- reject it as ambiguous.

create table doc (
    data_doc date not null,
    tip_doc  varchar(7) not null,
    nr_doc   varchar(15) not null,
    partener varchar(100),
    emitent  varchar(100),
    -- One row per document, or the ledger would repeat a movement once per
    -- matching header.
    constraint doc_pkey primary key (data_doc, tip_doc, nr_doc)
);

create table doc_poz (
    data_doc    date not null,
    tip_doc     varchar(7) not null,
    nr_doc      varchar(15) not null,
    -- Line number within the document; among several subscription lines the
    -- ledger takes the lowest.
    scv         integer not null,
    articol     varchar(100),
    conts_venit varchar(7),
    conta_venit varchar(25),
    data_incep  date,
    data_sf     date,
    -- The key's order also serves the ledger's per-movement look-up: the
    -- document's lines in scv order.
    constraint doc_poz_pkey primary key (data_doc, tip_doc, nr_doc, scv)
);
