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

run: build
	cd $(BUILD)/game && ./quonkle

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
