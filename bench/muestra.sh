#!/usr/bin/env bash
# Both runs on the sample export, laid out as comparar_salidas.py reads a scale (folder k0):
#     bash bench/muestra.sh BIN_ANTES /tmp/antes; bash bench/muestra.sh BIN_DESPUES /tmp/despues
#     /usr/bin/python3 bench/comparar_salidas.py /tmp/antes /tmp/despues
set -euo pipefail
bin=$(cd "$1" && pwd)
raiz=$(cd "$(dirname "$0")/.." && pwd)
base="$2/k0"
rm -rf "$base"
mkdir -p "$base/VTEMP" "$base/seneca"
cp "$raiz/samples/ExportacionHorarios.xml" "$base/seneca/"
"$bin/pasaplan-lote" exportar "$base/seneca/ExportacionHorarios.xml" --intercambio "$base/VTEMP" \
    --niveles "$raiz/samples/niveles.csv" --marcos 2417 | sed "s|$base|BASE|g" >"$base/informe.txt"
"$bin/generar_horario" "$base/VTEMP" >/dev/null
"$bin/pasaplan-lote" importar "$base/seneca/ExportacionHorarios.xml" --intercambio "$base/VTEMP" \
    >/dev/null
