SELECT o_gen_xml_efactura(:pdatadoc, :ptipdoc, :pnrdoc)
