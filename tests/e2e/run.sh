#!/usr/bin/env bash
# End-to-end run of the real program under Xvfb with a window manager, driven
# only through the keyboard and the mouse (xdotool), on a fresh database:
# presentation, product editor, sales terminal, daily sales balance, one record
# browser and the exit screen. Then the tables are checked through yerbalis-admin.
#
# Screenshots of every step are kept in $E2E_SHOTS (default build/e2e-shots).
# The mouse positions are those of maximized windows on a 1280x1024 screen.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${YERBALIS_BUILD_DIR:-build}
program=$build/src/app/yerbalis
admin=$build/tools/yerbalis-admin
shots=${E2E_SHOTS:-$build/e2e-shots}
rm -rf "$shots"
mkdir -p "$shots"
work=$(mktemp -d)
data=$work/yerba1   # does not exist yet: the program creates it
# E2E_DATABASE: run on a PostgreSQL database instead (a URI of a database that
# holds no tables yet; yerbalis-admin create makes them). E2E_TILL: the till
# number the terminal records (YERBALIS_TILL), 1 by default.
till=${E2E_TILL:-1}
if [ -n "${E2E_DATABASE:-}" ]; then
  data=$E2E_DATABASE
  "$admin" create "$data" >/dev/null
  export YERBALIS_DATABASE=$data
fi
export YERBALIS_TILL=$till

. tests/e2e/desktop.sh

YERBALIS_DATA_DIR=$data "$program" >"$work/program.log" 2>&1 &
app=$!
pids+=($app)

# Presentation over the menu; "&Inicio".
wait_active "Yerbalis v1.0 (Base de Datos)"
sleep 0.5
shot presentation
key alt+i
sleep 0.5
shot menu

# Product editor: two products, each written with the navigator's post button.
POST_X=918; NEW_X=639; NAV_Y=61
key alt+o
wait_active "Edición de la Tabla de Productos (Base de Datos)"
type_text 101; key Return; type_text "Miel de romero"; key Return; type_text 450
click $POST_X $NAV_Y
click $NEW_X $NAV_Y
type_text 102; key Return; type_text "Polen de abeja"; key Return; type_text 320
click $POST_X $NAV_Y
shot product-editor
click 1247 991   # return to the menu
wait_active "Yerbalis v1.0 (Base de Datos)"

# Sales terminal: 101, 102, 101 (code, Enter to look it up, Enter to register), then Esc.
key alt+u
wait_active "Sumar Productos (Base de Datos)"
for code in 101 102 101; do
  type_text $code; key Return; sleep 0.2; key Return; sleep 0.2
done
shot terminal-three-sales
key Escape
shot terminal-new-customer
click 1249 993   # return
wait_active "Yerbalis v1.0 (Base de Datos)"

# Daily sales balance: three sales listed; delete the second after confirming.
key alt+v
wait_active "Balande de las ventas diarias (Base de Datos)"
shot balance-three-sales
click 313 66     # the second row
click 1232 73    # "Borrar"
wait_active "Confirm"
shot balance-confirm
key Return
wait_active "Balande de las ventas diarias (Base de Datos)"
shot balance-after-delete
click 1232 228   # return
wait_active "Yerbalis v1.0 (Base de Datos)"

# Cosmetics browser: two records, then a search by the beginning of the first.
key alt+p
wait_active "Productos Cosméticos (Base de Datos)"
type_text "Crema de caléndula"; key Return; type_text "Piel seca y agrietada."
click 1000 57    # "Grabar"
click 712 57     # "Nuevo"
type_text "Aceite de argán"
click 1000 57
click 1196 104   # search
wait_active "Entrada"
type_text "Crema"; key Return
wait_active "Productos Cosméticos (Base de Datos)"
shot browser-found
if xdotool search --onlyvisible --name '^Aviso$' >/dev/null 2>&1; then fail "the search did not find the record"; fi
click 29 48      # return
wait_active "Yerbalis v1.0 (Base de Datos)"

# Exit screen: "Salir".
click 765 952
wait_active "-"
shot exit-screen
click 570 514
status=0
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end after Salir"
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"

# What the tables hold, as the companion tool exports them (in each table's
# own order; none of these values needs quoting).
x() { "$admin" export "$data" "$1" 2>/dev/null | tail -n +2 | tr -d '\r'; }
products=$(x Producto | tr ',' '|')
[ "$products" = $'101|Miel de romero|450\n102|Polen de abeja|320' ] || fail "products: $products"
sales=$(x Ventas | awk -F, '{ print $1 "|" $3 "|" $4 "|" $5 }')
[ "$sales" = "$till|101|450|Miel de romero"$'\n'"$till|101|450|Miel de romero" ] || fail "sales: $sales"
days=$(x Ventas | awk -F, '{ print substr($2, 1, 10) }' | sort -u)
today=$(date +%F)
[ "$days" = "$today" ] || [ "$days" = "$(date -d '-1 min' +%F)" ] || fail "sale days: $days (today $today)"
cosmetics=$(x Cosmetic | awk -F, '{ print $1 "|" $2 }')
[ "$cosmetics" = $'Aceite de argán|\nCrema de caléndula|Piel seca y agrietada.' ] || fail "cosmetics: $cosmetics"
"$admin" check "$data" >/dev/null || fail "yerbalis-admin check"
echo "e2e: $step screenshots in $shots"
echo "e2e: 1 passed, 0 failed"
