# Reelmark: the few commands a developer needs. Each installs what it lacks first.
#   make run    build the program and start it under Wine in a demo player folder
#   make screenshots  the README's pictures (docs/*.png), from the demo in a headless X server
#   make test   build everything and run every test (native, under Wine, end to end, fuzz);
#               the Windows tests are compiled for both i686 and x86_64 and run with the
#               architecture this machine's Wine runs (scripts/wine-arch.sh)
#   make dist   the 32-bit program at dist/reelmark.exe, and for users dist/reelmark-VERSION.zip
#               with it and the guide docs/guide.txt
#   make bench  the benchmarks of loading and saving favourites
#   make measure-startup  the program's start-up under Wine, with no favourites and with 9,999,
#               beside two floors: a bare program of the same kind and one with the same window
#   make measure-responsiveness  how quickly the program answers while s and w are held in a list
#   make measure-marks  how soon the favourites whose film is not there are marked, and the answers meanwhile
#               of 9,999 favourites (not part of test); MEASURE_ARGS="--slow-flush 150 --one-cpu"
#               passes options on
#   make e2e-repeat  the end-to-end tests 5 times in a row with one core kept busy (not part of test)
.PHONY: all bootstrap native wintest dist fuzz test run screenshots bench measure-startup measure-responsiveness measure-marks \
	e2e-repeat clean

JOBS ?= 2

all: dist

bootstrap:
	@scripts/bootstrap.sh

native: bootstrap
	cmake --preset native >/dev/null
	cmake --build build/native -j$(JOBS)

# Both architectures, so that a fault in either (a callback's calling convention, a type's
# size) fails here, whichever of them Wine can run on this machine.
wintest: bootstrap
	@for arch in i686 x86_64; do \
	  echo "cmake --build build/win-test-$$arch"; \
	  cmake --preset win-test-$$arch >/dev/null && cmake --build build/win-test-$$arch -j$(JOBS) || exit 1; \
	done

dist: bootstrap
	cmake --preset dist >/dev/null
	cmake --build build/dist -j$(JOBS) --target reelmark standin_player
	mkdir -p dist
	cp build/dist/src/win32/reelmark.exe dist/reelmark.exe
	@scripts/package-dist.sh
	@scripts/check-dist.sh dist/reelmark.exe

fuzz: bootstrap
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j$(JOBS)

# The end-to-end tests run dist/reelmark.exe where Wine runs 32-bit programs: dist first.
test: native wintest dist fuzz
	@scripts/run-tests.sh

run: dist
	scripts/demo.sh

screenshots: bootstrap
	scripts/screenshots.sh

bench: bootstrap
	cmake --preset bench >/dev/null
	cmake --build build/bench -j$(JOBS) --target reelmark_bench
	build/bench/tests/bench/reelmark_bench

measure-startup: dist
	scripts/measure-startup.sh

measure-responsiveness: dist
	scripts/measure-responsiveness.sh $(MEASURE_ARGS)

measure-marks: dist
	scripts/measure-marks.sh $(MEASURE_ARGS)

e2e-repeat: dist
	scripts/e2e-repeat.sh

clean:
	rm -rf build dist demo
