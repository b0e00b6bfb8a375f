#!/usr/bin/python3
"""The Windows build writes what the Linux build writes.

    comparar_windows.py LINUX_BIN WINDOWS_BIN SAMPLES_DIR

Runs both directions with both builds (the Windows one under Wine) on the sample export and on
a generated school at scale 1, and compares byte for byte: every table except its date of last
update, the document for Séneca except its `fecha` attribute, and the report CSV. The timetable
of the second direction comes from the Linux generator, the same for both.
"""
import os
import shutil
import subprocess
import sys
import tempfile

from apoyo import comparar_carpeta, documento, tabla
from wine import WINE64, ruta_windows


def crudo(ruta):
    with open(ruta, "rb") as f:
        return f.read()


def ejecutar(orden):
    r = subprocess.run(orden, capture_output=True, stdin=subprocess.DEVNULL)
    if r.returncode != 0:
        raise SystemExit(f"{' '.join(orden)} terminó con {r.returncode}:\n"
                         f"{r.stdout.decode(errors='replace')}{r.stderr.decode(errors='replace')}")


def correr(sistema, lote, base, xml, niveles, marcos, horario):
    """Both directions in base/<sistema>; returns that folder."""
    raiz = os.path.join(base, sistema)
    seneca, vtemp = os.path.join(raiz, "seneca"), os.path.join(raiz, "VTEMP")
    os.makedirs(seneca)
    os.makedirs(vtemp)
    propio = os.path.join(seneca, os.path.basename(xml))
    shutil.copy(xml, propio)
    informe = os.path.join(raiz, "informe.csv")
    if sistema == "windows":
        ruta, orden = ruta_windows, [WINE64, lote]
    else:
        ruta, orden = (lambda r: r), [lote]
    ejecutar(orden + ["exportar", ruta(propio), "--intercambio", ruta(vtemp), "--niveles",
                      ruta(niveles), "--marcos", marcos, "--informe", ruta(informe)])
    ejecutar(horario + [vtemp, "--semilla", "7"])
    ejecutar(orden + ["importar", ruta(propio), "--intercambio", ruta(vtemp)])
    return raiz


def comparar(linux, windows):
    diferencias, comparados = [], 0
    for sub, leer, filtro in (("VTEMP", tabla, r"(?i).*\.dbf"),
                              ("seneca", documento, r"ResultadoVelmora.*\.xml"),
                              (".", crudo, r"informe\.csv")):
        n, d = comparar_carpeta(os.path.join(linux, sub), os.path.join(windows, sub), filtro,
                                leer, sub)
        comparados += n
        diferencias += d
    return comparados, diferencias


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    linux_bin, windows_bin, muestras = sys.argv[1:]
    lote_linux = os.path.join(linux_bin, "pasaplan-lote")
    lote_windows = os.path.join(windows_bin, "pasaplan-lote.exe")
    horario = [os.path.join(linux_bin, "generar_horario")]
    fallos = 0
    with tempfile.TemporaryDirectory(prefix="pasaplan-windows-linux-") as trabajo:
        k1 = os.path.join(trabajo, "generada")
        os.makedirs(k1)
        xml_k1 = os.path.join(k1, "Exportacion1.xml")
        niveles_k1 = os.path.join(k1, "niveles.csv")
        r = subprocess.run([os.path.join(linux_bin, "generar_exportacion"), "--escala", "1",
                            "--semilla", "7", "--niveles", niveles_k1, xml_k1],
                           check=True, capture_output=True, text=True)
        datos = [
            ("muestra", os.path.join(muestras, "ExportacionHorarios.xml"),
             os.path.join(muestras, "niveles.csv"), "2417"),
            ("k1", xml_k1, niveles_k1, r.stdout.strip()),
        ]
        for nombre, xml, niveles, marcos in datos:
            base = os.path.join(trabajo, nombre)
            linux = correr("linux", lote_linux, base, xml, niveles, marcos, horario)
            windows = correr("windows", lote_windows, base, xml, niveles, marcos, horario)
            comparados, diferencias = comparar(linux, windows)
            for d in diferencias:
                print(f"{nombre}: {d}")
            print(f"{nombre}: {comparados} archivos comparados, "
                  f"{'iguales' if not diferencias else f'{len(diferencias)} diferencias'}")
            fallos += len(diferencias)
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
