vellumix_test(tst_videocolour LABELS media LIBS creation AUDIO HEADLESS TIMEOUT 600)
