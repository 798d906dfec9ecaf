# Front door: `make test` sets up the machine, builds and runs every test;
# `make run` shows the saver; `make dist` packs it for users; `make` builds;
# `make install` installs the Linux program for XScreenSaver (PREFIX,
# DESTDIR); `make clean` removes the build trees. `make fuzz`, `make soak`,
# `make bench` and `make test-stress` are the longer checks.
WERROR ?= OFF
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all build setup test test-stress run fuzz soak bench dist install clean

all: build

setup:
	@tools/setup.sh

build: setup
	cmake --preset native -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset native -j $(JOBS)
	cmake --preset windows -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset windows -j $(JOBS)
	cmake --preset windows32 -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset windows32 -j $(JOBS)
	cmake --preset linux -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset linux -j $(JOBS)

test: build
	@tools/run-tests.sh $(JOBS)

STRESS_RUNS ?= 3
test-stress: build
	@tools/stress.sh $(STRESS_RUNS) $(JOBS)

run: build
	@tools/run-saver.sh

FUZZ_SECONDS ?= 60
fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@tools/fuzz.sh $(FUZZ_SECONDS)

SOAK_MINUTES ?= 10
soak: build
	@tools/soak.sh $(SOAK_MINUTES)

bench: build
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	@tools/bench.sh

install: build
	DESTDIR=$(DESTDIR) cmake --install build/linux --prefix $(PREFIX)

dist: build
	@tools/dist.sh

clean:
	rm -rf build
