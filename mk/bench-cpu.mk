# `make bench-cpu`: how much of a core the real program takes on the main
# menu and in play under a virtual X server, with and without display sync.
# `make bench-cpu BASE=COMMIT` measures that commit's program beside this
# one, in the same run.
.PHONY: bench-cpu

bench-cpu: build
ifeq ($(BASE),)
	bash bench/cpu-use.sh $(BUILD)/game
else
	bash bench/build-base.sh $(BASE) $(BUILD)
	QUONKLE_CPU_BASE_NAME=$(BASE) bash bench/cpu-use.sh $(BUILD)/game $(BUILD)/bench-base/game
endif
