vellumix_test(tst_zodialogs LABELS gui HEADLESS LIBS zofc TIMEOUT 120)
