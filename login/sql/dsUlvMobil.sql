select *
from m_firma
where nume_firma = :pNumeFirma
;
