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

import dbfread

from wine import Fallo, Wine, faltan_programas, ruta_windows

BIN_DIR = None
RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MUESTRA = os.path.join(RAIZ, "samples", "ExportacionHorarios.xml")
NIVELES = os.path.join(RAIZ, "samples", "niveles.csv")

PLAZO_TOTAL = 90  # seconds for the desktop run, once Wine's prefix is made
# The course dialog's grid keeps Return for itself, so its OK button is clicked, here.
OK_CURSOS = (446, 412)
ZONA = "780x520+50+10"  # the part of the screen that the host and the dialogs take
TABLAS = ("PERIODOS", "CURSOST", "ASIGNOMT", "ASIGNOMT2", "PROFT", "AULAT", "GRUPOST", "ASIGT",
          "DIASHORAST")
PROGRAMAS = ("pasaplan.exe", "pasaplan-lote.exe", "anfitrion-windows.exe", "SENEMATERIAS.DBF")


class Escritorio:
    """xdotool on the test's display, every call bounded by the run's deadline."""

    def __init__(self, entorno, hasta):
        self.entorno = entorno
        self.hasta = hasta

    def restante(self):
        resto = self.hasta - time.monotonic()
        if resto <= 0:
            raise Fallo("tiempo agotado")
        return resto

    def orden(self, *argumentos):
        r = subprocess.run(list(argumentos), env=self.entorno, capture_output=True, text=True,
                           timeout=min(10, self.restante()))
        return r.returncode, r.stdout

    def xdo(self, *argumentos):
        codigo, salida = self.orden("xdotool", *argumentos)
        if codigo != 0:
            raise Fallo("xdotool %s falló" % " ".join(argumentos))
        return salida

    def esperar(self, titulo, que=""):
        while True:
            _, salida = self.orden("xdotool", "search", "--onlyvisible", "--name", titulo)
            ventanas = salida.split()
            if ventanas:
                return ventanas[-1]
            if self.hasta - time.monotonic() <= 0:
                raise Fallo("no apareció la ventana %s %s" % (titulo, que))
            time.sleep(0.2)

    def abierta(self, ventana):
        codigo, salida = self.orden("xwininfo", "-id", ventana)
        return codigo == 0 and "IsViewable" in salida

    def esperar_cierre(self, ventana, segundos):
        fin = min(self.hasta, time.monotonic() + segundos)
        while time.monotonic() < fin:
            if not self.abierta(ventana):
                return True
            time.sleep(0.2)
        return not self.abierta(ventana)

    def activar(self, ventana, x=8, y=8):
        # No window manager: Wine activates the window that is clicked, and X's keyboard focus
        # is set by hand.
        self.xdo("mousemove", "--window", ventana, str(x), str(y), "click", "1")
        self.xdo("windowfocus", "--sync", ventana)
        self.xdo("mousemove", "1020", "760")
        time.sleep(0.3)

    def captura(self, ruta, zona=None):
        if not shutil.which("import"):  # ImageMagick
            return None
        self.orden("import", "-window", "root", *(["-crop", zona] if zona else []), ruta)
        return ruta


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
        # An earlier import leaves CURSOST2 complete, so the course dialog is answered by its
        # recovery question; every other table goes, so that this run is seen writing them.
        r = self.wine.ejecutar([os.path.join(self.velmora, "pasaplan-lote.exe"), "exportar",
                                "C:\\vtemp\\seneca\\ExportacionHorarios.xml", "--niveles",
                                ruta_windows(NIVELES), "--marcos", "2417"], timeout=60)
        self.assertEqual(r.returncode, 0, r.stderr)
        for nombre in os.listdir(self.vtemp):
            if nombre.upper().endswith(".DBF") and nombre.upper() != "CURSOST2.DBF":
                os.remove(os.path.join(self.vtemp, nombre))

    def test_importacion_incrustada_en_el_anfitrion_windows(self):
        self.preparar()
        escritorio = Escritorio(self.wine.entorno, time.monotonic() + PLAZO_TOTAL)
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
        escritorio.xdo("mousemove", "1020", "760")

        dialogo = escritorio.esperar("^Archivo XML$")
        # The host saw the tool's main window as a window it owns, over its client area, and
        # still there after it moved itself.
        self.assertEqual(self.esperar_linea(escritorio, "relacion"), "propia")
        self.assertEqual(self.esperar_linea(escritorio, "posicion"), "0,0")
        self.assertEqual(self.esperar_linea(escritorio, "sigue"), "si")

        # Wine's own file dialog: the file name has the focus once X's focus is on it (a
        # click would move it).
        escritorio.xdo("windowfocus", "--sync", dialogo)
        time.sleep(0.3)
        escritorio.xdo("type", "--delay", "20", "ExportacionHorarios.xml")
        # The name's completion list may take the first Return for itself.
        for _ in range(3):
            escritorio.xdo("key", "Return")
            if escritorio.esperar_cierre(dialogo, 3):
                break
        else:
            raise Fallo("el diálogo de archivos no se cerró")

        pregunta = escritorio.esperar("^Recuperación de Niveles y Cursos", "(CURSOST2)")
        if self.capturas:
            time.sleep(0.5)
            escritorio.captura(os.path.join(self.capturas, "wine-principal.png"), ZONA)
        escritorio.activar(pregunta)
        escritorio.xdo("key", "Return")  # OK: recover the earlier codifications
        if not escritorio.esperar_cierre(pregunta, 5):
            raise Fallo("la pregunta de recuperación no se cerró")

        cursos = escritorio.esperar("^Asignación de Niveles y Cursos$")
        if self.capturas:
            time.sleep(0.5)
            escritorio.captura(os.path.join(self.capturas, "wine-cursos.png"), ZONA)
        escritorio.xdo("mousemove", "--window", cursos, str(OK_CURSOS[0]), str(OK_CURSOS[1]),
                       "click", "1")
        escritorio.xdo("mousemove", "1020", "760")
        if not escritorio.esperar_cierre(cursos, 5):
            raise Fallo("el diálogo de cursos no se cerró con OK")

        marcos = escritorio.esperar("^Planillas, Marcos o Jornadas Horarias$")
        escritorio.activar(marcos)
        # The frame list keeps the focus: Down then Home leaves the first frame, and only it,
        # selected; Return is Continuar.
        escritorio.xdo("key", "Down", "Home")
        time.sleep(0.2)
        escritorio.xdo("key", "Return")
        if not escritorio.esperar_cierre(marcos, 5):
            raise Fallo("el diálogo de marcos no se cerró")

        mensaje = escritorio.esperar("^Pasaplan$", "(Proceso finalizado)")
        escritorio.activar(mensaje)
        escritorio.xdo("key", "Return")

        self.assertEqual(self.esperar_linea(escritorio, "Transformado"), "1")
        self.assertEqual(self.esperar_linea(escritorio, "salida"), "0")
        self.assertEqual(self.anfitrion.wait(timeout=escritorio.restante()), 0)

        for tabla in TABLAS:
            self.assertTrue(os.path.exists(os.path.join(self.vtemp, tabla + ".DBF")), tabla)
        periodos = list(dbfread.DBF(os.path.join(self.vtemp, "PERIODOS.DBF")))
        self.assertEqual(len(periodos), 1)
        grupos = {r["ABREV"] for r in dbfread.DBF(os.path.join(self.vtemp, "GRUPOST.DBF"))}
        self.assertIn("ESO1A", grupos)


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
