select *
from aplicatie_mob_emitent
where emitent = :pEmitent
  and lower(aplicatie_mob) = lower(:pAplicatieMob)
;
