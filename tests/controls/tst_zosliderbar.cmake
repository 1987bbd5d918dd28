vellumix_test(tst_zosliderbar LABELS gui HEADLESS LIBS controls)
