"""The Windows zip: one folder that runs where it is unpacked.

CPack makes pasaplan-VERSION-windows-x64.zip from the Windows build; the test unpacks it into a
fresh folder, checks what it holds, and runs pasaplan-lote.exe --version and one import from
there under Wine.

Usage: /usr/bin/python3 test_paquete_windows_wine.py BIN_DIR
"""
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

from apoyo import MUESTRA, NIVELES, version_del_proyecto
from wine import Wine, faltan_programas, ruta_windows

BIN_DIR = None

ESPERADOS = ["pasaplan.exe", "pasaplan-lote.exe", "SENEMATERIAS.DBF", "SENECA.chm",
             "ayuda/index.html", "LEEME.txt", "LICENSE", "Qt6Core.dll", "Qt6Gui.dll",
             "Qt6Widgets.dll",
             "libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll",
             "platforms/qwindows.dll", "styles/qwindowsvistastyle.dll"]


class PaqueteWindows(unittest.TestCase):
    def setUp(self):
        self.assertEqual(faltan_programas(con_x=False), [], "faltan programas")
        self.build = os.path.dirname(os.path.abspath(BIN_DIR))
        self.dir = tempfile.TemporaryDirectory(prefix="pasaplan-zip-")
        self.wine = None

    def tearDown(self):
        if self.wine:
            self.wine.close()
        self.dir.cleanup()

    def test_zip_se_desempaqueta_y_funciona(self):
        version = version_del_proyecto(self.build)
        nombre = "pasaplan-%s-windows-x64" % version
        salida = os.path.join(self.dir.name, "cpack")
        r = subprocess.run(["cpack", "-G", "ZIP", "-B", salida, "--config",
                            os.path.join(self.build, "CPackConfig.cmake")],
                           capture_output=True, text=True, cwd=self.build, timeout=300)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        paquete = os.path.join(salida, nombre + ".zip")
        self.assertTrue(os.path.isfile(paquete), os.listdir(salida))

        with zipfile.ZipFile(paquete) as z:
            nombres = [n for n in z.namelist() if not n.endswith("/")]
            # One folder holds everything.
            self.assertEqual({n.split("/")[0] for n in nombres}, {nombre})
            for esperado in ESPERADOS:
                self.assertIn(nombre + "/" + esperado, nombres)
            leeme = z.read(nombre + "/LEEME.txt")
            self.assertNotIn(b"\n", leeme.replace(b"\r\n", b""), "LEEME.txt con CRLF")
            self.assertIn("C:\\VTEMP", leeme.decode("utf-8"))
            destino = os.path.join(self.dir.name, "desempaquetado")
            z.extractall(destino)
        carpeta = os.path.join(destino, nombre)

        self.wine = Wine(self.dir.name)
        lote = os.path.join(carpeta, "pasaplan-lote.exe")
        r = self.wine.ejecutar([lote, "--version"], timeout=60, text=True)
        self.assertEqual(r.stdout.strip(), "pasaplan-lote " + version, r.stderr)

        # One import from the unpacked folder: SENEMATERIAS.DBF beside the program is found.
        trabajo = os.path.join(self.dir.name, "trabajo")
        intercambio = os.path.join(trabajo, "VTEMP")
        os.makedirs(intercambio)
        xml = os.path.join(trabajo, "ExportacionHorarios.xml")
        with open(MUESTRA, "rb") as origen, open(xml, "wb") as copia:
            copia.write(origen.read())
        r = self.wine.ejecutar([lote, "exportar", ruta_windows(xml), "--intercambio",
                                ruta_windows(intercambio), "--niveles", ruta_windows(NIVELES),
                                "--marcos", "2417"], timeout=120, text=True)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("Proceso finalizado", r.stdout)
        for tabla in ("PERIODOS", "ASIGNOMT", "GRUPOST", "ASIGT", "DIASHORAST"):
            self.assertTrue(os.path.isfile(os.path.join(intercambio, tabla + ".DBF")), tabla)


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
