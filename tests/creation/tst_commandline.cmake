vellumix_test(tst_commandline LABELS unit LIBS creation HEADLESS)
