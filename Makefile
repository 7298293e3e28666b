# Set-up and everyday commands; see README.md.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test ctest bench clean extra-tests final-tests

all: build

deps:
	@sh tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

# In step with the display, as the installed launcher runs it, unless the
# caller set SDL12COMPAT_SYNC_TO_VBLANK either way.
run: build
	cd $(BUILD)/game && SDL12COMPAT_SYNC_TO_VBLANK=$${SDL12COMPAT_SYNC_TO_VBLANK-1} ./quonkle

# ctest and the further suites run side by side (each shows its output when
# it is done); what needs ctest's package build comes after.
test: build
	$(MAKE) --no-print-directory -j2 --output-sync=target ctest extra-tests
	$(MAKE) --no-print-directory final-tests

ctest:
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Further test suites (sanitizers, fuzzing) add prerequisites here from
# mk/*.mk; final-tests run after ctest (the second package build).
extra-tests::
	@true
final-tests::
	@true

bench: build
	cd $(BUILD)/game && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ../bench/quonkle_bench

clean:
	rm -rf $(BUILD)

# Included last so that `all` stays the default goal.
-include mk/*.mk
