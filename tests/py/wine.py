"""A private Wine prefix (and, for windows, a private X server) for the Windows build's tests.

Every call is bounded in time, and close() ends the prefix's wineserver and the X server, so a
test never leaves Wine running behind it.
"""
import os
import shutil
import subprocess

from escritorio import PROGRAMAS_X, iniciar_xvfb, parar_xvfb

WINE64 = "/usr/lib/wine/wine64"
# Wine's own UI fonts do not reach Qt: these names, and Arial, are drawn in DejaVu Sans
# (Liberation Sans loses its capital I there).
SUSTITUTA = os.environ.get("PASAPLAN_FUENTE_WINE", "DejaVu Sans")
FUENTES = ("Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "Segoe UI", "MS Sans Serif",
           "Microsoft Sans Serif", "Arial")


def ruta_windows(ruta):
    """The build machine's path as a Windows program under Wine sees it (drive Z:)."""
    return "Z:" + os.path.abspath(ruta).replace("/", "\\")


def faltan_programas(con_x):
    programas = [WINE64, "wineserver"] + (list(PROGRAMAS_X) if con_x else [])
    return [p for p in programas if not shutil.which(p)]


class Wine:
    def __init__(self, carpeta, con_x=False):
        self.xvfb = None
        self.entorno = dict(os.environ, WINEPREFIX=os.path.join(carpeta, "wineprefix"),
                            WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
                            LC_ALL="C.UTF-8")
        self.entorno.pop("DISPLAY", None)
        os.makedirs(self.entorno["WINEPREFIX"], exist_ok=True)
        try:
            self._preparar(carpeta, con_x)
        except BaseException:
            # A prefix half made leaves neither its wineserver nor the X server behind.
            self.close()
            raise

    def _preparar(self, carpeta, con_x):
        if con_x:
            self.xvfb, self.entorno["DISPLAY"] = iniciar_xvfb()
        # One wineserver for the whole test; Wine's services, started by wineboot with their
        # output sent away, hold no pipe of ours.
        subprocess.run(["wineserver", "-p"], env=self.entorno, check=True, timeout=30)
        subprocess.run([WINE64, "wineboot", "-i"], env=self.entorno, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=180)
        if con_x:
            reg = os.path.join(carpeta, "fuentes.reg")
            with open(reg, "w", encoding="utf-16") as f:
                f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n")
                for fuente in FUENTES:
                    f.write('"%s"="%s"\r\n' % (fuente, SUSTITUTA))
            self.ejecutar(["regedit", "/S", ruta_windows(reg)], timeout=60)

    def drive_c(self):
        return os.path.join(self.entorno["WINEPREFIX"], "drive_c")

    def ejecutar(self, argumentos, timeout, **opciones):
        opciones.setdefault("stdin", subprocess.DEVNULL)
        opciones.setdefault("capture_output", True)
        return subprocess.run([WINE64] + list(argumentos), env=self.entorno, timeout=timeout,
                              **opciones)

    def arrancar(self, argumentos, **opciones):
        return subprocess.Popen([WINE64] + list(argumentos), env=self.entorno,
                                stdin=subprocess.DEVNULL, start_new_session=True, **opciones)

    def close(self):
        try:
            subprocess.run(["wineserver", "-k"], env=self.entorno, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            pass
        if self.xvfb:
            parar_xvfb(self.xvfb)
