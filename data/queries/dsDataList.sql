select * 
from data_list
;
