vellumix_test(tst_preferences LABELS gui LIBS creation)
