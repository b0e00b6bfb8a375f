"""What the Python tests share: the sample export and its levels, running the build's programs,
the project's version, and outputs read as the benchmark compares them."""
import os
import re
import subprocess
import sys

RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MUESTRA = os.path.join(RAIZ, "samples", "ExportacionHorarios.xml")
NIVELES = os.path.join(RAIZ, "samples", "niveles.csv")

sys.path.append(os.path.join(RAIZ, "bench"))
import comparar_salidas  # noqa: E402

# A table without its date of last update; the document for Séneca without its `fecha`.
tabla = comparar_salidas.tabla
documento = comparar_salidas.documento
comparar_carpeta = comparar_salidas.comparar_carpeta


def ejecutar(*args):
    """Runs a program and returns its output; an assertion failure with its errors when it fails."""
    r = subprocess.run(list(args), capture_output=True, text=True, timeout=120)
    if r.returncode != 0:
        raise AssertionError(f"{args[0]} terminó con {r.returncode}: {r.stderr}")
    return r.stdout


def version_del_proyecto(build):
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
        return re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.*)$", f.read(), re.M).group(1)
