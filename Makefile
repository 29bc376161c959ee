# The two commands of the README. Both install what they need first (scripts/bootstrap
# is quick when everything is present).
#   make demo   build, create the demo school in build/demo, print it, arrange all six
#               grades, save, and print 初一's timetable and every grade's remaining problems
#   make test   build and run every test
CLI := build/src/cli/tavlen-cli
DEMO := build/demo

.PHONY: all bootstrap build demo test test-asan format clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	cmake --preset dev
	cmake --build --preset dev

demo: build
	rm -rf $(DEMO)
	$(CLI) init $(DEMO) --demo
	cd $(DEMO) && ../../$(CLI) show
	cd $(DEMO) && ../../$(CLI) arrange all --save --grid 初一

test: build
	ctest --preset dev

test-asan: bootstrap
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan
