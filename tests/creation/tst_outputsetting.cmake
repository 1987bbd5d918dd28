vellumix_test(tst_outputsetting LABELS gui LIBS creation)
