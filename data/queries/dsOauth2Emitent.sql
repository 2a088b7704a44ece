select oauth2_client_serviciu_em.cid,

       oauth2_client.cs,
       oauth2_client.at,
       oauth2_client.rt
from oauth2_client_serviciu_em left outer join oauth2_client on oauth2_client_serviciu_em.cid = oauth2_client.cid
where oauth2_client_serviciu_em.emitent  = :pEmitent--'ULV'
  and oauth2_client_serviciu_em.serviciu = :pServiciu --'eFact'
order by oauth2_client_serviciu_em.cid
limit 1
;
