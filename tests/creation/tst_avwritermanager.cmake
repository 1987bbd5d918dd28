vellumix_test(tst_avwritermanager LABELS gui LIBS creation AUDIO HEADLESS TIMEOUT 300)
