# The browser's game (web/, src/engine/web): `make web` builds the site into
# $(BUILD)/web, `make web-zip` packs it for an HTML5 game host, `make serve`
# serves it on loopback, `make bench-web` measures it beside the desktop
# build. The main build then keeps building the site (QUONKLE_WEB), and
# ctest runs the browser tests (tests/web); make test builds it first.
WEB_PORT ?= 8000

.PHONY: web web-zip serve bench-web

web: deps
	cmake -S . -B $(BUILD) -DQUONKLE_WEB=ON
	cmake --build $(BUILD) -j$(JOBS) --target quonkle_web

# The site's files at the top of the archive, as game hosts expect.
web-zip: web
	rm -f $(BUILD)/quonkle-web.zip
	cd $(BUILD)/web && python3 -m zipfile -c ../quonkle-web.zip $$(ls)
	@echo $(BUILD)/quonkle-web.zip

serve: web
	@echo "Quonkle: http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(BUILD)/web

bench-web: build web
	/usr/bin/python3 bench/web-bench.py $(BUILD)

test: web
