vellumix_test(tst_avpipewriter LABELS unit LIBS creation HEADLESS)
