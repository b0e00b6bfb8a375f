"""The batch import of the sample export, as `make demo` runs it, read back with dbfread.

Usage: /usr/bin/python3 test_demo_periodos.py BIN_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import dbfread

from apoyo import MUESTRA, NIVELES

BIN_DIR = None


def leer(vtemp, tabla):
    return list(dbfread.DBF(os.path.join(vtemp, tabla + ".DBF")))


class DemoDeLaMuestra(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory(prefix="pasaplan-demo-")
        cls.vtemp = os.path.join(cls.dir.name, "VTEMP")
        os.mkdir(cls.vtemp)
        cls.xml = os.path.join(cls.dir.name, "ExportacionHorarios.xml")
        shutil.copy2(MUESTRA, cls.xml)
        cls.resultado = subprocess.run(
            [os.path.join(BIN_DIR, "pasaplan-lote"), "exportar", cls.xml, "--niveles", NIVELES,
             "--marcos", "2417", "--intercambio", cls.vtemp],
            capture_output=True, text=True, timeout=120)
        cls.muestra = ET.parse(MUESTRA).getroot()

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_termina_con_proceso_finalizado(self):
        self.assertEqual(self.resultado.returncode, 0, self.resultado.stderr)
        self.assertIn("Proceso finalizado", self.resultado.stdout.splitlines())

    def test_periodos_del_primer_bloque(self):
        anno = {d.get("nombre_dato"): d.text for d in
                self.muestra.find("BLOQUE_DATOS")[0].findall("dato")}
        filas = leer(self.vtemp, "PERIODOS")
        self.assertEqual(len(filas), 1)
        self.assertEqual(dict(filas[0]), {"CURSOANNO": anno["C_ANNO"],
                                          "F_INICIO": anno["F_INIHORREG"],
                                          "F_FIN": anno["F_FINHORREG"]})

    def test_cuentas_impresas_son_las_de_las_tablas(self):
        # "  TABLA: N filas" per table written; a table written twice counts its last line.
        cuentas = dict(re.findall(r"^  ([A-Z0-9_]+): (\d+) filas?", self.resultado.stdout, re.M))
        for tabla in ("PERIODOS", "CURSOST", "PROFT", "GRUPOST", "ASIGT", "DIASHORAST"):
            with self.subTest(tabla=tabla):
                self.assertIn(tabla, cuentas)
                self.assertEqual(len(leer(self.vtemp, tabla)), int(cuentas[tabla]))

    def test_niveles_del_csv_en_cursos_y_unidades(self):
        with open(NIVELES, encoding="utf-8") as f:
            niveles = {c: (n, k) for c, n, k in
                       (l.rstrip("\n").split(";") for l in f.readlines()[1:] if l.strip())}
        cursos = leer(self.vtemp, "CURSOST")
        self.assertEqual({r["CLAVE"]: (r["NIVEL"], r["CURSO"]) for r in cursos}, niveles)
        self.assertTrue(any("º" in r["ESTUD"] for r in cursos), "Windows-1252 leído como tal")
        unidades = leer(self.vtemp, "GRUPOST")
        for u in unidades:
            nivel, curso = niveles[u["CLAVECURSO"]]
            self.assertEqual(u["ABREV"], nivel + curso + u["GRUPO"])
        # CURSOST2 keeps the answers for the next import's recovery question.
        self.assertEqual(len(leer(self.vtemp, "CURSOST2")), len(cursos))


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
