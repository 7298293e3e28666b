# `make soak`: the long soak, 100000 frames of random play over the whole
# campaign (a shorter one runs in make test). glibc's per-thread cache is off
# so that the heap figures show only what the game holds. QUONKLE_SOAK_SEED
# picks another random game.
SOAK_FRAMES ?= 100000

.PHONY: soak

soak: build
	cd $(BUILD) && GLIBC_TUNABLES=glibc.malloc.tcache_count=0 \
		QUONKLE_SOAK_FRAMES=$(SOAK_FRAMES) \
		./tests/quonkle_tests --gtest_filter='Soak.*'
