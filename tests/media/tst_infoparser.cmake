vellumix_test(tst_infoparser LABELS unit media HEADLESS LIBS media)
