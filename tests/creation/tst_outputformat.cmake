vellumix_test(tst_outputformat LABELS unit LIBS creation HEADLESS)
