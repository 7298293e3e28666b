# `make install`: builds, then installs with CMake. PREFIX and DESTDIR work as
# packagers expect (make install PREFIX=/usr DESTDIR=/tmp/stage).
PREFIX ?= /usr/local

.PHONY: install uninstall

install: build
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

# Removes the files the last install wrote (CMake's list of them, which
# leaves DESTDIR out); the players' own directories are never touched.
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "nothing installed from $(BUILD)"; exit 1; }
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt | xargs -d '\n' rm -f --
