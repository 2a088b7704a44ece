select *
from conts
where not discontinued 
order by conts
  
;
