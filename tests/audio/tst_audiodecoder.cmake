vellumix_test(tst_audiodecoder LABELS media LIBS audio TIMEOUT 600)
