# `make deb`: the Debian package, $(BUILD)/deb/quonkle_<version>_<arch>.deb.
# dpkg-buildpackage writes its results beside the source tree and its working
# files into debian/, so it runs on a copy of the source (the files git
# tracks or would track; outside git, everything but the build folders) in
# $(BUILD)/deb. The package is rebuilt only when a source file has changed.
DEB_DIR = $(BUILD)/deb
DEB_SOURCES := $(filter-out $(BUILD)/% ./$(BUILD)/%,$(wildcard $(shell \
	git ls-files -co --exclude-standard 2>/dev/null \
	|| find . -path './build*' -prune -o -path ./.git -prune -o -type f -print)))

.PHONY: deb

deb: $(DEB_DIR)/stamp

$(DEB_DIR)/stamp: $(DEB_SOURCES) | deps
	rm -rf $(DEB_DIR)
	mkdir -p $(DEB_DIR)/quonkle
	printf '%s\n' $(DEB_SOURCES) | tar -c -T - | tar -x -C $(DEB_DIR)/quonkle
	cd $(DEB_DIR)/quonkle && dpkg-buildpackage -us -uc -b -j$(JOBS)
	rm -rf $(DEB_DIR)/quonkle
	touch $@
	@ls $(DEB_DIR)/*.deb
