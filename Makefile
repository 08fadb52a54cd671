# make run: build and play.  make test: build and run every test, also under
# AddressSanitizer and UndefinedBehaviorSanitizer.  Both first install what a
# Debian or Ubuntu machine lacks.

PACKAGES := cmake g++ make pkg-config libsdl2-dev libepoxy-dev libpng-dev zlib1g-dev \
            libgtest-dev libgmock-dev libbenchmark-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0 \
            xvfb xdotool x11-utils imagemagick libstb-dev
WINDOWS_PACKAGES := g++-mingw-w64-i686-posix mingw-w64-i686-dev zip
WINE_PACKAGES := wine32:i386 wine xvfb xdotool x11-utils imagemagick
WEB_PACKAGES := emscripten libstb-dev chromium python3 imagemagick
WEB := build-web
WEB_CMAKE := build-emscripten
# Debian's emscripten finds its own JavaScript modules only through this.
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_PORT := 8000
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc 2>/dev/null || echo 2)
BUILD := build
SANITIZED := build-sanitized

.PHONY: run test deps windows-deps wine-deps web-deps build build-sanitized windows test-windows web web-folder serve-web \
        test-web bench bench-web screenshots clean

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

# Wine for 32-bit programs needs the i386 architecture.
wine-deps:
	@dpkg --print-foreign-architectures | grep -qx i386 || $(SUDO) dpkg --add-architecture i386
	@$(call install,$(WINE_PACKAGES))

# npm comes with Node.js; Debian's own nodejs is installed only where there is none.
web-deps:
	@$(call install,$(WEB_PACKAGES))
	@command -v npm >/dev/null || { $(call install,nodejs npm); }
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund

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

# The browser build: a static folder, build-web/index.html and its files. The
# images come from the native build's generator.
web: deps web-deps
	@$(MAKE) --no-print-directory web-folder

web-folder:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target art tessaro-sim
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_CMAKE) -DCMAKE_BUILD_TYPE=Release
	$(WEB_ENV) cmake --build $(WEB_CMAKE) -j $(JOBS)
	rm -rf $(WEB) && mkdir -p $(WEB)
	cp $(WEB_CMAKE)/index.html $(WEB_CMAKE)/index.js $(WEB_CMAKE)/index.wasm $(WEB_CMAKE)/index.data $(WEB)/

serve-web: web
	@echo "Tessaro on http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB)

# Plays the page in headless chromium; the simulator draws the pictures it is compared
# with. Where emscripten, chromium with WebGL2 or the test driver cannot be had or cannot
# run, the tests are skipped with the reason.
test-web: deps
	@$(MAKE) --no-print-directory web-deps || echo "test-web: the browser build's packages could not all be installed"
	@if tests/web/can-run.sh; then \
	    $(MAKE) --no-print-directory web-folder && node tests/web/web-test.mjs $(WEB) $(BUILD)/tessaro-sim; \
	fi

bench: build
	./$(BUILD)/tessaro_bench

# The browser build's figures: bytes and times to the first frames, steps per second.
bench-web: web
	node bench/web-bench.mjs $(WEB)

# The README's pictures, made by the simulator from the scripts in docs/, in a
# scratch folder so that the player's ranking file is never touched.
screenshots: build
	@scratch=$$(mktemp -d) && mkdir "$$scratch/data" && cp data/*.png "$$scratch/data/" && \
	cp docs/score.txt "$$scratch/data/" && \
	for s in docs/*.sim; do (cd "$$scratch" && "$(CURDIR)/$(BUILD)/tessaro-sim" "$(CURDIR)/$$s" >/dev/null) || exit 1; done; \
	cp "$$scratch"/*.png docs/ && rm -rf "$$scratch"

clean:
	rm -rf $(BUILD) $(SANITIZED) build-windows $(WEB) $(WEB_CMAKE)
