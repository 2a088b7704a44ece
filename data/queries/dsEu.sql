select *
from eu
;
