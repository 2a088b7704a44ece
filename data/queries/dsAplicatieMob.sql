select *
from aplicatie_mob
where lower(aplicatie_mob) = lower(:pAplicatieMob)
  and activ
;
