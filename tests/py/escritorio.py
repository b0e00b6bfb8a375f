"""The desktop program driven on a private X server (Xvfb), as a person would with xdotool.

Shared by the tests of the stand-in hosts, on Linux and under Wine: the X server, the
windows searched by caption and answered with keys and clicks, every call bounded by the run's
deadline; and the embedded import that both hosts start, seen from its tables.
"""
import os
import select
import shutil
import subprocess
import time

import dbfread

PROGRAMAS_X = ("Xvfb", "xdotool", "xwininfo")
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
        parar_xvfb(xvfb)
        raise Fallo("Xvfb no dio número de pantalla")
    return xvfb, ":" + numero.strip().decode()


def parar_xvfb(xvfb):
    xvfb.terminate()
    try:
        xvfb.wait(5)
    except subprocess.TimeoutExpired:
        xvfb.kill()
        xvfb.wait()


class Escritorio:
    """xdotool and xwininfo on one display, every call bounded by the run's deadline; windows
    are polled every `pausa` seconds."""

    def __init__(self, entorno, hasta, pausa=0.1):
        self.entorno = entorno
        self.hasta = hasta
        self.pausa = pausa

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
        argumentos = [str(a) for a in argumentos]
        codigo, salida = self.orden("xdotool", *argumentos)
        if codigo != 0:
            raise Fallo("xdotool %s falló" % " ".join(argumentos))
        return salida

    def esperar(self, titulo, que=""):
        """The id of the last mapped window whose caption matches the regular expression."""
        while True:
            _, salida = self.orden("xdotool", "search", "--onlyvisible", "--name", titulo)
            ventanas = salida.split()
            if ventanas:
                return int(ventanas[-1])
            if self.hasta - time.monotonic() <= 0:
                raise Fallo("no apareció la ventana %s %s" % (titulo, que))
            time.sleep(self.pausa)

    def abierta(self, ventana):
        codigo, salida = self.orden("xwininfo", "-id", str(ventana))
        return codigo == 0 and "IsViewable" in salida

    def esperar_cierre(self, ventana, segundos):
        fin = min(self.hasta, time.monotonic() + segundos)
        while time.monotonic() < fin:
            if not self.abierta(ventana):
                return True
            time.sleep(self.pausa)
        return not self.abierta(ventana)

    def enfocar(self, ventana):
        # No window manager: keyboard focus is set by hand (Qt activates the window on it).
        self.xdo("windowfocus", "--sync", ventana)
        time.sleep(0.3)

    def activar(self, ventana, x=8, y=8):
        # Wine activates the window that is clicked; X's keyboard focus is set by hand.
        self.xdo("mousemove", "--window", ventana, x, y, "click", "1")
        self.xdo("windowfocus", "--sync", ventana)
        self.apartar_puntero()
        time.sleep(0.3)

    def apartar_puntero(self):
        # The pointer away from every window: keys go only where the focus is set.
        self.xdo("mousemove", "1020", "760")

    def pulsar(self, ventana, x, y):
        self.xdo("mousemove", "--window", ventana, x, y, "click", "1")
        self.apartar_puntero()

    def elegir_archivo(self, dialogo, nombre, segundos):
        """Types the name into the focused file dialog and accepts it."""
        self.xdo("type", "--delay", "20", nombre)
        # The name's completion list may take the first Return for itself.
        for _ in range(3):
            self.xdo("key", "Return")
            if self.esperar_cierre(dialogo, segundos):
                return
        raise Fallo("el diálogo de archivos no se cerró")

    def cerrar(self, ventana, que, *teclas):
        """Sends the keys to the window, which has the focus, and waits for it to close."""
        self.xdo("key", *teclas)
        if not self.esperar_cierre(ventana, 5):
            raise Fallo("%s no se cerró" % que)

    def captura(self, ruta, zona=None):
        """The screen (or zona, WxH+X+Y) as PNG at ruta; None without ImageMagick."""
        if not shutil.which("import"):
            return None
        self.orden("import", "-window", "root", *(["-crop", zona] if zona else []), ruta)
        return ruta


def solo_cursost2(vtemp):
    """Leaves, of an earlier import's tables, CURSOST2 alone: the course dialog is then answered
    by its recovery question, and the run is seen writing every other table."""
    for nombre in os.listdir(vtemp):
        if nombre.upper().endswith(".DBF") and nombre.upper() != "CURSOST2.DBF":
            os.remove(os.path.join(vtemp, nombre))


def comprobar_tablas(prueba, vtemp):
    """The import's tables, with the sample's one period and its unit ESO1A."""
    for tabla in TABLAS:
        prueba.assertTrue(os.path.exists(os.path.join(vtemp, tabla + ".DBF")), tabla)
    periodos = list(dbfread.DBF(os.path.join(vtemp, "PERIODOS.DBF")))
    prueba.assertEqual(len(periodos), 1)
    grupos = {r["ABREV"] for r in dbfread.DBF(os.path.join(vtemp, "GRUPOST.DBF"))}
    prueba.assertIn("ESO1A", grupos)
