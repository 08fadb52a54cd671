# make run: build and play.  make test: build and run every test, also under
# AddressSanitizer and UndefinedBehaviorSanitizer.  Both first install what a
# Debian or Ubuntu machine lacks.

PACKAGES := cmake g++ make pkg-config libsdl2-dev libx11-dev libxext-dev libepoxy-dev libpng-dev zlib1g-dev \
            libgtest-dev libgmock-dev libbenchmark-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0 \
            xvfb xdotool x11-utils imagemagick openbox libstb-dev \
            libboost-dev nlohmann-json3-dev libsqlite3-dev libpqxx-dev libxdamage-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev
WINDOWS_PACKAGES := g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix \
                    mingw-w64-x86-64-dev zip
WEB_PACKAGES := emscripten nodejs node-acorn libstb-dev chromium python3 imagemagick
PACKAGE_PACKAGES := dpkg-dev file lintian desktop-file-utils appstream
# A PostgreSQL server for the tests of the ranking's server; they start their own.
SERVER_TEST_PACKAGES := postgresql postgresql-common
WINE_CHECK_PACKAGES := xvfb xdotool x11-utils imagemagick
WEB := build-web
WEB_CMAKE := build-emscripten
# Debian's emscripten finds its own JavaScript modules only through this.
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_PORT := 8000
# make serve: the world ranking with the page, its database in a folder git ignores.
SERVE_ADDRESS := 127.0.0.1:8080
SERVE_DATA := serve-data
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Another apt may hold the lock for a while (a second make, unattended upgrades).
APT_WAIT := -o DPkg::Lock::Timeout=600
JOBS := $(shell nproc 2>/dev/null || echo 2)
BUILD := build
SANITIZED := build-sanitized
FUZZ := build-fuzz
# How long make fuzz runs each fuzz target; make test runs each for 20 seconds.
FUZZ_SECONDS := 60
# How many loops of the game make soak plays, and from which seed.
SOAK_LOOPS := 40
SOAK_SEED := $(shell date +%s)
# How often make soak-start starts the real program, and make soak-start-windows the
# Windows one under Wine.
START_SOAK_STARTS := 300
WINE_SOAK_STARTS := 100

# The Windows program under Wine: the 32-bit one players get where this machine
# starts 32-bit programs, otherwise the same sources built for 64 bits.
WINDOWS_DIR_i686 := build-windows
WINDOWS_DIR_x86_64 := build-windows-x86_64
WINE_PACKAGES_i686 := wine32:i386 wine
WINE_PACKAGES_x86_64 := wine64 wine
WINE_LOADER_i686 := wine
WINE_LOADER_x86_64 := /usr/lib/wine/wine64
WINE_ARCH := i686
# Wine starts its own helper processes through WINELOADER; Debian's wine wrapper sets it.
WINE_ENV_x86_64 := WINELOADER=$(WINE_LOADER_x86_64)
PACKAGED := build-package

.PHONY: help run test deps windows-deps wine-deps build build-sanitized windows windows-x86_64 test-windows \
        wine-tests bench screenshots clean fuzz-deps build-fuzz fuzz soak soak-start soak-start-windows web-deps test-replays-web \
        update-pictures mutants web web-folder serve-web test-web bench-web \
        package-deps package test-package server-deps serve test-server

# Each target with what it does.
help: ## list the targets
	@sed -n 's/^\([a-z0-9_-]*\):.*## \(.*\)/  \1\t\2/p' $(MAKEFILE_LIST) | expand -t 22

run: build ## build and play
	./$(BUILD)/tessaro

test: build build-sanitized build-fuzz ## build and run every test, plain, sanitized and fuzzed
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZED) && ctest --output-on-failure -j $(JOBS)
	cd $(FUZZ) && ctest --output-on-failure -j $(JOBS)

# Installs the packages named that this machine lacks.
install = missing=""; for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get $(APT_WAIT) update -q || \
	        echo "Some package lists could not be fetched (above); installing from those that were"; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get $(APT_WAIT) install -y -q $$missing; \
	fi

deps: ## install the packages the build and the tests need
	@$(call install,$(PACKAGES))

fuzz-deps: ## install clang and libFuzzer
	@$(call install,$(FUZZ_PACKAGES))

windows-deps: ## install the MinGW cross compilers
	@$(call install,$(WINDOWS_PACKAGES))

package-deps: ## install the Debian packaging tools
	@$(call install,$(PACKAGE_PACKAGES))

server-deps: ## install PostgreSQL for the server's tests
	@$(call install,$(SERVER_TEST_PACKAGES))

# Wine for 32-bit programs needs the i386 architecture.
wine-deps: ## install Wine for the Windows program of WINE_ARCH
	@if [ $(WINE_ARCH) = i686 ]; then \
	    dpkg --print-foreign-architectures | grep -qx i386 || $(SUDO) dpkg --add-architecture i386; \
	fi
	@$(call install,$(WINE_PACKAGES_$(WINE_ARCH)) $(WINE_CHECK_PACKAGES))

# npm comes with Node.js; Debian's own nodejs is installed only where there is none.
web-deps: ## install emscripten, node, chromium and the browser tests' modules
	@$(call install,$(WEB_PACKAGES))
	@command -v npm >/dev/null || { $(call install,nodejs npm); }
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund

build: deps ## build the game, its tools and tests in build/
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-sanitized: deps ## build the same with AddressSanitizer and UndefinedBehaviorSanitizer
	cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DTESSARO_SANITIZE=ON
	cmake --build $(SANITIZED) -j $(JOBS)

# The fuzz targets of fuzz/, built by clang with libFuzzer and the sanitizers.
build-fuzz: deps fuzz-deps ## build the fuzz targets with clang
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS; what fails is kept under build-fuzz/findings/.
fuzz: build-fuzz ## run every fuzz target for FUZZ_SECONDS
	cd $(FUZZ) && FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --output-on-failure -j $(JOBS)

# The real program started again and again under load, to its title and out.
soak-start: build ## start the real program START_SOAK_STARTS times under load
	tests/start-soak.sh $(BUILD)/tessaro data $(START_SOAK_STARTS)

# The Windows program of WINE_ARCH started under Wine again and again, each in a fresh prefix.
soak-start-windows: wine-deps ## start the Windows program WINE_SOAK_STARTS times under Wine
	@$(MAKE) --no-print-directory $(if $(filter x86_64,$(WINE_ARCH)),windows-x86_64,windows)
	tests/wine-soak.sh $(WINDOWS_DIR_$(WINE_ARCH))/tessaro.exe data $(WINE_LOADER_$(WINE_ARCH)) $(WINE_SOAK_STARTS)

# A long soak: many seeded random loops of the game through the sanitized simulator.
soak: build-sanitized ## play SOAK_LOOPS seeded loops of the game in the sanitized simulator
	env $$(cat $(SANITIZED)/leak-check-environment) ./$(SANITIZED)/tessaro-soak $(SOAK_SEED) $(SOAK_LOOPS)

# The Windows program of the width $(1), with the icon the native build drew.
windows_build = cmake -S . -B $(WINDOWS_DIR_$(1)) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake \
	    -DTESSARO_WINDOWS_ARCH=$(1) -DCMAKE_BUILD_TYPE=Release \
	    -DTESSARO_ICON=$(CURDIR)/$(BUILD)/generated/tessaro.ico && \
	cmake --build $(WINDOWS_DIR_$(1)) -j $(JOBS)

# The 32-bit Windows program, and a zip of it with its replay verifier and viewer and its images.
windows: build windows-deps ## build the 32-bit Windows program and its zip
	$(call windows_build,i686)
	rm -rf build-windows/package && mkdir -p build-windows/package/Tessaro/data
	cp build-windows/tessaro.exe build-windows/tessaro-verify.exe build-windows/tessaro-watch.exe \
	    build-windows/package/Tessaro/
	cp data/*.png build-windows/package/Tessaro/data/
	cd build-windows/package && rm -f ../tessaro-windows.zip && zip -qr ../tessaro-windows.zip Tessaro

windows-x86_64: build windows-deps ## build the 64-bit Windows program
	$(call windows_build,x86_64)

# Checks the 32-bit program's file, then runs it under Wine where this machine can
# start 32-bit programs (found by trying one) and install the 32-bit Wine, or else the
# 64-bit build of the same sources.
test-windows: windows ## check the Windows program and run it under Wine
	tests/windows-checks.sh $(WINDOWS_DIR_i686)/tessaro.exe
	@if ! tests/runs-32bit.sh; then \
	    echo "test-windows: this machine cannot start 32-bit programs (a 32-bit test program was refused):"; \
	elif ! $(MAKE) --no-print-directory wine-deps WINE_ARCH=i686; then \
	    echo "test-windows: the 32-bit Wine cannot be installed on this machine now (apt says why above):"; \
	else \
	    echo "test-windows: this machine starts 32-bit programs: Wine runs the 32-bit tessaro.exe"; \
	    exec $(MAKE) --no-print-directory wine-tests WINE_ARCH=i686; \
	fi; \
	echo "test-windows: Wine runs the same sources built as a 64-bit program"; \
	$(MAKE) --no-print-directory windows-x86_64 wine-tests WINE_ARCH=x86_64

# The program in a window, then its replay verifier on the recorded rounds, then
# recorded frames painted by its Direct3D 9 device and held against the OpenGL pictures.
wine-tests: wine-deps ## the Windows program, verifier and painter of WINE_ARCH under Wine
	tests/wine-smoke.sh $(WINDOWS_DIR_$(WINE_ARCH))/tessaro.exe data $(WINE_LOADER_$(WINE_ARCH))
	WINEDEBUG=-all WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR_$(WINE_ARCH))/wine $(WINE_ENV_$(WINE_ARCH)) \
	    tests/verify-replays.sh $(WINE_LOADER_$(WINE_ARCH)) $(CURDIR)/$(WINDOWS_DIR_$(WINE_ARCH))/tessaro-verify.exe
	WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR_$(WINE_ARCH))/wine-display $(WINE_ENV_$(WINE_ARCH)) \
	    tests/devices-agree.sh $(WINE_LOADER_$(WINE_ARCH)) $(CURDIR)/$(WINDOWS_DIR_$(WINE_ARCH))/tessaro-paint.exe \
	    $(CURDIR)/$(BUILD) $(CURDIR)/$(WINDOWS_DIR_$(WINE_ARCH))/pictures

# The replay verifier compiled to WebAssembly and run by node on the recorded rounds:
# the same totals, printed the same, as the native build.
test-replays-web: web-deps ## verify the recorded rounds with the WebAssembly verifier in node
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_CMAKE) -DCMAKE_BUILD_TYPE=Release
	$(WEB_ENV) cmake --build $(WEB_CMAKE) -j $(JOBS) --target tessaro-verify
	tests/verify-replays.sh node $(CURDIR)/$(WEB_CMAKE)/tessaro-verify.js

# The browser build: a static folder, build-web/index.html and its files. The
# images come from the native build's generator.
web: deps web-deps ## build the browser's game into build-web/
	@$(MAKE) --no-print-directory web-folder

web-folder: ## build-web/ from the emscripten build, packages assumed
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target art tessaro-sim tessaro-server
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_CMAKE) -DCMAKE_BUILD_TYPE=Release
	$(WEB_ENV) cmake --build $(WEB_CMAKE) -j $(JOBS)
	rm -rf $(WEB) && mkdir -p $(WEB)
	cp $(WEB_CMAKE)/index.html $(WEB_CMAKE)/index.js $(WEB_CMAKE)/index.wasm $(WEB_CMAKE)/index.data $(WEB)/

serve-web: web ## serve the browser's game on 127.0.0.1:WEB_PORT
	@echo "Tessaro on http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB)

# The world ranking and the page it serves, on SERVE_ADDRESS; Ctrl-C stops it.
serve: build web ## serve the page and the world ranking on SERVE_ADDRESS
	@mkdir -p $(SERVE_DATA)
	./$(BUILD)/tessaro-server --listen $(SERVE_ADDRESS) --database $(SERVE_DATA)/ranking.sqlite --web $(WEB)

# The server's tests on SQLite and on a PostgreSQL of their own, started and removed.
test-server: build server-deps ## test the ranking's server on SQLite and PostgreSQL
	tests/server/with-postgres.sh ./$(BUILD)/tessaro_server_tests

# Plays the page in headless chromium; the simulator draws the pictures it is compared
# with. Where emscripten, chromium with WebGL2 or the test driver cannot be had or cannot
# run, the tests are skipped with the reason.
test-web: deps ## play the page in headless chromium
	@$(MAKE) --no-print-directory web-deps || echo "test-web: the browser build's packages could not all be installed"
	@if tests/web/can-run.sh; then \
	    node tests/web/pace-test.mjs && node tests/web/world-scenes-test.mjs && \
	    $(MAKE) --no-print-directory web-folder && node tests/web/web-test.mjs $(WEB) $(BUILD)/tessaro-sim && \
	    node tests/web/world-test.mjs $(WEB) $(BUILD)/tessaro-server; \
	fi

# The Debian package of the installed game, built with Debian's hardening flags,
# its dependencies worked out from the program; left in this folder.
package: deps package-deps ## build the Debian package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	cmake -S . -B $(PACKAGED) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
	    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	    "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	    "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGED) -j $(JOBS) --target tessaro tessaro-verify tessaro-watch tessaro-send docs
	rm -f $(PACKAGED)/tessaro_*.deb tessaro_*.deb
	cd $(PACKAGED) && cpack
	cp $(PACKAGED)/tessaro_*.deb .

# The installed game played from another folder: installed into a scratch DESTDIR,
# then the package installed with dpkg and removed again.
test-package: package ## install the package and play it from another folder
	tests/installed-smoke.sh destdir $(PACKAGED)
	tests/installed-smoke.sh deb $(CURDIR)/$$(cd $(PACKAGED) && ls tessaro_*.deb)

bench: build ## run the benchmarks and report
	@$(call install,wrk)
	bench/report.sh $(BUILD)

# The browser build's figures: bytes and times to the first frames, steps per second, and
# the world ranking's page served by tessaro-server on loopback.
bench-web: web ## measure the browser's game
	node bench/web-bench.mjs $(WEB) $(BUILD)/tessaro-server

# The README's pictures, made by the simulator from the scripts in docs/, in a
# scratch folder so that the player's ranking file is never touched.
screenshots: build ## take the README's pictures with the simulator
	@scratch=$$(mktemp -d) && mkdir "$$scratch/data" && cp data/*.png "$$scratch/data/" && \
	cp docs/score.txt "$$scratch/data/" && \
	for s in docs/*.sim; do (cd "$$scratch" && "$(CURDIR)/$(BUILD)/tessaro-sim" "$(CURDIR)/$$s" >/dev/null) || exit 1; done; \
	cp "$$scratch"/*.png docs/ && rm -rf "$$scratch"

# The test pictures of every scene, taken anew after a deliberate change to the
# art or the drawing; review them (git diff) before committing.
update-pictures: build ## take the test pictures anew after a deliberate change
	@scratch=$$(mktemp -d) && mkdir "$$scratch/data" && cp data/*.png "$$scratch/data/" && \
	(cd "$$scratch" && "$(CURDIR)/$(BUILD)/tessaro-sim" "$(CURDIR)/tests/pictures/scenes.sim" >/dev/null) && \
	cp "$$scratch"/*.png tests/pictures/ && rm -rf "$$scratch" && echo "Updated tests/pictures"

# Plants each fault of tests/mutants.txt in turn and reports which the tests catch.
mutants: deps ## plant faults one by one and report which the tests catch
	tests/mutants.sh

clean: ## remove every build folder
	rm -rf $(BUILD) $(SANITIZED) $(FUZZ) $(WINDOWS_DIR_i686) $(WINDOWS_DIR_x86_64) build-mutants $(WEB) $(WEB_CMAKE)
	rm -rf $(PACKAGED) tessaro_*.deb
