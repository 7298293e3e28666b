# Set-up and everyday commands; see README.md.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench clean extra-tests

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory extra-tests

# Further test suites (sanitizers, fuzzing, soak, install) add recipes here
# from mk/*.mk.
extra-tests::
	@true

bench: build
	cd $(BUILD)/game && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ../bench/quonkle_bench

clean:
	rm -rf $(BUILD)

# Included last so that `all` stays the default goal.
-include mk/*.mk
