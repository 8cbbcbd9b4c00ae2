#!/usr/bin/env bash
# Builds the Debian package yerbalis_<version>_<arch>.deb from a Release build
# in ./build-deb (or $YERBALIS_PACKAGE_DIR) and leaves it in the top folder.
# Only the two programs and the files that go with them are built, not the tests
# nor the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --package
build=${YERBALIS_PACKAGE_DIR:-build-deb}
# Debian's hardening flags (stack protector, fortified functions, full RELRO,
# immediate binding), as a package built by Debian's own tools would have them.
# Fortified functions at level 3, as later Debian releases build them: at
# level 2 the compiler checks only copies into objects whose size it knows
# while compiling, and yerbalis-admin copies only into containers' buffers,
# so it would call no checked function at all; level 3 also checks sizes
# known only when the program runs (GCC 12 and glibc 2.34 or later), and
# tests/package/check.sh makes sure that both programs call checked functions.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cppflags=${cppflags/-D_FORTIFY_SOURCE=2/-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3}
cxxflags="$cppflags $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DYERBALIS_PACKAGE=ON \
      -DYERBALIS_SKIP="tests;bench" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" --target yerbalis yerbalis-admin yerbalis-package-files
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
rm -f yerbalis_*.deb
cp "$build"/yerbalis_*.deb .
ls yerbalis_*.deb
