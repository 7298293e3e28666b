# The unit and game tests again, built with AddressSanitizer (leaks included)
# and UndefinedBehaviorSanitizer in a build folder of their own. Any report
# fails the run. The tests use the main build's generated game data; the
# script tests are left to the main build (they drive the plain program).
ASAN_BUILD ?= build-asan
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=undefined \
	-fno-omit-frame-pointer

.PHONY: sanitize

sanitize: build
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="-O1 -g $(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" \
		-DQUONKLE_TOOLS=OFF -DQUONKLE_BENCH=OFF \
		-DQUONKLE_TEST_DATA_DIR=$(abspath $(BUILD))/game
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && \
		ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:detect_stack_use_after_return=1:strict_init_order=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/e2e/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j$(JOBS) -E '^e2e\.'

extra-tests:: sanitize
