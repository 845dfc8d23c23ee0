# Reelmark: the few commands a developer needs. Each installs what it lacks first.
#   make run    build the program and start it under Wine in a demo player folder
#   make test   build everything and run every test (native, under Wine, end to end, fuzz)
#   make dist   the 32-bit program at dist/reelmark.exe
#   make bench  the benchmarks of loading and saving favourites
#   make measure-startup  the program's start-up under Wine, with no favourites and with 9,999
.PHONY: all bootstrap native wintest dist fuzz test run bench measure-startup clean

JOBS ?= 2
WIN_ARCH = $(shell scripts/wine-arch.sh)

all: dist

bootstrap:
	@scripts/bootstrap.sh

native: bootstrap
	cmake --preset native >/dev/null
	cmake --build build/native -j$(JOBS)

wintest: bootstrap
	cmake --preset win-test-$(WIN_ARCH) >/dev/null
	cmake --build build/win-test -j$(JOBS)

dist: bootstrap
	cmake --preset dist >/dev/null
	cmake --build build/dist -j$(JOBS) --target reelmark standin_player
	mkdir -p dist
	cp build/dist/src/win32/reelmark.exe dist/reelmark.exe
	@scripts/check-dist.sh dist/reelmark.exe

fuzz: bootstrap
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j$(JOBS)

test: native wintest dist fuzz
	@scripts/run-tests.sh

run: wintest
	scripts/demo.sh

bench: bootstrap
	cmake --preset bench >/dev/null
	cmake --build build/bench -j$(JOBS) --target reelmark_bench
	build/bench/tests/bench/reelmark_bench

measure-startup: dist
	scripts/measure-startup.sh

clean:
	rm -rf build dist demo
