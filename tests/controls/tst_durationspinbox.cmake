vellumix_test(tst_durationspinbox LABELS gui unit LIBS controls HEADLESS)
