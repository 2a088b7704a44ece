-- Chart of accounts: synthetic accounts and their analytic accounts, partners
-- included (one analytic account per client under 4111 and per supplier
-- under 401). A few accounts are discontinued: their history stays in the
-- journal, the pickers no longer list them.

insert into conts (conts, den_conts, discontinued) values
    ('1012', 'Capital subscris varsat',                          null),
    ('121',  'Profit sau pierdere',                              null),
    ('2131', 'Echipamente tehnologice',                          false),
    ('401',  'Furnizori',                                        false),
    ('404',  'Furnizori de imobilizari',                         true),
    ('4111', 'Clienti',                                          false),
    ('421',  'Personal - salarii datorate',                      false),
    ('431',  'Asigurari sociale',                                false),
    ('444',  'Impozitul pe venituri de natura salariilor',       false),
    ('4423', 'TVA de plata',                                     false),
    ('4424', 'TVA de recuperat',                                 false),
    ('4426', 'TVA deductibila',                                  false),
    ('4427', 'TVA colectata',                                    false),
    ('472',  'Venituri inregistrate in avans',                   false),
    ('5121', 'Conturi la banci in lei',                          false),
    ('5124', 'Conturi la banci in valuta',                       false),
    ('5125', 'Sume in curs de decontare',                        false),
    ('5311', 'Casa in lei',                                      false),
    ('5328', 'Alte valori',                                      true),
    ('581',  'Viramente interne',                                false),
    ('602',  'Cheltuieli cu materialele consumabile',            false),
    ('605',  'Cheltuieli privind energia si apa',                false),
    ('611',  'Cheltuieli cu intretinerea si reparatiile',        false),
    ('612',  'Cheltuieli cu redeventele, locatiile si chiriile', false),
    ('626',  'Cheltuieli postale si taxe de telecomunicatii',    false),
    ('627',  'Cheltuieli cu serviciile bancare',                 false),
    ('628',  'Alte cheltuieli cu serviciile executate de terti', false),
    ('641',  'Cheltuieli cu salariile personalului',             false),
    ('665',  'Cheltuieli din diferente de curs valutar',         false),
    ('704',  'Venituri din servicii prestate',                   false),
    ('765',  'Venituri din diferente de curs valutar',           false);

insert into conta (conts, conta, moneda, den_conta, discontinued) values
    ('1012', '.Capital',       'RON', 'Capital social',                         null),
    ('121',  '.Profit',        'RON', 'Rezultatul reportat',                    null),
    ('2131', '.Servere',       'RON', 'Servere si echipamente de retea',        false),
    ('404',  '.Echipamente',   'RON', 'Furnizori de echipamente',               true),
    ('421',  '.Salarii',       'RON', 'Salarii datorate',                       false),
    ('431',  '.CAS',           'RON', 'Contributia la pensii',                  false),
    ('431',  '.CASS',          'RON', 'Contributia la sanatate',                false),
    ('444',  '.Impozit',       'RON', 'Impozit pe salarii',                     false),
    ('4423', '.TVA',           'RON', 'TVA de plata',                           false),
    ('4424', '.TVA',           'RON', 'TVA de recuperat',                       false),
    ('4426', '.TVA',           'RON', 'TVA deductibila',                        false),
    ('4427', '.TVA',           'RON', 'TVA colectata',                          false),
    ('472',  '.Upgrade',       'RON', 'Abonamente Upgrade facturate in avans',  false),
    ('472',  '.Suport',        'RON', 'Abonamente de suport facturate in avans', false),
    ('472',  '.Vechi',         'RON', 'Abonamente din vechiul sistem',          true),
    ('5121', 'BT.RON',         'RON', 'Banca Transilvania, cont curent lei',    false),
    ('5121', 'BCR.RON',        'RON', 'BCR, cont curent lei',                   false),
    ('5121', 'CEC.RON',        'RON', 'CEC Bank, cont inchis',                  true),
    ('5124', 'BT.EUR',         'EUR', 'Banca Transilvania, cont curent euro',   false),
    ('5125', '.Card',          'RON', 'Incasari cu cardul de decontat',         false),
    ('5125', '.PayU',          'RON', 'Vechiul procesator de plati',            true),
    ('5311', '.Casa',          'RON', 'Casa sediu',                             false),
    ('5328', '.Tichete',       'RON', 'Tichete de masa',                        true),
    ('581',  '.Viramente',     'RON', 'Viramente interne',                      false),
    ('602',  '.Consumabile',   'RON', 'Consumabile de birou',                   false),
    ('605',  '.Energie',       'RON', 'Energie electrica',                      false),
    ('611',  '.Echipamente',   'RON', 'Intretinere echipamente',                false),
    ('612',  '.Birouri',       'RON', 'Chirie birouri',                         false),
    ('626',  '.Telefonie',     'RON', 'Telefonie si internet',                  false),
    ('626',  '.Curierat',      'RON', 'Curierat',                               false),
    ('627',  '.Comisioane',    'RON', 'Comisioane de procesare card',           false),
    ('628',  '.Contabilitate', 'RON', 'Servicii de contabilitate',              false),
    ('628',  '.Gazduire',      'RON', 'Gazduire servere',                       false),
    ('641',  '.Salarii',       'RON', 'Salarii',                                false),
    ('665',  '.Curs',          'RON', 'Diferente nefavorabile de curs',         false),
    ('704',  '.Upgrade',       'RON', 'Venituri din abonamente Upgrade',        false),
    ('704',  '.Suport',        'RON', 'Venituri din abonamente de suport',      false),
    ('704',  '.Servicii',      'RON', 'Venituri din servicii de implementare',  false),
    ('765',  '.Curs',          'RON', 'Diferente favorabile de curs',           false);

-- Clients with an analytic account of their own under 4111. i numbers them
-- for the generator; Nordic Retail is invoiced in euro; Getic Import only
-- pays what it owed at the start of the year.
create temp table g_client (i integer, cod varchar(25), nume varchar(100), moneda varchar(3), discontinued boolean);
insert into g_client values
    (1,  'ALFASOFT',   'Alfa Soft SRL',          'RON', false),
    (2,  'CARPAT',     'Carpat Logistic SRL',    'RON', false),
    (3,  'DUNAREA',    'Dunarea Trans SA',       'RON', false),
    (4,  'BRAD',       'Brad Construct SRL',     'RON', false),
    (5,  'MURES',      'Mures Agro SRL',         'RON', false),
    (6,  'OLTPHARMA',  'Olt Pharma SRL',         'RON', false),
    (7,  'SIRET',      'Siret Media SRL',        'RON', false),
    (8,  'TRANSPRINT', 'Transilvania Print SRL', 'RON', false),
    (9,  'DELTA',      'Delta Turism SRL',       'RON', false),
    (10, 'BUCEGI',     'Bucegi Hotel SRL',       'RON', false),
    (11, 'CEAHLAU',    'Ceahlau Foods SRL',      'RON', false),
    (12, 'PRAHOVA',    'Prahova Auto SRL',       'RON', false),
    (13, 'SOMES',      'Somes Textil SRL',       'RON', false),
    (14, 'TIMIS',      'Timis Metal SRL',        'RON', false),
    (15, 'ARGES',      'Arges Electric SRL',     'RON', false),
    (16, 'CRISANA',    'Crisana Lemn SRL',       'RON', false),
    (17, 'BANAT',      'Banat Grain SRL',        'RON', false),
    (18, 'VRANCEA',    'Vrancea Vin SRL',        'RON', false),
    (19, 'DOBROGEA',   'Dobrogea Port SA',       'RON', false),
    (20, 'MARAMURES',  'Maramures Mobila SRL',   'RON', false),
    (21, 'BISTRITA',   'Bistrita Clinic SRL',    'RON', false),
    (22, 'NEAMT',      'Neamt Design SRL',       'RON', false),
    (23, 'COPOU',      'Copou Dental SRL',       'RON', false),
    (24, 'FELEAC',     'Feleac Digital SRL',     'RON', false),
    (25, 'TAMPA',      'Tampa Events SRL',       'RON', false),
    (26, 'NORDIC.EUR', 'Nordic Retail AB',       'EUR', false),
    (27, 'GETIC',      'Getic Import SRL',       'RON', true);

-- Suppliers under 401: what they bill, to which expense account, how much
-- net a month (from lo to hi), on which day and how often. CloudHost bills
-- in euro; Telecom Vechi is only paid off.
create temp table g_furnizor (
    cod varchar(25), nume varchar(100), moneda varchar(3), discontinued boolean,
    chelt_conts varchar(7), chelt_conta varchar(25), articol varchar(60),
    lo numeric, hi numeric, zi integer, prob double precision
);
insert into g_furnizor values
    ('IMOCENTRU',  'Imobiliara Centru SRL', 'RON', false, '612', '.Birouri',       'Chirie birouri',         4500, 4500, 2,  1.0),
    ('ENERGIA',    'Energia Verde SA',      'RON', false, '605', '.Energie',       'Energie electrica',      340,  920,  31, 1.0),
    ('TELNORD',    'Telecom Nord SA',       'RON', false, '626', '.Telefonie',     'Telefonie si internet',  219,  262,  5,  1.0),
    ('CURIER',     'Curier Rapid SRL',      'RON', false, '626', '.Curierat',      'Servicii de curierat',   80,   410,  20, 0.8),
    ('BIROTICA',   'Birotica Plus SRL',     'RON', false, '602', '.Consumabile',   'Consumabile birou',      150,  1200, 12, 0.6),
    ('SERVICEIT',  'Service IT Pro SRL',    'RON', false, '611', '.Echipamente',   'Reparatii echipamente',  600,  2500, 17, 0.4),
    ('CONTEXPERT', 'Contabil Expert SRL',   'RON', false, '628', '.Contabilitate', 'Servicii contabilitate', 1500, 1500, 8,  1.0),
    ('CLOUD.EUR',  'CloudHost GmbH',        'EUR', false, '628', '.Gazduire',      'Gazduire servere',       380,  460,  1,  1.0),
    ('TELVECHI',   'Telecom Vechi SA',      'RON', true,  null,  null,             null,                     0,    0,    0,  0);

-- Subscribers of the online shop (Morv Demo only): one analytic account each
-- under 4111, monthly "Abonament Upgrade" invoices paid by card. They make
-- 4111 the large account of the demo, about 50,000 movements a year.
create temp table g_web as
with nume (n, nume) as (
    select row_number() over (), nume from unnest(array[
        'Popescu', 'Ionescu', 'Popa', 'Pop', 'Radu', 'Dumitru', 'Stan', 'Stoica', 'Gheorghe', 'Matei',
        'Ciobanu', 'Rusu', 'Mihai', 'Constantin', 'Marin', 'Florea', 'Dinu', 'Tudor', 'Munteanu', 'Moldovan',
        'Lungu', 'Barbu', 'Toma', 'Enache', 'Nistor', 'Oprea', 'Dobre', 'Voicu', 'Sandu', 'Cristea']) nume
), prenume (n, prenume) as (
    select row_number() over (), prenume from unnest(array[
        'Andrei', 'Maria', 'Ion', 'Elena', 'Mihai', 'Ana', 'Alexandru', 'Ioana', 'Gabriel', 'Cristina',
        'Stefan', 'Andreea', 'Adrian', 'Mihaela', 'Florin', 'Alina', 'Vlad', 'Raluca', 'Bogdan', 'Simona',
        'Radu', 'Diana', 'Cosmin', 'Laura', 'Marius', 'Irina', 'Sorin', 'Oana', 'Catalin', 'Roxana',
        'Dan', 'Bianca', 'George', 'Teodora', 'Lucian', 'Carmen', 'Paul', 'Iulia', 'Ovidiu', 'Denisa',
        'Victor', 'Sorina', 'Tudor', 'Anca', 'Darius', 'Larisa', 'Emil', 'Monica', 'Horia', 'Corina']) prenume
)
select c,
       'W' || lpad(c::text, 5, '0') as cod,
       (select nume from nume where n = 1 + (c - 1) % 30) || ' ' ||
       (select prenume from prenume where n = 1 + ((c - 1) / 30 + (c - 1) * 7) % 50) as nume,
       -- Plan (net a month), first invoice day and, for some, the month in
       -- which they cancel.
       (array[49, 99, 199])[pg_temp.pick('web-plan-' || c, 1, 3)]::numeric as pret,
       (select y0 from g_cfg) + pg_temp.pick('web-start-' || c, 0, 120) as start,
       case when pg_temp.rnd('web-churn-' || c) < 0.2 then pg_temp.pick('web-churn-m-' || c, 1, 10) end as luni
from generate_series(1, 1720) c
where (select bulk from g_cfg);

-- Those whose next invoice would have come by now have left: their account
-- is discontinued, and they paid what they owed.
alter table g_web add column renuntat boolean;
update g_web set renuntat = luni is not null and start + make_interval(months => luni) <= (select y1 from g_cfg);

insert into conta (conts, conta, moneda, den_conta, discontinued)
select '4111', cod, moneda, nume, discontinued from g_client
union all
select '401', cod, moneda, nume, discontinued from g_furnizor
union all
select '4111', cod, 'RON', nume, renuntat from g_web;
