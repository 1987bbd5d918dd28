vellumix_test(tst_encoderprofiles LABELS media LIBS creation HEADLESS TIMEOUT 900)
