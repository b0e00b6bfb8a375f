"""pasaplan.exe embedded in the Windows stand-in host, under Wine on a private X server.

The host (plain Win32) starts "pasaplan.exe exportar HANDLE" and reports what it sees: under Wine
the tool's main window must be a window the host's owns, over its client area, following it when
it moves. xdotool answers the dialogs, which are top-level windows; the host must read
Transformado=1 from Velmora.ini, and the tables must be written.

With PASAPLAN_CAPTURAS=DIR the screens (the main window over the host, the course levels dialog)
are saved there as PNG.

Usage: /usr/bin/python3 test_anfitrion_windows_wine.py BIN_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from apoyo import MUESTRA, NIVELES
from escritorio import Escritorio, Fallo, comprobar_tablas, solo_cursost2
from wine import Wine, faltan_programas, ruta_windows

BIN_DIR = None

PLAZO_TOTAL = 90  # seconds for the desktop run, once Wine's prefix is made
# The course dialog's grid keeps Return for itself, so its OK button is clicked, here.
OK_CURSOS = (446, 412)
ZONA = "780x520+50+10"  # the part of the screen that the host and the dialogs take
PROGRAMAS = ("pasaplan.exe", "pasaplan-lote.exe", "anfitrion-windows.exe", "SENEMATERIAS.DBF")


class AnfitrionWindows(unittest.TestCase):
    def setUp(self):
        faltan = faltan_programas(con_x=True)
        self.assertEqual(faltan, [], "faltan programas (scripts/install-deps)")
        self.dir = tempfile.TemporaryDirectory(prefix="pasaplan-wine-anfitrion-")
        raiz = self.dir.name
        # Velmora's folder: the tool, its files and Velmora.ini side by side.
        self.velmora = os.path.join(raiz, "Velmora")
        os.mkdir(self.velmora)
        for nombre in PROGRAMAS + tuple(n for n in os.listdir(BIN_DIR) if n.endswith(".dll")):
            shutil.copy2(os.path.join(BIN_DIR, nombre), self.velmora)
        for carpeta in ("platforms", "styles"):
            shutil.copytree(os.path.join(BIN_DIR, carpeta), os.path.join(self.velmora, carpeta))
        self.wine = None
        self.anfitrion = None
        self.capturas = os.environ.get("PASAPLAN_CAPTURAS")

    def tearDown(self):
        if self.anfitrion and self.anfitrion.poll() is None:
            os.killpg(self.anfitrion.pid, 9)
            self.anfitrion.wait()
        if self.wine:
            self.wine.close()
        self.dir.cleanup()

    def preparar(self):
        self.wine = Wine(self.dir.name, con_x=True)
        self.vtemp = os.path.join(self.wine.drive_c(), "vtemp")
        seneca = os.path.join(self.vtemp, "seneca")
        os.makedirs(seneca)
        shutil.copy2(MUESTRA, seneca)
        r = self.wine.ejecutar([os.path.join(self.velmora, "pasaplan-lote.exe"), "exportar",
                                "C:\\vtemp\\seneca\\ExportacionHorarios.xml", "--niveles",
                                ruta_windows(NIVELES), "--marcos", "2417"], timeout=60)
        self.assertEqual(r.returncode, 0, r.stderr)
        solo_cursost2(self.vtemp)

    def test_importacion_incrustada_en_el_anfitrion_windows(self):
        self.preparar()
        escritorio = Escritorio(self.wine.entorno, time.monotonic() + PLAZO_TOTAL, pausa=0.2)
        self.informe = os.path.join(self.dir.name, "anfitrion.txt")
        try:
            self.ejecutar(escritorio)
        except Exception as e:
            captura = escritorio.captura(os.path.join(tempfile.gettempdir(),
                                                      "anfitrion-wine-%d.png" % os.getpid()))
            self.fail("%s\ncaptura: %s\nanfitrión:\n%s" % (e, captura, self.leer_informe()))

    def leer_informe(self):
        try:
            with open(self.informe, encoding="utf-8", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def esperar_linea(self, escritorio, clave):
        while True:
            for linea in self.leer_informe().splitlines():
                if linea.startswith(clave + "="):
                    return linea.split("=", 1)[1].strip()
            if self.anfitrion.poll() is not None and clave + "=" not in self.leer_informe():
                raise Fallo("el anfitrión terminó sin decir %s" % clave)
            escritorio.restante()
            time.sleep(0.2)

    def ejecutar(self, escritorio):
        with open(self.informe, "w") as salida:
            self.anfitrion = self.wine.arrancar(
                [os.path.join(self.velmora, "anfitrion-windows.exe"), "--mover", "--plazo",
                 str(int(escritorio.restante()))], cwd=self.velmora, stdout=salida,
                stderr=subprocess.STDOUT)
        escritorio.apartar_puntero()

        dialogo = escritorio.esperar("^Archivo XML$")
        # The host saw the tool's main window as a window it owns, over its client area, and
        # still there after it moved itself.
        self.assertEqual(self.esperar_linea(escritorio, "relacion"), "propia")
        self.assertEqual(self.esperar_linea(escritorio, "posicion"), "0,0")
        self.assertEqual(self.esperar_linea(escritorio, "sigue"), "si")

        # Wine's own file dialog: the file name has the focus once X's focus is on it (a
        # click would move it).
        escritorio.enfocar(dialogo)
        escritorio.elegir_archivo(dialogo, "ExportacionHorarios.xml", 3)

        pregunta = escritorio.esperar("^Recuperación de Niveles y Cursos", "(CURSOST2)")
        self.capturar(escritorio, "wine-principal.png")
        escritorio.activar(pregunta)
        # OK: recover the earlier codifications.
        escritorio.cerrar(pregunta, "la pregunta de recuperación", "Return")

        cursos = escritorio.esperar("^Asignación de Niveles y Cursos$")
        self.capturar(escritorio, "wine-cursos.png")
        escritorio.pulsar(cursos, *OK_CURSOS)
        if not escritorio.esperar_cierre(cursos, 5):
            raise Fallo("el diálogo de cursos no se cerró con OK")

        marcos = escritorio.esperar("^Planillas, Marcos o Jornadas Horarias$")
        escritorio.activar(marcos)
        # The frame list keeps the focus: Down then Home leaves the first frame, and only it,
        # selected; Return is Continuar.
        escritorio.xdo("key", "Down", "Home")
        time.sleep(0.2)
        escritorio.cerrar(marcos, "el diálogo de marcos", "Return")

        mensaje = escritorio.esperar("^Pasaplan$", "(Proceso finalizado)")
        escritorio.activar(mensaje)
        escritorio.xdo("key", "Return")

        self.assertEqual(self.esperar_linea(escritorio, "Transformado"), "1")
        self.assertEqual(self.esperar_linea(escritorio, "salida"), "0")
        self.assertEqual(self.anfitrion.wait(timeout=escritorio.restante()), 0)

        comprobar_tablas(self, self.vtemp)

    def capturar(self, escritorio, nombre):
        if self.capturas:
            time.sleep(0.5)
            escritorio.captura(os.path.join(self.capturas, nombre), ZONA)


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
