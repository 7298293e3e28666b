# `make runs`: the bot (tools/bot) plays every level of the generated game
# until it wins, and writes each winning run to data/runs, which the build
# ships and the tests replay. A level it cannot win within RUN_SECONDS of
# search is named, and keeps its old run (which the tests then refuse).
RUN_SECONDS ?= 1800

.PHONY: runs

runs: build
	status=0; $(BUILD)/tools/quonkle-bot --seconds $(RUN_SECONDS) --all $(BUILD)/game data/runs \
		|| status=$$?; cmake --build $(BUILD) --target game_data && exit $$status
