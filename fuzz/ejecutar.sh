#!/usr/bin/env bash
# Runs every fuzz target for a while: fuzz/ejecutar.sh BUILD_DIR SECONDS
# Seeds come from samples/ and tests/data/ and from an import of the sample; the working corpus
# and whatever the fuzzers find stay in BUILD_DIR/fuzz-corpus and BUILD_DIR/fuzz-hallazgos.
set -uo pipefail
build=$(cd "$1" && pwd)
segundos=${2:-60}
raiz=$(cd "$(dirname "$0")/.." && pwd)
bin=$build/bin
corpus=$build/fuzz-corpus
hallazgos=$build/fuzz-hallazgos
mkdir -p "$hallazgos"
for t in importacion tabla exportacion ini; do mkdir -p "$corpus/$t" "$hallazgos/$t"; done

# ---- seeds ----
copiar() {  # copiar DESTINO ARCHIVO... : by content hash, so reruns add nothing twice
    local destino=$1; shift
    for f in "$@"; do
        [ -f "$f" ] || continue
        [ "$(stat -c %s "$f")" -le 2000000 ] || continue
        cp "$f" "$destino/semilla-$(sha1sum "$f" | cut -c1-16)"
    done
}
shopt -s nullglob globstar
copiar "$corpus/importacion" "$raiz"/samples/*.xml "$raiz"/tests/data/**/*.xml
copiar "$corpus/tabla" "$raiz"/tests/data/**/*.[dD][bB][fF]
copiar "$corpus/ini" "$raiz"/tests/data/**/*.ini
# Hand-made seeds: table kinds the tool never writes (FoxPro binaries, memos, deleted rows).
for t in importacion tabla exportacion ini; do copiar "$corpus/$t" "$raiz"/fuzz/semillas/$t/*; done

tmp=$(mktemp -d /tmp/pasaplan-semillas.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/VTEMP" "$tmp/seneca"
cp "$raiz/samples/ExportacionHorarios.xml" "$tmp/seneca/"
if "$bin/pasaplan-lote" exportar "$tmp/seneca/ExportacionHorarios.xml" --intercambio "$tmp/VTEMP" \
       --niveles "$raiz/samples/niveles.csv" --marcos 2417 >/dev/null &&
   "$bin/generar_horario" "$tmp/VTEMP" >/dev/null; then
    copiar "$corpus/tabla" "$tmp"/VTEMP/*.DBF "$bin/SENEMATERIAS.DBF"
    { cat "$tmp/VTEMP/SOLUC.DBF"; printf '\n@@DIASHORAST@@\n'; cat "$tmp/VTEMP/DIASHORAST.DBF"; } \
        > "$tmp/soluc-y-tramos"
    copiar "$corpus/exportacion" "$tmp/VTEMP/SOLUC.DBF" "$tmp/soluc-y-tramos"
else
    echo "aviso: sin semillas de tablas (falló la importación de la muestra)" >&2
fi
# ini files: the first byte picks value and spelling (see fuzz/Arneses.h).
printf '\x00[Transformadores]\r\nTransformado=0\r\n' > "$tmp/ini1"
printf '\x05\xEF\xBB\xBF; Velmora\n[Otros]\nA=1\n\n[transformadores]\nOtra = 3\n[Fin]\nB=2' > "$tmp/ini2"
printf '\x0a[Transformadores]\nTransformado\n[Transformadores]\nTransformado=9\n' > "$tmp/ini3"
copiar "$corpus/ini" "$tmp"/ini*

# ---- runs ----
resumen=$build/fuzz-resumen.txt
: > "$resumen"
estado=0
for t in importacion tabla exportacion ini; do
    dict=()
    [ -f "$raiz/fuzz/$t.dict" ] && dict=(-dict="$raiz/fuzz/$t.dict")
    echo "== fuzz_$t durante ${segundos}s"
    registro=$hallazgos/$t.log
    "$bin/fuzz_$t" "${dict[@]}" -max_total_time="$segundos" -timeout=30 -rss_limit_mb=3072 \
        -print_final_stats=1 -artifact_prefix="$hallazgos/$t/" "$corpus/$t" > "$registro" 2>&1
    rc=$?
    ejecuciones=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$registro" | grep -o '[0-9]*$')
    segs=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$registro" | grep -o '[0-9]*$')
    linea="fuzz_$t: ${segundos}s, ${ejecuciones:-?} ejecuciones (${segs:-?}/s), corpus $(ls "$corpus/$t" | wc -l)"
    if [ $rc -ne 0 ]; then
        linea="$linea, FALLO (código $rc): $(ls "$hallazgos/$t" | head -3 | tr '\n' ' ') — véase $registro"
        estado=1
    fi
    echo "$linea" | tee -a "$resumen"
done
exit $estado
