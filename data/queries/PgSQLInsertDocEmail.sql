insert into doc_email (data_doc,
                       tip_doc,
                       nr_doc,
                       emitent,
                       email_adr)
values (:pDataDoc,
        :pTipDoc,
        :pNrDoc,
        :pEmitent,
        :pEmailAdr)
;
