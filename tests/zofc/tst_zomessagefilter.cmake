vellumix_test(tst_zomessagefilter LABELS unit HEADLESS LIBS zofc)
