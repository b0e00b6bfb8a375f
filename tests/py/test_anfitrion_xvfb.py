"""The desktop program embedded in a host window, end to end on a real X server (Xvfb).

The stand-in host starts pasaplan with "exportar" and its window id; xdotool answers the dialogs
as a person would. The main window must sit inside the host's window, and the host must read
Transformado=1 from Velmora.ini once the import has finished.

Usage: /usr/bin/python3 test_anfitrion_xvfb.py BIN_DIR
"""
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from apoyo import MUESTRA, NIVELES
from escritorio import (PROGRAMAS_X, Escritorio, Fallo, comprobar_tablas, iniciar_xvfb,
                        parar_xvfb, solo_cursost2)

BIN_DIR = None

PLAZO_TOTAL = 60  # seconds for the whole desktop run
TITULO_PRINCIPAL = "Exportar e importar datos entre Velmora y S"
# The course dialog's grid keeps Return for itself (Enter moves to the next cell), so its OK
# button is clicked: it heads the right column's bottom row, at this point of the dialog.
OK_CURSOS = (446, 403)


def ids_con_titulo(arbol, titulo):
    return [int(m.group(1), 16) for m in
            re.finditer(r"^\s*(0x[0-9a-f]+) \"%s" % re.escape(titulo), arbol, re.M)]


class AnfitrionConPasaplan(unittest.TestCase):
    def setUp(self):
        for programa in PROGRAMAS_X:
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
        subprocess.run([os.path.join(BIN_DIR, "pasaplan-lote"), "exportar", self.xml,
                        "--niveles", NIVELES, "--marcos", "2417", "--intercambio", self.vtemp],
                       check=True, stdout=subprocess.DEVNULL, timeout=60)
        solo_cursost2(self.vtemp)
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
            parar_xvfb(self.xvfb)
        self.dir.cleanup()

    def test_importacion_incrustada_devuelve_1(self):
        self.xvfb, pantalla = iniciar_xvfb()
        self.entorno["DISPLAY"] = pantalla
        escritorio = Escritorio(self.entorno, time.monotonic() + PLAZO_TOTAL)
        try:
            self.ejecutar(escritorio)
        except Exception as e:
            captura = escritorio.captura(os.path.join(tempfile.gettempdir(),
                                                      "anfitrion-xvfb-%d.png" % os.getpid()))
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
        escritorio.apartar_puntero()

        dialogo = escritorio.esperar("^Archivo XML$")
        # While the run asks for the file, the main window lies inside the host's window and
        # is no top-level window of its own.
        arbol = escritorio.orden("xwininfo", "-tree", "-id", "0x" + identificador)[1]
        principales = ids_con_titulo(arbol, TITULO_PRINCIPAL)
        self.assertEqual(len(principales), 1, "ventana principal dentro del anfitrión")
        arriba = ids_con_titulo(escritorio.orden("xwininfo", "-root", "-children")[1],
                                TITULO_PRINCIPAL)
        self.assertEqual(arriba, [], "la ventana principal no es de primer nivel")

        escritorio.enfocar(dialogo)
        escritorio.elegir_archivo(dialogo, "ExportacionHorarios.xml", 2)

        pregunta = escritorio.esperar("^Recuperación de Niveles y Cursos", "(CURSOST2)")
        escritorio.enfocar(pregunta)
        # OK: recover the earlier codifications.
        escritorio.cerrar(pregunta, "la pregunta de recuperación", "Return")

        cursos = escritorio.esperar("^Asignación de Niveles y Cursos$")
        escritorio.enfocar(cursos)
        escritorio.pulsar(cursos, *OK_CURSOS)
        if not escritorio.esperar_cierre(cursos, 5):
            raise Fallo("el diálogo de cursos no se cerró con OK")

        marcos = escritorio.esperar("^Planillas, Marcos o Jornadas Horarias$")
        escritorio.enfocar(marcos)
        # The frame list has the focus: Down then Home leaves the first frame, and only it,
        # selected whether or not a current row was set; Return is Continuar.
        escritorio.xdo("key", "Down", "Home")
        time.sleep(0.2)
        escritorio.cerrar(marcos, "el diálogo de marcos", "Return")

        mensaje = escritorio.esperar("^Pasaplan$", "(Proceso finalizado)")
        escritorio.enfocar(mensaje)
        escritorio.xdo("key", "Return")

        salida = []
        while not (salida and salida[-1].startswith("Transformado=")):
            salida.append(lineas.get(timeout=escritorio.restante()))
        self.assertEqual(salida[-1], "Transformado=1")
        self.assertEqual(self.anfitrion.wait(timeout=escritorio.restante()), 0)

        comprobar_tablas(self, self.vtemp)

if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
