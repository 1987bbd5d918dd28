vellumix_test(tst_mediaimport LABELS unit LIBS media)
