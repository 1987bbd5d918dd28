vellumix_test(tst_zomprofile LABELS unit LIBS zomprofile HEADLESS)
