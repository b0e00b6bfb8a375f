#!/usr/bin/python3
"""Are two benchmark runs' outputs the same? For checking that a speed-up changes no result.

    /usr/bin/python3 bench/medir.py --escalas 1,10 --repeticiones 1 --trabajo /tmp/antes
    ... change the code, rebuild ...
    /usr/bin/python3 bench/medir.py --escalas 1,10 --repeticiones 1 --trabajo /tmp/despues
    /usr/bin/python3 bench/comparar_salidas.py /tmp/antes /tmp/despues

Compares, for every scale folder kK present in both, each table of VTEMP byte for byte except
the date of last update in the header (bytes 1 to 3), and the document written for Séneca
except its `fecha` attribute, and the import's printed report (informe.txt). Exit status 0 when everything matches, 1 otherwise.
Python standard library only.
"""
import os
import re
import sys


def tabla(ruta):
    with open(ruta, "rb") as f:
        datos = bytearray(f.read())
    datos[1:4] = b"\0\0\0"
    return bytes(datos)


def documento(ruta):
    with open(ruta, "rb") as f:
        return re.sub(rb'fecha="[^"]*"', b'fecha=""', f.read(), count=1)


def comparar_carpeta(a_dir, d_dir, filtro, leer, etiqueta):
    """The files named as filtro in both folders, read with leer: how many were compared, and
    what differs (a name in only one folder, or different contents)."""
    diferencias, comparados = [], 0
    nombres = {n for n in os.listdir(a_dir) if re.fullmatch(filtro, n)}
    otros = {n for n in os.listdir(d_dir) if re.fullmatch(filtro, n)}
    if not nombres:
        diferencias.append(f"{etiqueta}: ningún archivo {filtro}")
    for n in sorted(nombres ^ otros):
        diferencias.append(f"{etiqueta}/{n}: solo en una de las dos carpetas")
    for n in sorted(nombres & otros):
        comparados += 1
        if leer(os.path.join(a_dir, n)) != leer(os.path.join(d_dir, n)):
            diferencias.append(f"{etiqueta}/{n}: distinto")
    return comparados, diferencias


def comparar(antes, despues):
    diferencias, comparados = [], 0
    escalas = sorted(e for e in os.listdir(antes)
                     if re.fullmatch(r"k\d+", e) and os.path.isdir(os.path.join(despues, e)))
    for escala in escalas:
        for sub, leer, filtro in (("VTEMP", tabla, r"(?i).*\.dbf"),
                                  ("seneca", documento, r"ResultadoVelmora.*\.xml")):
            n, d = comparar_carpeta(os.path.join(antes, escala, sub),
                                    os.path.join(despues, escala, sub), filtro, leer,
                                    f"{escala}/{sub}")
            comparados += n
            diferencias += d
        a_inf, d_inf = (os.path.join(c, escala, "informe.txt") for c in (antes, despues))
        if os.path.exists(a_inf) and os.path.exists(d_inf):
            comparados += 1
            with open(a_inf, "rb") as a, open(d_inf, "rb") as d:
                if a.read() != d.read():
                    diferencias.append(f"{escala}/informe.txt: distinto")
    return escalas, comparados, diferencias


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    escalas, comparados, diferencias = comparar(sys.argv[1], sys.argv[2])
    if not escalas:
        sys.exit("No hay carpetas kK comunes a las dos.")
    for d in diferencias:
        print(d)
    print(f"{comparados} ficheros comparados en {', '.join(escalas)}: "
          f"{'iguales' if not diferencias else f'{len(diferencias)} diferencias'}")
    return 1 if diferencias else 0


if __name__ == "__main__":
    sys.exit(main())
