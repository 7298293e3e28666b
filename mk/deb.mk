# `make deb`: the Debian package, $(BUILD)/deb/quonkle_<version>_<arch>.deb,
# and its source package beside it. dpkg-buildpackage writes its results
# beside the source tree and its working files into debian/, so it runs on a
# copy of the source (the files git tracks or would track; outside git,
# everything but the build folders) in $(BUILD)/deb, made as a fresh checkout
# would be: dated now, modes after the umask. The package is rebuilt
# only when a source file has changed. Its build runs the headless tests
# unless DEB_BUILD_OPTIONS has nocheck.
DEB_DIR = $(BUILD)/deb
DEB_SOURCES := $(filter-out $(BUILD)/% ./$(BUILD)/%,$(wildcard $(shell \
	git ls-files -co --exclude-standard 2>/dev/null \
	|| find . -path './build*' -prune -o -path ./.git -prune -o -type f -print)))

.PHONY: deb deb-reproducible

deb: $(DEB_DIR)/stamp

$(DEB_DIR)/stamp: $(DEB_SOURCES) | deps
	rm -rf $(DEB_DIR)
	mkdir -p $(DEB_DIR)/quonkle
	printf '%s\n' $(DEB_SOURCES) | tar -c -T - | tar -x -m --no-same-permissions -C $(DEB_DIR)/quonkle
	cd $(DEB_DIR)/quonkle && dpkg-buildpackage -us -uc -j$(JOBS)
	rm -rf $(DEB_DIR)/quonkle
	touch $@
	@ls $(DEB_DIR)/*.deb

# `make deb-reproducible`: builds the package again, from another folder,
# later, under another umask, time zone and locale, and without the tests
# (they leave the package as it is), and fails unless every .deb is
# byte-identical to make deb's; diffoscope shows what differs.
DEB_AGAIN = $(BUILD)/deb-again

deb-reproducible: deb
	rm -rf $(DEB_AGAIN)
	umask 077 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 DEB_BUILD_OPTIONS=nocheck \
		$(MAKE) --no-print-directory deb BUILD=$(DEB_AGAIN) >$(DEB_AGAIN).log 2>&1 \
		|| { tail -n 40 $(DEB_AGAIN).log; exit 1; }
	@status=0; for deb in $(DEB_DIR)/*.deb; do \
		again=$(DEB_AGAIN)/deb/$${deb##*/}; \
		cmp -s $$deb $$again && echo "same: $${deb##*/}" && continue; \
		status=1; diffoscope --text - $$deb $$again | head -n 300; \
	done; exit $$status

final-tests:: deb-reproducible
