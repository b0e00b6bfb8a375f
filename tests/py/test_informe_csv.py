"""The import report's CSV as a spreadsheet reads it: UTF-8 with a byte-order mark, ";" between
fields, CRLF line ends, fields with ";" or quotes quoted. Read back with Python's csv module.

Usage: /usr/bin/python3 test_informe_csv.py BIN_DIR
"""
import csv
import os
import subprocess
import sys
import tempfile
import unittest

from apoyo import MUESTRA, NIVELES

BIN_DIR = None


class InformeCsv(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory(prefix="pasaplan-informe-")
        vtemp = os.path.join(cls.dir.name, "VTEMP")
        os.mkdir(vtemp)
        # The sample, with a subject whose name holds a ";" and quotes.
        with open(MUESTRA, encoding="iso-8859-1") as f:
            texto = f.read().replace("Proyecto Integrado", 'Proyecto; "Integrado"')
        xml = os.path.join(cls.dir.name, "Exportación Horarios.xml")
        with open(xml, "w", encoding="iso-8859-1") as f:
            f.write(texto)
        cls.csv = os.path.join(cls.dir.name, "informe.csv")
        cls.resultado = subprocess.run(
            [os.path.join(BIN_DIR, "pasaplan-lote"), "exportar", xml, "--niveles", NIVELES,
             "--marcos", "2417", "--intercambio", vtemp, "--informe", cls.csv],
            capture_output=True, text=True, timeout=120)

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_bytes_and_rows(self):
        self.assertEqual(self.resultado.returncode, 0, self.resultado.stderr)
        with open(self.csv, "rb") as f:
            crudo = f.read()
        self.assertTrue(crudo.startswith(b"\xef\xbb\xbfTipo;Bloque o tabla;Registro;"), crudo[:40])
        # Every line ends in CRLF, and no bare LF or CR is left outside them.
        self.assertTrue(crudo.endswith(b"\r\n"))
        self.assertEqual(crudo.count(b"\n"), crudo.count(b"\r\n"))

        with open(self.csv, encoding="utf-8-sig", newline="") as f:
            filas = list(csv.reader(f, delimiter=";"))
        self.assertEqual(filas[0], ["Tipo", "Bloque o tabla", "Registro", "Descripción"])
        self.assertEqual([f[0] for f in filas[1:]],
                         ["Materia sin curso", "Empleado repetido", "Unidad mixta",
                          "Materia sin asignaciones", "Recreo entre las horas"])
        for fila in filas:
            self.assertEqual(len(fila), 4, fila)
        # The sentences are those pasaplan-lote prints, the ";" and the quotes kept whole.
        for fila in filas[1:]:
            self.assertIn("\n  " + fila[3] + "\n", self.resultado.stdout)
        self.assertIn('«Proyecto; "Integrado"»', filas[1][3])
        self.assertEqual(filas[1][1:3], ["MATERIAS", "registro 68"])


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main()
