vellumix_test(tst_zomainwindow LABELS gui LIBS zofc)
