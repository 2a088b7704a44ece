-- The demo directory: two companies on the demo company server, one keeping
-- its operators' passwords as SHA-256 digests, one keeping them as typed.
-- The company server's port comes from the loader (psql variable
-- company_port). The db_name and pw_hash_type of each row must agree with the
-- company's own data (company/02_company.sql), which stores the passwords
-- accordingly.

insert into m_firma (nume_firma, ip, port, db_name, activ, m_site, pw_hash_type) values
    ('Morv Demo', '127.0.0.1', :company_port, 'morv_demo', true, true,  'HashSHA2'),
    ('Alfa Test', '127.0.0.1', :company_port, 'alfa_test', true, false, null);
