select *
from emitent
where emitent = :pEmitent
  and operator_parola = :pP
;
