-- Which client applications may sign in: per company (aplicatie_mob) and per
-- operator (aplicatie_mob_emitent). Names are matched ignoring letter case,
-- so the look-up indexes are on lower(aplicatie_mob).
-- No foreign keys between the two or to emitent: each check of the sign-in
-- stands on its own, and an operator's row may name an application that the
-- company has disabled or spells in another case.

create table aplicatie_mob (
    aplicatie_mob varchar(100) not null,
    activ         boolean not null default false,
    obs           text,
    constraint aplicatie_mob_pkey primary key (aplicatie_mob)
);

create index aplicatie_mob_lower on aplicatie_mob (lower(aplicatie_mob));

create table aplicatie_mob_emitent (
    aplicatie_mob varchar(100) not null,
    emitent       varchar(100) not null,
    rol           text,
    constraint aplicatie_mob_emitent_pkey primary key (aplicatie_mob, emitent)
);

create index aplicatie_mob_emitent_lookup on aplicatie_mob_emitent (emitent, lower(aplicatie_mob));
