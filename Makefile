# The commands of the README. Each installs what it needs first (scripts/bootstrap is quick
# when everything is present).
#   make demo   build, create the demo school in build/demo, print it, arrange all six
#               grades with the clash-free optimiser, save, and print 初一's timetable and
#               every grade's remaining problems (none), then 初三's review timetable
#               arranged by the optimiser (no clashes left), and publish every class's
#               week as build/demo/classes.pdf (one page a class)
#   make test   build and run every test
#   make package  an optimised build in build-pkg/ (-O2 as the tests build it, Debian's
#               hardening flags, installed under /usr, no tests, no benchmarks), then its
#               Debian package, copied to build/tavlen_<version>-1_amd64.deb
#               (scripts/package-check builds, checks, installs and tries it)
#   make bench  build, install FET (fet-cl) when it is missing, compare the optimiser with
#               it on generated schools (../shared/bench/compare.py), then run the
#               optimiser's own benchmark and the review optimiser's (whole process on the
#               demo's and generated review plans); make test never needs any of it
CLI := build/src/cli/tavlen-cli
DEMO := build/demo
COMPARE := ../shared/bench/compare.py
# The tight families of the side-by-side benchmark, and how long fet-cl may try each of them.
MAIN_HEAVY := --main-heavy --main-classes 4 --max-load 24 --full --pe-share exact
TIGHT_PRESETS := --main-heavy --main-count 5 --main-classes 5 --max-load 25 --full --unified 3 \
	--preset-share 0.3 --preset-max-load 25 --preset-real-limit --pe-share exact
FET_LIMIT := 30

PKG := build-pkg

.PHONY: all bootstrap build demo test test-asan bench package format clean

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
	cd $(DEMO) && ../../$(CLI) arrange all --optimise --save --grid 初一
	cd $(DEMO) && ../../$(CLI) review 初三 --optimise --save
	cd $(DEMO) && ../../$(CLI) publish classes all --pdf classes.pdf

test: build
	ctest --preset dev

bench: build
	@test -f $(COMPARE) || { echo "make bench: $(COMPARE) not found; the side-by-side benchmark" \
		"needs the shared bench folder beside this repository" >&2; exit 1; }
	@command -v fet-cl >/dev/null || { \
		sudo=$$( [ "$$(id -u)" -ne 0 ] && echo sudo ); echo "make bench: installing fet"; \
		export DEBIAN_FRONTEND=noninteractive; \
		$$sudo apt-get install -y -qq --no-install-recommends fet || \
		{ $$sudo apt-get update -qq && $$sudo apt-get install -y -qq --no-install-recommends fet; }; }
	python3 bench/compare_bounds.py $(COMPARE) --cli $(CLI) --shape 6x20 --seeds 1 2 --resource-limits
	python3 bench/compare_bounds.py $(COMPARE) --cli $(CLI) --shape 3x12 --seeds 1 2
	python3 bench/compare_bounds.py $(COMPARE) --cli $(CLI) --shape 6x20 --seeds 1 2 --resource-limits --short-names 0.5
	for shape in 1x8 2x10; do python3 bench/compare_bounds.py $(COMPARE) --cli $(CLI) --shape $$shape \
		--seeds 1 2; done
	for shape in 1x8 2x10 6x20; do \
		python3 bench/compare_bounds.py $(COMPARE) --cli $(CLI) --shape $$shape --seeds 1 2 \
			--timelimit $(FET_LIMIT) --gen-args="$(MAIN_HEAVY)"; \
		python3 bench/compare_bounds.py $(COMPARE) --cli $(CLI) --shape $$shape --seeds 1 2 \
			--timelimit $(FET_LIMIT) --gen-args="$(TIGHT_PRESETS)"; done
	build/bench/bench_optimise --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	python3 bench/review_optimise_bench.py --cli $(CLI) --gen ../shared/bench/school_gen.py

test-asan: bootstrap
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

package: bootstrap
	CXXFLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	CMAKE_CXX_COMPILER_LAUNCHER="$$(command -v ccache || true)" \
	cmake -S . -B $(PKG) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
		-DTAVLEN_BUILD_TESTS=OFF -DTAVLEN_BUILD_BENCH=OFF -DTAVLEN_PACKAGE=ON
	cmake --build $(PKG)
	rm -f $(PKG)/tavlen_*.deb
	cd $(PKG) && cpack -G DEB
	mkdir -p build
	rm -f build/tavlen_*.deb
	cp $(PKG)/tavlen_*.deb build/

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan $(PKG)
