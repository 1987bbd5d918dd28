vellumix_test(tst_startup LABELS unit LIBS app)
