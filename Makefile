# The whole set-up of a fresh machine is one of these two commands:
#   make run     installs what is missing, builds, starts the program
#   make check   installs what is missing, builds, runs every test headless
BUILD ?= build
BENCH_BUILD ?= build-release
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run check bench overview odds clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/program/kestrane

check: build
	@cd $(BUILD) && env -u DISPLAY QT_QPA_PLATFORM=offscreen KESTRANE_NO_SOUND=1 \
		ctest --output-on-failure -j $(JOBS)

bench: setup
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKST_RELEASE=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target kst_bench
	$(BENCH_BUILD)/bench/kst_bench

# catalogue/GAMES.md, the overview of the games, written from their definitions (a test checks it).
overview: build
	$(BUILD)/program/kst-catalogue --overview catalogue catalogue/GAMES.md

# The measured odds of every game the solver plays, written into the game definitions, then the
# overview. Takes hours (catalogue/README.md); options go through ODDS_ARGS, for example
#   make odds ODDS_ARGS="--games 1,30 --deals 20"
odds: build
	$(BUILD)/program/kst-catalogue --odds catalogue $(ODDS_ARGS)
	@$(MAKE) --no-print-directory overview

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
