# Front door: `make test` sets up the machine, builds and runs every test;
# `make run` shows the saver; `make dist` packs it for users; `make` builds;
# `make clean` removes the build trees. `make fuzz`, `make soak`, `make
# bench` and `make test-stress` are the longer checks.
# The Linux program alone, with only the Linux packages: `make linux`
# builds it, `make test-linux` tests it, `make install` installs it for
# XScreenSaver (PREFIX, DESTDIR), `make deb` packs it.
WERROR ?= OFF
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all build setup setup-linux linux test test-linux test-stress run fuzz soak bench dist deb install clean

all: build

setup:
	@tools/setup.sh

setup-linux:
	@tools/setup.sh linux

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
	@tools/run-tests.sh $(JOBS) native windows linux

linux: setup-linux
	cmake --preset native -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset native -j $(JOBS)
	cmake --preset linux -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset linux -j $(JOBS)

test-linux: linux
	@tools/run-tests.sh $(JOBS) native linux

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

install: linux
	DESTDIR=$(DESTDIR) cmake --install build/linux --prefix $(PREFIX)

deb: setup-linux
	@tools/deb.sh

dist: build deb
	@tools/dist.sh

clean:
	rm -rf build
