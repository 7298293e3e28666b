# The fuzz target over the file readers and the level loader (tests/fuzz),
# built with clang in a folder of its own and run for a bounded time. Seeds
# are the generated data files, each behind the byte that picks its reader;
# the corpus grows in the build folder from run to run (absolute paths: the
# target works in a copy of the game made in TMPDIR, in memory where
# possible, since it writes and syncs high.txt all the time).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: fuzz

fuzz: build
	CXX=clang++ cmake -S tests/fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	mkdir -p $(FUZZ_BUILD)/seeds $(FUZZ_BUILD)/corpus
	printf '\000' | cat - $(BUILD)/game/gdat/sprites.txt > $(FUZZ_BUILD)/seeds/sprites
	printf '\000' | cat - $(BUILD)/game/sdat/sounds.txt > $(FUZZ_BUILD)/seeds/sounds
	printf '\001' | cat - $(BUILD)/game/levels.txt > $(FUZZ_BUILD)/seeds/levels
	printf '\002' | cat - $(BUILD)/game/high.txt - > $(FUZZ_BUILD)/seeds/high < /dev/null
	printf '\002ABC:10\nBBB:20\r\nx\001y:0009\n\n\n\n\n\n\nZZZ:99\nEXTRA:1\220\001\000\000' \
		> $(FUZZ_BUILD)/seeds/high-odd
	printf '\003\017\013\000\000\000\000' > $(FUZZ_BUILD)/seeds/level
	work=$$(mktemp -d /dev/shm/quonkle-fuzz-XXXXXX 2>/dev/null || mktemp -d); \
	cd $(FUZZ_BUILD) && QUONKLE_GAME_DIR=$(abspath $(BUILD))/game TMPDIR=$$work \
		ASAN_OPTIONS=detect_leaks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/e2e/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		./quonkle_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=2048 \
		-max_len=8192 -print_final_stats=1 -artifact_prefix=$(abspath $(FUZZ_BUILD))/ \
		$(abspath $(FUZZ_BUILD))/corpus \
		$(abspath $(FUZZ_BUILD))/seeds; \
	status=$$?; rm -rf "$$work"; exit $$status

extra-tests:: fuzz
