vellumix_test(tst_zoutils LABELS unit HEADLESS LIBS zofc)
