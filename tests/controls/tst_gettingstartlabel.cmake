vellumix_test(tst_gettingstartlabel LABELS gui unit LIBS controls)
