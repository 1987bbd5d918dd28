vellumix_test(tst_avc LABELS media LIBS Qt6::Core HEADLESS TIMEOUT 300)
