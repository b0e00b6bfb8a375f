"""`cmake --install` and the Debian package: one folder with the programs and their files.

The installed batch command, started through its link on the PATH, must find SENEMATERIAS.DBF
beside its real executable and run an import.

Usage: /usr/bin/python3 test_instalacion_paquete.py BIN_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from apoyo import MUESTRA, NIVELES, version_del_proyecto

BIN_DIR = None
CARPETA = "lib/pasaplan"


def esperados():
    """What the folder must hold, after what this build made."""
    archivos = ["pasaplan-lote", "SENEMATERIAS.DBF", "LICENSE"]
    if os.path.exists(os.path.join(BIN_DIR, "pasaplan")):
        archivos += ["pasaplan", "ayuda/index.html"]
    if os.path.exists(os.path.join(BIN_DIR, "SENECA.chm")):
        archivos.append("SENECA.chm")
    return archivos


class Instalacion(unittest.TestCase):
    def setUp(self):
        self.build = os.path.dirname(os.path.abspath(BIN_DIR))
        self.dir = tempfile.TemporaryDirectory(prefix="pasaplan-instalacion-")

    def tearDown(self):
        self.dir.cleanup()

    def test_instalacion_en_una_carpeta_que_funciona_desde_el_path(self):
        prefijo = os.path.join(self.dir.name, "prefijo")
        subprocess.run(["cmake", "--install", self.build, "--prefix", prefijo], check=True,
                       stdout=subprocess.DEVNULL, timeout=120)
        carpeta = os.path.join(prefijo, CARPETA)
        for nombre in esperados():
            self.assertTrue(os.path.isfile(os.path.join(carpeta, nombre)), nombre)
        # Nothing but the links lies outside the folder.
        fuera = sorted(os.path.relpath(os.path.join(d, f), prefijo)
                       for d, _, fs in os.walk(prefijo) for f in fs
                       if not os.path.join(d, f).startswith(carpeta + os.sep))
        programas = [n for n in ("pasaplan", "pasaplan-lote") if n in esperados()]
        self.assertEqual(fuera, sorted("bin/" + p for p in programas))
        for p in programas:
            self.assertEqual(os.readlink(os.path.join(prefijo, "bin", p)), "../%s/%s" % (CARPETA, p))

        lote = os.path.join(prefijo, "bin", "pasaplan-lote")
        r = subprocess.run([lote, "--version"], capture_output=True, text=True, timeout=30)
        self.assertEqual(r.stdout.strip(), "pasaplan-lote " + version_del_proyecto(self.build))

        intercambio = os.path.join(self.dir.name, "VTEMP")
        os.mkdir(intercambio)
        xml = os.path.join(self.dir.name, "ExportacionHorarios.xml")
        shutil.copy2(MUESTRA, xml)
        r = subprocess.run([lote, "exportar", xml, "--intercambio", intercambio, "--niveles",
                            NIVELES, "--marcos", "2417"], capture_output=True, text=True,
                           cwd=self.dir.name, timeout=60)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("Proceso finalizado", r.stdout)
        # The subjects' codes come from SENEMATERIAS.DBF beside the installed program.
        self.assertTrue(os.path.isfile(os.path.join(intercambio, "ASIGNOMT.DBF")))

    def test_paquete_debian(self):
        if not shutil.which("dpkg-deb"):
            self.skipTest("sin dpkg-deb")
        salida = os.path.join(self.dir.name, "deb")
        r = subprocess.run(["cpack", "-G", "DEB", "-B", salida, "--config",
                            os.path.join(self.build, "CPackConfig.cmake")],
                           capture_output=True, text=True, cwd=self.build, timeout=300)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        version = version_del_proyecto(self.build)
        paquete = os.path.join(salida, "pasaplan_%s_amd64.deb" % version)
        self.assertTrue(os.path.isfile(paquete), os.listdir(salida))
        contenido = subprocess.run(["dpkg-deb", "-c", paquete], capture_output=True, text=True,
                                   check=True).stdout
        rutas = {linea.split()[5].lstrip("."): linea for linea in contenido.splitlines()}
        for nombre in esperados():
            self.assertIn("/usr/%s/%s" % (CARPETA, nombre), rutas)
        self.assertIn("-> ../lib/pasaplan/pasaplan-lote", rutas["/usr/bin/pasaplan-lote"])
        campos = subprocess.run(["dpkg-deb", "-f", paquete, "Package", "Version", "Depends"],
                                capture_output=True, text=True, check=True).stdout
        self.assertIn("Version: " + version, campos)
        self.assertRegex(campos, r"Depends:.*libxml2")
        if "pasaplan" in esperados():
            self.assertRegex(campos, r"Depends:.*libqt6widgets6")


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
