vellumix_test(tst_profilewidgets LABELS gui LIBS zomprofile)
