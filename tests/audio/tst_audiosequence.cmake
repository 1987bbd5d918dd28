vellumix_test(tst_audiosequence LABELS media threads LIBS audio)
