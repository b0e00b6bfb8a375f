#!/usr/bin/python3
"""Speed and memory of both runs on synthetic Séneca exports, against the parser's own cost.

For every scale K (1, 10 and 40 unless told otherwise) the script generates an export of K
schools (tools/generar_exportacion), then runs, on the same machine and in one go, each several
times:

  xmllint --noout on the export         the cost of parsing alone: our floor
  pasaplan-lote exportar ...           the import run, dialogs answered from flags
  generar_horario                      a timetable SOLUC for the export run
  pasaplan-lote importar ...           the export run
  xmllint --noout on the written document

and reports the median wall time and peak memory (/usr/bin/time -v, "Maximum resident set
size") of each, the ratios to xmllint and the growth from one scale to the next, so that work
growing faster than the data shows.

  /usr/bin/python3 bench/medir.py                       # build Release in build-medida, measure
  /usr/bin/python3 bench/medir.py --escalas 1,10 --repeticiones 3 --bin build/bin
  /usr/bin/python3 bench/medir.py --resultados          # also write bench/RESULTADOS.md

Python standard library only.
"""
import argparse
import datetime
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OBJETIVOS = {
    "import_xmllint_tiempo": 1.2,
    "import_xmllint_memoria": 1.0,
    "export_xmllint_tiempo": 1.2,
    "export_xmllint_memoria": 1.0,
    "crecimiento_10_40": 4.3,
    "escala1_segundos": 0.25,
}


class FalloPaso(Exception):
    pass


def construir(directorio):
    """A Release build of the tools and the batch command, without the desktop program."""
    print(f"Compilando (Release) en {directorio} ...", flush=True)
    # GCC 12 at -O2/-O3 gives false positives (maybe-uninitialized on optional<optional<T>>,
    # restrict inside std::string); they stay warnings here instead of stopping the build.
    subprocess.run(["cmake", "-S", RAIZ, "-B", directorio, "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=Release", "-DPASAPLAN_GUI=OFF",
                    "-DCMAKE_CXX_FLAGS=-Wno-error=maybe-uninitialized -Wno-error=restrict"],
                   check=True, stdout=subprocess.DEVNULL)
    objetivos = ["pasaplan-lote", "generar_exportacion", "generar_horario"]
    ninja = subprocess.run(["cmake", "--build", directorio, "--target", "help"],
                           capture_output=True, text=True).stdout
    if "senematerias" in ninja:
        objetivos.append("senematerias")
    subprocess.run(["cmake", "--build", directorio, "-j2", "--target", *objetivos], check=True,
                   stdout=subprocess.DEVNULL)
    return os.path.join(directorio, "bin")


def medir(orden, trabajo):
    """One run under /usr/bin/time -v: (wall seconds, peak MiB, stdout)."""
    informe = os.path.join(trabajo, "time.txt")
    inicio = time.perf_counter()
    r = subprocess.run(["/usr/bin/time", "-v", "-o", informe, *orden],
                       capture_output=True, text=True, errors="replace")
    segundos = time.perf_counter() - inicio
    if r.returncode != 0:
        raise FalloPaso(f"{' '.join(orden)} terminó con {r.returncode}:\n"
                        f"{r.stderr.strip()[-2000:]}")
    with open(informe, encoding="utf-8", errors="replace") as f:
        m = re.search(r"Maximum resident set size \(kbytes\): (\d+)", f.read())
    return segundos, (int(m.group(1)) / 1024 if m else float("nan")), r.stdout


def repetir(orden, veces, trabajo, antes=None):
    """Median wall time and median peak memory over up to `veces` runs; a run slower than 10 s
    limits the repetitions to 3, slower than 60 s to 1."""
    tiempos, memorias, salida = [], [], ""
    while len(tiempos) < veces:
        if antes:
            antes()
        t, m, salida = medir(orden, trabajo)
        tiempos.append(t)
        memorias.append(m)
        if t > 60:
            veces = 1
        elif t > 10:
            veces = min(veces, 3)
    return {"t": statistics.median(tiempos), "mem": statistics.median(memorias),
            "n": len(tiempos), "salida": salida}


def escala(k, args, bin_dir, trabajo):
    print(f"== K = {k}", flush=True)
    base = os.path.join(trabajo, f"k{k}")
    shutil.rmtree(base, ignore_errors=True)
    seneca, vtemp = os.path.join(base, "seneca"), os.path.join(base, "VTEMP")
    os.makedirs(seneca)
    os.makedirs(vtemp)
    xml = os.path.join(seneca, f"Exportacion{k}.xml")
    niveles = os.path.join(base, "niveles.csv")
    r = subprocess.run([os.path.join(bin_dir, "generar_exportacion"), "--escala", str(k),
                        "--semilla", str(args.semilla), "--niveles", niveles, xml],
                       check=True, capture_output=True, text=True)
    marcos = r.stdout.strip()
    resultado = os.path.join(seneca, f"ResultadoVelmoraExportacion{k}.xml")
    lote = os.path.join(bin_dir, "pasaplan-lote")
    veces = args.repeticiones if k < 20 else min(args.repeticiones, args.repeticiones_grandes)

    fila = {"k": k, "mb_xml": os.path.getsize(xml) / 2**20}
    pasos = [
        ("xmllint", ["xmllint", "--noout", xml]),
        ("import", [lote, "exportar", xml, "--intercambio", vtemp, "--niveles", niveles,
                    "--marcos", marcos]),
        ("horario", [os.path.join(bin_dir, "generar_horario"), vtemp, "--semilla",
                     str(args.semilla)]),
        ("export", [lote, "importar", xml, "--intercambio", vtemp]),
        ("xmllint_doc", ["xmllint", "--noout", resultado]),
    ]
    for nombre, orden in pasos:
        try:
            fila[nombre] = repetir(orden, veces, trabajo)
        except FalloPaso as e:
            print(f"   {nombre}: FALLÓ\n{e}", file=sys.stderr, flush=True)
            fila[nombre] = None
            if nombre in ("import", "horario", "export"):
                break
            continue
        if nombre == "import":  # the printed report, for comparar_salidas.py
            with open(os.path.join(base, "informe.txt"), "w", encoding="utf-8") as f:
                f.write(fila[nombre]["salida"].replace(base, "BASE"))
        print(f"   {nombre:12} {fila[nombre]['t']:8.3f} s {fila[nombre]['mem']:8.1f} MiB"
              f"  ({fila[nombre]['n']} veces)", flush=True)
    h = fila.get("horario")
    m = re.search(r"SOLUC: (\d+)", h["salida"]) if h else None
    fila["soluc"] = int(m.group(1)) if m else None
    if os.path.exists(resultado):
        fila["mb_doc"] = os.path.getsize(resultado) / 2**20
    return fila


def cociente(a, b):
    return a / b if a is not None and b else None


def t(fila, paso):
    v = fila.get(paso)
    return v["t"] if v else None


def mem(fila, paso):
    v = fila.get(paso)
    return v["mem"] if v else None


def fmt(v, formato="{:.3f}"):
    return "–" if v is None else formato.format(v)


def celda(fila, paso):
    v = fila.get(paso)
    return "falló" if v is None else f"{v['t']:.3f} s · {v['mem']:.1f} MiB"


def tablas(filas):
    lineas = [
        "| K | XML de Séneca (MiB) | filas SOLUC | xmllint | importación | generar_horario | "
        "exportación | xmllint del documento |",
        "|---:|---:|---:|---:|---:|---:|---:|---:|",
    ]
    for f in filas:
        lineas.append(
            f"| {f['k']} | {f['mb_xml']:.1f} | {fmt(f.get('soluc'), '{}')} | "
            f"{celda(f, 'xmllint')} | {celda(f, 'import')} | {celda(f, 'horario')} | "
            f"{celda(f, 'export')} | {celda(f, 'xmllint_doc')} |")
    lineas += [
        "",
        "| K | importación / xmllint (tiempo) | importación / xmllint (memoria) | "
        "exportación / (xmllint + xmllint del documento) | "
        "exportación / xmllint del documento (memoria) | crecimiento xmllint | "
        "crecimiento importación | crecimiento exportación |",
        "|---:|---:|---:|---:|---:|---:|---:|---:|",
    ]
    anterior = None
    for f in filas:
        dos_xmllint = (t(f, "xmllint") + t(f, "xmllint_doc")
                       if t(f, "xmllint") and t(f, "xmllint_doc") else None)
        crec = {}
        for paso in ("xmllint", "import", "export"):
            c = cociente(t(f, paso), t(anterior, paso)) if anterior else None
            crec[paso] = "–" if c is None else f"{c:.2f} (datos ×{f['k'] / anterior['k']:g})"
        lineas.append(
            f"| {f['k']} | {fmt(cociente(t(f, 'import'), t(f, 'xmllint')), '{:.2f}')} | "
            f"{fmt(cociente(mem(f, 'import'), mem(f, 'xmllint')), '{:.2f}')} | "
            f"{fmt(cociente(t(f, 'export'), dos_xmllint), '{:.2f}')} | "
            f"{fmt(cociente(mem(f, 'export'), mem(f, 'xmllint_doc')), '{:.2f}')} | "
            f"{crec['xmllint']} | {crec['import']} | {crec['export']} |")
        anterior = f
    return "\n".join(lineas)


def objetivos(filas):
    """The goals, judged on these figures, where the scales measured allow it."""
    por_k = {f["k"]: f for f in filas}
    juicios = []

    def juzgar(texto, valor, limite):
        if valor is None:
            juicios.append(f"- {texto}: sin dato")
        else:
            estado = "cumple" if valor <= limite else "NO cumple"
            juicios.append(f"- {texto}: {valor:.2f} (límite {limite}) — {estado}")

    if 40 in por_k:
        f = por_k[40]
        juzgar("Importación K=40, tiempo / xmllint",
               cociente(t(f, "import"), t(f, "xmllint")), OBJETIVOS["import_xmllint_tiempo"])
        juzgar("Importación K=40, memoria / xmllint",
               cociente(mem(f, "import"), mem(f, "xmllint")), OBJETIVOS["import_xmllint_memoria"])
        dos = (t(f, "xmllint") + t(f, "xmllint_doc")
               if t(f, "xmllint") and t(f, "xmllint_doc") else None)
        juzgar("Exportación K=40, tiempo / (xmllint + xmllint del documento)",
               cociente(t(f, "export"), dos), OBJETIVOS["export_xmllint_tiempo"])
        juzgar("Exportación K=40, memoria / xmllint del documento",
               cociente(mem(f, "export"), mem(f, "xmllint_doc")),
               OBJETIVOS["export_xmllint_memoria"])
    if 10 in por_k and 40 in por_k:
        for paso, nombre in (("import", "Importación"), ("export", "Exportación")):
            juzgar(f"{nombre}, crecimiento de K=10 a K=40",
                   cociente(t(por_k[40], paso), t(por_k[10], paso)),
                   OBJETIVOS["crecimiento_10_40"])
    if 1 in por_k:
        for paso, nombre in (("import", "Importación"), ("export", "Exportación")):
            juzgar(f"{nombre} K=1, segundos", t(por_k[1], paso), OBJETIVOS["escala1_segundos"])
    return "\n".join(juicios)


def leer(ruta, patron):
    try:
        with open(ruta, encoding="utf-8", errors="replace") as f:
            m = re.search(patron, f.read(), re.M)
            return m.group(1).strip() if m else "?"
    except OSError:
        return "?"


def carga():
    try:
        with open("/proc/loadavg") as f:
            return f.read().split()[0]
    except OSError:
        return "?"


def maquina(bin_dir, carga_inicial):
    compilador = subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout
    tipo = leer(os.path.join(os.path.dirname(bin_dir), "CMakeCache.txt"),
                r"^CMAKE_BUILD_TYPE:\w+=(.*)$")
    memoria = leer("/proc/meminfo", r"^MemTotal:\s+(\d+)")
    memoria = f"{int(memoria) / 2**20:.1f} GiB" if memoria.isdigit() else "?"
    procesador = leer("/proc/cpuinfo", r"^model name\s*:(.*)$")
    sistema = leer("/etc/os-release", r"^PRETTY_NAME=(.*)$").strip('"')
    compilador = compilador.splitlines()[0] if compilador else "?"
    xmllint = subprocess.run(["xmllint", "--version"], capture_output=True, text=True).stderr
    xmllint = xmllint.splitlines()[0] if xmllint else "?"
    return [
        f"- Procesador: {procesador}, {os.cpu_count()} núcleos lógicos; memoria {memoria}",
        f"- Sistema: {sistema}, Linux {platform.release()}",
        f"- Compilador: {compilador}; compilación {tipo}",
        f"- {xmllint}",
        f"- Carga media del sistema (1 min): {carga_inicial} al empezar, {carga()} al acabar "
        f"(otros procesos en la máquina alargan los tiempos)",
    ]


def version_git():
    r = subprocess.run(["git", "-C", RAIZ, "rev-parse", "--short", "HEAD"], capture_output=True,
                       text=True)
    sucio = subprocess.run(["git", "-C", RAIZ, "status", "--porcelain", "--untracked-files=no"],
                           capture_output=True, text=True).stdout.strip()
    return r.stdout.strip() + (" (con cambios sin confirmar)" if sucio else "")


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--escalas", default="1,10,40", help="escalas separadas por comas (1,10,40)")
    p.add_argument("--repeticiones", type=int, default=5, help="ejecuciones de cada paso (5)")
    p.add_argument("--repeticiones-grandes", type=int, default=3,
                   help="ejecuciones de cada paso con K >= 20 (3)")
    p.add_argument("--semilla", type=int, default=1)
    p.add_argument("--bin", help="carpeta de los ejecutables; sin ella se compila en Release "
                                 "en build-medida")
    p.add_argument("--trabajo", help="carpeta de trabajo (temporal si no se indica)")
    p.add_argument("--conservar", action="store_true", help="no borrar la carpeta de trabajo")
    p.add_argument("--resultados", nargs="?", const=os.path.join(RAIZ, "bench", "RESULTADOS.md"),
                   help="escribir la tabla en Markdown (bench/RESULTADOS.md si no se da ruta)")
    args = p.parse_args()
    try:
        escalas = [int(e) for e in args.escalas.split(",") if e.strip()]
    except ValueError:
        p.error("--escalas: números separados por comas")
    if not escalas or min(escalas) < 1 or args.repeticiones < 1 or args.repeticiones_grandes < 1:
        p.error("escalas y repeticiones deben ser al menos 1")
    for herramienta in ("xmllint", "/usr/bin/time"):
        if not shutil.which(herramienta):
            sys.exit(f"Falta {herramienta} (paquetes libxml2-utils y time).")

    bin_dir = os.path.abspath(args.bin) if args.bin else construir(
        os.path.join(RAIZ, "build-medida"))
    carga_inicial = carga()
    trabajo = args.trabajo or tempfile.mkdtemp(prefix="pasaplan-medir-")
    os.makedirs(trabajo, exist_ok=True)
    try:
        filas = [escala(k, args, bin_dir, trabajo) for k in escalas]
    finally:
        if not args.conservar and not args.trabajo:
            shutil.rmtree(trabajo, ignore_errors=True)

    orden = "/usr/bin/python3 bench/medir.py " + " ".join(sys.argv[1:])
    texto = tablas(filas)
    juicio = objetivos(filas)
    print()
    print(texto)
    print()
    print(juicio)
    if args.resultados:
        # Before the file is opened: writing it would make the tree look changed.
        version = version_git()
        with open(args.resultados, "w", encoding="utf-8") as f:
            f.write("# Rendimiento: exportaciones sintéticas a escala K\n\n")
            f.write(f"Medido el {datetime.datetime.now():%d/%m/%Y %H:%M} sobre la versión "
                    f"{version}, con:\n\n    {orden.strip()}\n\n")
            f.write("\n".join(maquina(bin_dir, carga_inicial)) + "\n\n")
            f.write("Mediana del tiempo real y de la memoria máxima (RSS) de cada paso; la "
                    "escala K son K centros de unos 120 profesores, 50 unidades y 1.200 "
                    "materias cada uno.\n\n")
            f.write(texto + "\n\n## Objetivos\n\n" + juicio + "\n")
        print(f"\nResultados en {args.resultados}")
    fallos = any(f.get(p) is None for f in filas for p in ("import", "export"))
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
