# Front door: `make test` sets up the machine, builds and runs every test;
# `make run` shows the saver; `make dist` packs it for users; `make` builds;
# `make clean` removes the build trees. `make fuzz`, `make soak`, `make
# bench`, `make test-stress` (BUSY competing processes, default one a core)
# and `make check-reproducible` are the longer checks; `make slips
# BASE=<commit>` lets slips drawn from the change since BASE test the tests.
# The Linux programs alone, with only the Linux packages: `make linux`
# builds them and their tests, `make test-linux` builds the unit tests too
# and runs them all, `make install` installs them (PREFIX, DESTDIR) and
# `make uninstall` removes them again, `make deb` packs them, `make rpm`
# packs them as Fedora lays them out. `make windows32` builds the saver for
# 32-bit Windows, which is neither shipped nor tested, to keep the code
# portable.
WERROR ?= OFF
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local
DESTDIR ?=

# Every time a build stores (the saver's PE time stamp, zip and package
# times) is the last commit's, so that two builds of a commit are the same;
# in a release tarball, without .git, the last changelog entry's.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || dpkg-parsechangelog -S Timestamp 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH

.PHONY: all build setup setup-linux linux windows32 test test-linux test-stress slips run fuzz soak bench dist deb install uninstall rpm check-reproducible clean

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
	cmake --preset linux -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset linux -j $(JOBS)

windows32: setup
	cmake --preset windows32 -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset windows32 -j $(JOBS)

test: setup
	@tools/run-tests.sh $(JOBS) $(WERROR) native windows linux

linux: setup-linux
	cmake --preset linux -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset linux -j $(JOBS)

test-linux: setup-linux
	@tools/run-tests.sh $(JOBS) $(WERROR) native linux

STRESS_RUNS ?= 3
BUSY ?= $(shell nproc)
test-stress: build
	@tools/stress.sh $(STRESS_RUNS) $(JOBS) $(BUSY)

SLIPS ?= 40
slips: build
	@tools/slips.sh "$(BASE)" $(SLIPS)

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
	cmake --build --preset windows -j $(JOBS) --target frame_bench startup_bench
	cmake --build --preset linux -j $(JOBS) --target linux_frame_bench
	@tools/bench.sh

install:
	@tools/install.sh install "$(PREFIX)" "$(DESTDIR)"

uninstall:
	@tools/install.sh uninstall "$(PREFIX)" "$(DESTDIR)"

deb: setup-linux
	@tools/deb.sh

rpm: setup-linux
	@tools/rpm.sh

# Only what ships: the saver (the installer is made by dist.sh, after any
# signing) and the Debian package.
dist: setup deb
	cmake --preset windows -DKELVARIS_WERROR=$(WERROR) >/dev/null
	cmake --build --preset windows -j $(JOBS) --target kelvaris
	@tools/dist.sh

# diffoscope says what differs, should anything.
check-reproducible:
	@tools/setup.sh all diffoscope-minimal
	@tools/check-reproducible.sh

clean:
	rm -rf build
