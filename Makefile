# Thin wrapper around CMake: `make run` plays, `make test` checks,
# `make install` installs (PREFIX=... and DESTDIR=... as usual), `make package`
# builds the Debian package and the tar archive, `make lint-package` checks the
# Debian package with lintian.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?=

.PHONY: all build run test test-programs install package bench fingerprint sanitize clean format \
  fuzz e2e valgrind lint-package cross-arm64 cross-armhf

all: build

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The game alone.
build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target korvando

run: build
	./$(BUILD)/korvando

# The game and the test programs; configured again so that a GoogleTest
# installed since the first configuration is found.
test-programs: $(BUILD)/Makefile
	@cmake -S . -B $(BUILD) > /dev/null
	cmake --build $(BUILD) -j $(JOBS) --target test_programs

test: test-programs
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# A release build of the game alone, installed into /usr/games by the package;
# MAINTAINER='Name <address>' names who built it.
package:
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DKORVANDO_TESTS=OFF \
	  -DCMAKE_INSTALL_BINDIR=games -DKORVANDO_MAINTAINER="$(MAINTAINER)"
	cmake --build build-package -j $(JOBS) --target korvando
	cd build-package && cpack

# The Debian package against Debian's policy: any error or warning fails.
lint-package: package
	lintian --fail-on error,warning build-package/*.deb

# Whole programs and games through the virtual console under memcheck.
VALGRIND_TESTS ?= Program.*:*Game*:*Spiel*
valgrind: test-programs
	valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
	  ./$(BUILD)/korvando_tests --gtest_filter='$(VALGRIND_TESTS)'

e2e: test-programs
	./$(BUILD)/korvando_e2e

bench:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKORVANDO_TESTS=OFF -DKORVANDO_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/*_bench; do echo "== $$b"; $$b; done

# The engine's play in one number: the self-play tool hashes the trials and
# answers of a fixed set of seeded games. A change of the engine that alters
# play must update FINGERPRINT_FILE on purpose and say why in its commit.
FINGERPRINT_FILE ?= bench/fingerprint.txt
fingerprint:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKORVANDO_TESTS=OFF -DKORVANDO_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target selfplay_tool
	@soll=$$(cat $(FINGERPRINT_FILE)); \
	ist=$$(./build-bench/selfplay_tool --fingerprint | awk '{print $$NF}'); \
	if [ "$$ist" != "$$soll" ]; then \
	  echo "engine fingerprint $$ist, but $(FINGERPRINT_FILE) holds $$soll: the engine plays"; \
	  echo "differently. A change that alters play on purpose updates $(FINGERPRINT_FILE)"; \
	  echo "and says why in its commit message; otherwise the change broke play."; \
	  exit 1; \
	fi; \
	echo "engine fingerprint $$ist as in $(FINGERPRINT_FILE)"

sanitize:
	cmake -S . -B build-san -DCMAKE_BUILD_TYPE=Debug -DKORVANDO_SANITIZE=ON
	cmake --build build-san -j $(JOBS)
	cd build-san && ctest --output-on-failure --no-tests=error -j $(JOBS)

# Cross builds for 64-bit and 32-bit ARM with the Debian cross compilers
# (g++-aarch64-linux-gnu, g++-arm-linux-gnueabihf); the unit tests run under
# qemu-user. Left out there: the tests that start the program itself through
# a pty or a shell (its run in a terminal, its options, its install), since
# without binfmt_misc a process under qemu-user cannot start another ARM
# program.
CROSS_EXCLUDE ?= ^(ProgramRun|CommandLine|Install)\.
cross-arm64 cross-armhf: cross-%:
	cmake -S . -B build-$* -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$*.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-$* -j $(JOBS) --target korvando korvando_tests
	cd build-$* && ctest --output-on-failure --no-tests=error -j $(JOBS) -E '$(CROSS_EXCLUDE)'

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-bench build-san build-fuzz build-package build-arm64 build-armhf

# Fuzzing: FUZZ_SECONDS per target (see tests/fuzz/README.md); a target's
# own options (input length, dictionary) in tests/fuzz/NAME.options.
FUZZ_SECONDS ?= 20
fuzz:
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANDO_TESTS=OFF \
	  -DKORVANDO_FUZZ=ON -DKORVANDO_SANITIZE=ON
	cmake --build build-fuzz -j $(JOBS)
	@for t in build-fuzz/fuzz_*; do \
	  name=$$(basename $$t | sed 's/^fuzz_//'); mkdir -p build-fuzz/corpus-$$name; \
	  echo "== $$t"; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
	    $$(cat tests/fuzz/$$name.options 2>/dev/null) \
	    build-fuzz/corpus-$$name tests/fuzz/corpus/$$name || exit 1; \
	done
