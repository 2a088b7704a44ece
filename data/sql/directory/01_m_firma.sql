-- Directory of companies: where each company's accounting database lives and
-- how its operator passwords are kept. The client reads it once per sign-in,
-- by company name, and uses the first row returned.

create table m_firma (
    nume_firma   varchar(200) not null,
    ip           text,
    port         integer,
    db_name      text,
    activ        boolean,
    m_site       boolean not null default false,
    -- 'HashSHA2': operator_parola in the company database holds the SHA-256
    -- digest of the password (64 lower-case hex digits); anything else: the
    -- password as typed.
    pw_hash_type varchar(23)
);

-- Not unique on purpose: the sign-in tolerates duplicate names (it takes the
-- first row), so the directory does not refuse them; the index only keeps the
-- look-up by name cheap.
create index m_firma_nume_firma on m_firma (nume_firma);
