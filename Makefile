# make run   – installs what is missing, builds and starts 词帆
# make test  – installs what is missing, builds and runs every test, then again built with
#              AddressSanitizer and UndefinedBehaviorSanitizer (in $(SANITIZE_BUILD))
# make fuzz  – builds the fuzz targets with clang and libFuzzer and runs them until stopped
#              (FUZZ_SECONDS=n stops each after n seconds)
# make package – builds the Debian package cifan_<version>_<arch>.deb in the build folder
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 0
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test sanitize fuzz package bench format format-check clean

deps:
	@sh scripts/setup-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Started from its own folder, as a desktop shortcut does: the working windows find the help
# file 帮助.chm in the working folder.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: starting under Xvfb (see README)"; \
	  cd $(BUILD)/cifan-app && xvfb-run -a -s "-screen 0 1280x800x24" ./cifan; \
	else \
	  cd $(BUILD)/cifan-app && ./cifan; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize

# The same tests (and the fuzz seed corpora) once more, built with the sanitizers; every finding,
# leaks included, fails the test that made it.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCIFAN_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

fuzz:
	@sh scripts/setup-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCIFAN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-targets
	sh scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

package: build
	cd $(BUILD) && cpack -G DEB
	@ls -l $(BUILD)/cifan_*.deb

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when clang-format would change any tracked source file.
format-check: deps
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
