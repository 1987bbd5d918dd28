vellumix_test(tst_zodialogs LABELS gui LIBS zofc TIMEOUT 120)
