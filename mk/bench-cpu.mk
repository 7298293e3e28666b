# `make bench-cpu`: how much of a core the real program takes on the main
# menu and in play under a virtual X server, with and without display sync.
.PHONY: bench-cpu

bench-cpu: build
	bash bench/cpu-use.sh $(BUILD)/game
