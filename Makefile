# make run   – installs what is missing, builds and starts 词帆
# make test  – installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build run test bench format format-check clean

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

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when clang-format would change any tracked source file.
format-check: deps
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
