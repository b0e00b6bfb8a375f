"""The desktop program embedded in a host window, end to end on a real X server (Xvfb).

The stand-in host starts pasaplan with "exportar" and its window id; xdotool answers the dialogs
as a person would. The main window must sit inside the host's window, and the host must read
Transformado=1 from Velmora.ini once the import has finished.

Usage: /usr/bin/python3 test_anfitrion_xvfb.py BIN_DIR
"""
import os
import queue
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import dbfread

BIN_DIR = None
RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MUESTRA = os.path.join(RAIZ, "samples", "ExportacionHorarios.xml")
NIVELES = os.path.join(RAIZ, "samples", "niveles.csv")

PLAZO_TOTAL = 60  # seconds for the whole desktop run
TITULO_PRINCIPAL = "Exportar e importar datos entre Velmora y S"
# The course dialog's grid keeps Return for itself (Enter moves to the next cell), so its OK
# button is clicked: it heads the right column's bottom row, at this point of the dialog.
OK_CURSOS = (446, 403)
TABLAS = ("PERIODOS", "CURSOST", "ASIGNOMT", "ASIGNOMT2", "PROFT", "AULAT", "GRUPOST", "ASIGT",
          "DIASHORAST")


class Fallo(Exception):
    pass


def iniciar_xvfb():
    """Starts Xvfb on a display it picks itself; returns (process, display)."""
    lectura, escritura = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(escritura), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(escritura,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(escritura)
    numero = b""
    try:
        hasta = time.monotonic() + 15
        while not numero.endswith(b"\n"):
            resto = hasta - time.monotonic()
            if resto <= 0 or not select.select([lectura], [], [], resto)[0]:
                break
            trozo = os.read(lectura, 16)
            if not trozo:
                break
            numero += trozo
    finally:
        os.close(lectura)
    if not numero.strip().isdigit():
        xvfb.kill()
        xvfb.wait()
        raise Fallo("Xvfb no dio número de pantalla")
    return xvfb, ":" + numero.strip().decode()


class Escritorio:
    """xdotool and xwininfo on one display, every call bounded by the run's deadline."""

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

    def visibles(self, titulo):
        """Ids of the mapped windows whose caption matches the regular expression."""
        _, salida = self.orden("xdotool", "search", "--onlyvisible", "--name", titulo)
        return [int(x) for x in salida.split()]

    def esperar(self, titulo, que=""):
        while True:
            ventanas = self.visibles(titulo)
            if ventanas:
                return ventanas[-1]
            if self.hasta - time.monotonic() <= 0:
                raise Fallo("no apareció la ventana %s %s" % (titulo, que))
            time.sleep(0.1)

    def abierta(self, ventana):
        codigo, salida = self.orden("xwininfo", "-id", str(ventana))
        return codigo == 0 and "IsViewable" in salida

    def esperar_cierre(self, ventana, segundos):
        fin = min(self.hasta, time.monotonic() + segundos)
        while time.monotonic() < fin:
            if not self.abierta(ventana):
                return True
            time.sleep(0.1)
        return not self.abierta(ventana)

    def enfocar(self, ventana):
        # No window manager: keyboard focus is set by hand, and Qt activates the window on it.
        self.xdo("windowfocus", "--sync", str(ventana))
        time.sleep(0.3)

    def arbol(self, ventana):
        _, salida = self.orden("xwininfo", "-tree", "-id", ventana)
        return salida

    def captura(self):
        ruta = os.path.join(tempfile.gettempdir(), "anfitrion-xvfb-%d.png" % os.getpid())
        if shutil.which("import"):
            self.orden("import", "-window", "root", ruta)
            return ruta
        return None


def ids_con_titulo(arbol, titulo):
    return [int(m.group(1), 16) for m in
            re.finditer(r"^\s*(0x[0-9a-f]+) \"%s" % re.escape(titulo), arbol, re.M)]


class AnfitrionConPasaplan(unittest.TestCase):
    def setUp(self):
        for programa in ("Xvfb", "xdotool", "xwininfo"):
            self.assertIsNotNone(shutil.which(programa), programa + " falta (scripts/install-deps)")
        self.dir = tempfile.TemporaryDirectory(prefix="pasaplan-anfitrion-")
        raiz = self.dir.name
        # Velmora.ini is written beside the binary: this test's own copy.
        self.bin = os.path.join(raiz, "bin")
        os.mkdir(self.bin)
        for nombre in ("pasaplan", "anfitrion", "SENEMATERIAS.DBF"):
            shutil.copy2(os.path.join(BIN_DIR, nombre), self.bin)
        self.vtemp = os.path.join(raiz, "wine", "drive_c", "vtemp")
        seneca = os.path.join(self.vtemp, "seneca")
        os.makedirs(seneca)
        self.xml = os.path.join(seneca, "ExportacionHorarios.xml")
        shutil.copy2(MUESTRA, self.xml)
        # An earlier import leaves CURSOST2 complete, so the course dialog is answered by its
        # recovery question; every other table goes, so that this run is seen writing them.
        subprocess.run([os.path.join(BIN_DIR, "pasaplan-lote"), "exportar", self.xml,
                        "--niveles", NIVELES, "--marcos", "2417", "--intercambio", self.vtemp],
                       check=True, stdout=subprocess.DEVNULL, timeout=60)
        for nombre in os.listdir(self.vtemp):
            if nombre.upper().endswith(".DBF") and nombre.upper() != "CURSOST2.DBF":
                os.remove(os.path.join(self.vtemp, nombre))
        ejecucion = os.path.join(raiz, "run")
        os.mkdir(ejecucion, 0o700)
        self.entorno = dict(os.environ, WINEPREFIX=os.path.join(raiz, "wine"),
                            QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=ejecucion, LC_ALL="C.UTF-8")
        self.errores = open(os.path.join(raiz, "anfitrion.err"), "w+")
        self.xvfb = None
        self.anfitrion = None

    def tearDown(self):
        if self.anfitrion and self.anfitrion.poll() is None:
            os.killpg(self.anfitrion.pid, signal.SIGKILL)
            self.anfitrion.wait()
        if self.anfitrion:
            self.anfitrion.stdout.close()
        self.errores.close()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        self.dir.cleanup()

    def test_importacion_incrustada_devuelve_1(self):
        self.xvfb, pantalla = iniciar_xvfb()
        self.entorno["DISPLAY"] = pantalla
        escritorio = Escritorio(self.entorno, time.monotonic() + PLAZO_TOTAL)
        try:
            self.ejecutar(escritorio)
        except Exception as e:
            captura = escritorio.captura()
            if self.anfitrion and self.anfitrion.poll() is None:
                os.killpg(self.anfitrion.pid, signal.SIGKILL)
            if self.anfitrion:
                self.anfitrion.wait()
            self.errores.seek(0)
            errores = self.errores.read()
            self.fail("%s\ncaptura: %s\nstderr:\n%s" % (e, captura, errores))

    def ejecutar(self, escritorio):
        self.anfitrion = subprocess.Popen(
            [os.path.join(self.bin, "anfitrion"), os.path.join(self.bin, "pasaplan"), "exportar"],
            env=self.entorno, stdout=subprocess.PIPE, stderr=self.errores, text=True,
            start_new_session=True)
        lineas = queue.Queue()
        threading.Thread(target=lambda: [lineas.put(l.rstrip("\n")) for l in
                                         self.anfitrion.stdout], daemon=True).start()
        identificador = lineas.get(timeout=escritorio.restante())
        self.assertRegex(identificador, r"^[0-9a-f]+$")
        # The pointer away from every window: keys go only where the focus is set.
        escritorio.xdo("mousemove", "1020", "760")

        dialogo = escritorio.esperar("^Archivo XML$")
        # While the run asks for the file, the main window lies inside the host's window and
        # is no top-level window of its own.
        principales = ids_con_titulo(escritorio.arbol("0x" + identificador), TITULO_PRINCIPAL)
        self.assertEqual(len(principales), 1, "ventana principal dentro del anfitrión")
        arriba = ids_con_titulo(escritorio.orden("xwininfo", "-root", "-children")[1],
                                TITULO_PRINCIPAL)
        self.assertEqual(arriba, [], "la ventana principal no es de primer nivel")

        escritorio.enfocar(dialogo)
        escritorio.xdo("type", "--delay", "20", "ExportacionHorarios.xml")
        # The name's completion list may take the first Return for itself.
        for _ in range(3):
            escritorio.xdo("key", "Return")
            if escritorio.esperar_cierre(dialogo, 2):
                break
        else:
            raise Fallo("el diálogo de archivos no se cerró")

        pregunta = escritorio.esperar("^Recuperación de Niveles y Cursos", "(CURSOST2)")
        escritorio.enfocar(pregunta)
        escritorio.xdo("key", "Return")  # OK: recover the earlier codifications
        if not escritorio.esperar_cierre(pregunta, 5):
            raise Fallo("la pregunta de recuperación no se cerró")

        cursos = escritorio.esperar("^Asignación de Niveles y Cursos$")
        escritorio.enfocar(cursos)
        escritorio.xdo("mousemove", "--window", str(cursos), str(OK_CURSOS[0]),
                       str(OK_CURSOS[1]), "click", "1")
        escritorio.xdo("mousemove", "1020", "760")
        if not escritorio.esperar_cierre(cursos, 5):
            raise Fallo("el diálogo de cursos no se cerró con OK")

        marcos = escritorio.esperar("^Planillas, Marcos o Jornadas Horarias$")
        escritorio.enfocar(marcos)
        # The frame list has the focus: Down then Home leaves the first frame, and only it,
        # selected whether or not a current row was set; Return is Continuar.
        escritorio.xdo("key", "Down", "Home")
        time.sleep(0.2)
        escritorio.xdo("key", "Return")
        if not escritorio.esperar_cierre(marcos, 5):
            raise Fallo("el diálogo de marcos no se cerró")

        mensaje = escritorio.esperar("^Pasaplan$", "(Proceso finalizado)")
        escritorio.enfocar(mensaje)
        escritorio.xdo("key", "Return")

        salida = []
        while not (salida and salida[-1].startswith("Transformado=")):
            salida.append(lineas.get(timeout=escritorio.restante()))
        self.assertEqual(salida[-1], "Transformado=1")
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
