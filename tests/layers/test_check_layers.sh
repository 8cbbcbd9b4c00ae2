#!/usr/bin/env bash
# The layer check on a small tree of its own: a clean tree passes (with the
# benchmark's named exception and the screens it reaches from above), and each
# engine header included outside its engine's folder, with "..." or <...>, and
# the companion command reaching a screen fail naming the file.
#   test_check_layers.sh CHECK_LAYERS_SCRIPT
set -euo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tree() {
  rm -rf "$tmp/t"
  mkdir -p "$tmp/t"/{src/store/sqlite,src/store/postgres,src/controls,tools,bench,tests/store}
  cd "$tmp/t"
  printf '#include "store/Engine.h"\n' > src/store/Engine.cpp
  printf '#include "store/sqlite/SqliteEngine.h"\n#include <sqlite3.h>\n' > src/store/sqlite/SqliteEngine.cpp
  touch src/store/sqlite/SqliteEngine.h src/store/postgres/PgEngine.h
  printf '#include "store/postgres/PgEngine.h"\n#include <libpq-fe.h>\n' > src/store/postgres/PgEngine.cpp
  printf '#include <QWidget>\n#include <QtCore/QString>\n#include "store/TableCursor.h"\n' > src/controls/Grid.cpp
  printf '#include <sqlite3.h>\n#include "app/Registry.h"\n' > bench/bench_main.cpp
  printf '#include "store/Database.h"\n' > tools/Copy.cpp tests/store/test_x.cpp
}
tree
bash "$check" "$tmp/t" >/dev/null || { echo "a clean tree failed the layer check" >&2; exit 1; }
failures=0
expect() { # file line: adding the line to the file must fail the check, naming the file
  tree
  printf '%s\n' "$2" >> "$1"
  if out=$(bash "$check" "$tmp/t" 2>&1); then
    echo "not caught: $2 in $1" >&2; failures=1
  elif [[ "$out" != *"$1"* ]]; then
    echo "caught without naming $1: $out" >&2; failures=1
  fi
}
expect src/store/Engine.cpp '#include <sqlite3.h>'
expect src/store/Engine.cpp '#include "sqlite/SqliteEngine.h"'
expect src/controls/Grid.cpp '#include "libpq-fe.h"'
expect src/store/sqlite/SqliteEngine.cpp '#include <libpq-fe.h>'
expect tools/Copy.cpp '#include <store/sqlite/SqliteEngine.h>'
expect tests/store/test_x.cpp '#include "store/postgres/PgEngine.h"'
expect bench/bench_main.cpp '#include "store/postgres/PgEngine.h"'
expect tools/Copy.cpp '#include "app/Registry.h"'
expect src/store/Database.cpp '#include <controls/DBGrid.h>'
exit $failures
