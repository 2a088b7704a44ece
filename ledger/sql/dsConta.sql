select *
from conta
where not discontinued 
order by conts,
         conta
;
