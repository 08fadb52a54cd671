# make run: build and play.  make test: build and run every test, also under
# AddressSanitizer and UndefinedBehaviorSanitizer.  Both first install what a
# Debian or Ubuntu machine lacks.

PACKAGES := cmake g++ make pkg-config libsdl2-dev libepoxy-dev libpng-dev zlib1g-dev \
            libgtest-dev libgmock-dev libbenchmark-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0 \
            xvfb xdotool x11-utils imagemagick
WINDOWS_PACKAGES := g++-mingw-w64-i686-posix mingw-w64-i686-dev zip
WINE_PACKAGES := wine32:i386 wine xvfb xdotool x11-utils imagemagick
PACKAGE_PACKAGES := dpkg-dev file lintian desktop-file-utils appstream
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc 2>/dev/null || echo 2)
BUILD := build
SANITIZED := build-sanitized
PACKAGED := build-package

.PHONY: run test deps windows-deps wine-deps package-deps build build-sanitized windows test-windows package test-package bench screenshots clean

run: build
	./$(BUILD)/tessaro

test: build build-sanitized
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZED) && ctest --output-on-failure -j $(JOBS)

# Installs the packages named that this machine lacks.
install = missing=""; for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -q && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi

deps:
	@$(call install,$(PACKAGES))

windows-deps:
	@$(call install,$(WINDOWS_PACKAGES))

package-deps:
	@$(call install,$(PACKAGE_PACKAGES))

# Wine for 32-bit programs needs the i386 architecture.
wine-deps:
	@dpkg --print-foreign-architectures | grep -qx i386 || $(SUDO) dpkg --add-architecture i386
	@$(call install,$(WINE_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-sanitized: deps
	cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DTESSARO_SANITIZE=ON
	cmake --build $(SANITIZED) -j $(JOBS)

# The 32-bit Windows program and a zip of it with its images.
windows: build windows-deps
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DTESSARO_ICON=$(CURDIR)/$(BUILD)/generated/tessaro.ico
	cmake --build build-windows -j $(JOBS)
	rm -rf build-windows/package && mkdir -p build-windows/package/Tessaro/data
	cp build-windows/tessaro.exe build-windows/package/Tessaro/
	cp data/*.png build-windows/package/Tessaro/data/
	cd build-windows/package && rm -f ../tessaro-windows.zip && zip -qr ../tessaro-windows.zip Tessaro

test-windows: windows wine-deps
	tests/wine-smoke.sh build-windows/tessaro.exe data

# The Debian package of the installed game, built with Debian's hardening flags,
# its dependencies worked out from the program; left in this folder.
package: deps package-deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	cmake -S . -B $(PACKAGED) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
	    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	    "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	    "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGED) -j $(JOBS) --target tessaro docs
	rm -f $(PACKAGED)/tessaro_*.deb tessaro_*.deb
	cd $(PACKAGED) && cpack
	cp $(PACKAGED)/tessaro_*.deb .

# The installed game played from another folder: installed into a scratch DESTDIR,
# then the package installed with dpkg and removed again.
test-package: package
	tests/installed-smoke.sh destdir $(PACKAGED)
	tests/installed-smoke.sh deb $(CURDIR)/$$(cd $(PACKAGED) && ls tessaro_*.deb)

bench: build
	./$(BUILD)/tessaro_bench

# The README's pictures, made by the simulator from the scripts in docs/, in a
# scratch folder so that the player's ranking file is never touched.
screenshots: build
	@scratch=$$(mktemp -d) && mkdir "$$scratch/data" && cp data/*.png "$$scratch/data/" && \
	cp docs/score.txt "$$scratch/data/" && \
	for s in docs/*.sim; do (cd "$$scratch" && "$(CURDIR)/$(BUILD)/tessaro-sim" "$(CURDIR)/$$s" >/dev/null) || exit 1; done; \
	cp "$$scratch"/*.png docs/ && rm -rf "$$scratch"

clean:
	rm -rf $(BUILD) $(SANITIZED) $(PACKAGED) build-windows tessaro_*.deb
