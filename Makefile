# Set-up, build and test. `make run` and `make test` do everything on a
# fresh Debian machine, including installing missing packages (as root).
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_WERROR=ON

.PHONY: all setup configure build run test install package gui bench test-asan fuzz clean

all: build

setup:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The main job on the bundled example: parse the header, merge the
# descriptions of the edited XML, write both outputs into out/.
run: build
	@mkdir -p out
	cp resources/Varnel.css out/
	$(BUILD)/cli/varnel examples/Geometry.h --ini examples/varnel.INI \
	  --merge examples/Geometry.xml --stylesheet --out out --all

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Installs the programs, the stylesheet, the DTD, the help book, the
# manual pages, the desktop entry and the icons under PREFIX (default
# /usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the installed files, in $(BUILD)/package/.
package: build
	cd $(BUILD) && cpack -G DEB

# The windowed program, started beside the example header.
gui: build
	cmake --build $(BUILD) --target gui

# Speed and memory of every phase on generated and real headers.
bench: setup
	@scripts/install-deps.sh doxygen universal-ctags valgrind
	scripts/bench.sh

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: setup
	scripts/test-asan.sh

# Every fuzz target for a bounded time (FUZZ_SECONDS each).
fuzz: setup
	@scripts/install-deps.sh clang libclang-rt-dev
	scripts/fuzz.sh

clean:
	rm -rf $(BUILD)
