vellumix_test(tst_infoparser LABELS unit media threads HEADLESS LIBS media)
