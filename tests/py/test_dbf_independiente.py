"""Tables written by our engine, read back by an independent dBase reader (dbfread).

Usage: /usr/bin/python3 test_dbf_independiente.py BIN_DIR
"""
import datetime
import os
import struct
import subprocess
import sys
import tempfile
import unittest

import dbfread

BIN_DIR = None


class TablaLeidaPorOtro(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory(prefix="pasaplan-dbf-")
        self.archivo = os.path.join(self.dir.name, "PRUEBA.DBF")
        herramienta = os.path.join(BIN_DIR, "escribir_tabla_prueba")
        subprocess.run([herramienta, self.archivo], check=True)
        with open(self.archivo, "rb") as f:
            self.bytes = f.read()

    def tearDown(self):
        self.dir.cleanup()

    def test_cabecera(self):
        b = self.bytes
        self.assertEqual(b[0], 0x03)
        hoy = datetime.date.today()
        # The date is taken when the row is posted; allow for a run across midnight.
        fecha = datetime.date(1900 + b[1], b[2], b[3])
        self.assertIn(fecha, (hoy, hoy - datetime.timedelta(days=1)))
        registros, cabecera, registro = struct.unpack("<IHH", b[4:12])
        self.assertEqual(registros, 3)
        self.assertEqual(cabecera, 32 + 32 * 5 + 1)
        self.assertEqual(registro, 1 + 20 + 5 + 11 + 20 + 1)
        self.assertEqual(b[28], 0)  # no index file
        self.assertEqual(b[29], 0x57)
        self.assertEqual(b[cabecera - 1], 0x0D)
        self.assertEqual(len(b), cabecera + registros * registro + 1)
        self.assertEqual(b[-1], 0x1A)

    def test_campos(self):
        tabla = dbfread.DBF(self.archivo)
        self.assertEqual(tabla.encoding, "cp1252")
        campos = [(c.name, c.type, c.length, c.decimal_count) for c in tabla.fields]
        self.assertEqual(campos, [("NOMBRE", "C", 20, 0), ("CODIGO", "C", 5, 0),
                                  ("HORAS", "N", 11, 0), ("PESO", "N", 20, 4),
                                  ("ACTIVO", "L", 1, 0)])

    def test_valores(self):
        filas = [dict(r) for r in dbfread.DBF(self.archivo)]
        self.assertEqual(filas, [
            {"NOMBRE": "Educación Física", "CODIGO": "Ñ", "HORAS": 99999999999,
             "PESO": 2.5, "ACTIVO": True},
            {"NOMBRE": " Tecnología aplicada", "CODIGO": "12345", "HORAS": None,
             "PESO": None, "ACTIVO": None},
            {"NOMBRE": "Guardia", "CODIGO": "-42", "HORAS": 7, "PESO": -0.25,
             "ACTIVO": False},
        ])


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("Uso: test_dbf_independiente.py BIN_DIR")
    BIN_DIR = sys.argv.pop(1)
    unittest.main()
