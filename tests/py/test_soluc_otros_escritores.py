"""SOLUC as other dBase programs write it: DIA and HORA with decimals, padded with zeros, as
text, or blank for an hour not placed. Written here byte by byte, independently of the tool's
own table engine; every variant must give the document that the plain SOLUC gives.

Usage: /usr/bin/python3 test_soluc_otros_escritores.py BIN_DIR
"""
import os
import re
import shutil
import struct
import sys
import tempfile
import unittest

import dbfread

from apoyo import MUESTRA, NIVELES, documento, ejecutar

BIN_DIR = None
TEXTOS = ["PROF", "MARCO", "ASIG", "TAREA", "CODGRUPO", "AULA", "CCONCIERTO"]


def escribir_dbf(ruta, campos, filas):
    """campos: (nombre, tipo, ancho, decimales); filas: lists of bytes already of their width."""
    largo = 1 + sum(c[2] for c in campos)
    cabecera = 32 + 32 * len(campos) + 1
    b = bytearray(struct.pack("<B3BIHH20x", 0x03, 126, 1, 1, len(filas), cabecera, largo))
    b[29] = 0x57
    for nombre, tipo, ancho, decimales in campos:
        b += struct.pack("<11sc4xBB14x", nombre.encode(), tipo.encode(), ancho, decimales)
    b += b"\x0d"
    for fila in filas:
        registro = b" " + b"".join(fila)
        assert len(registro) == largo
        b += registro
    b += b"\x1a"
    with open(ruta, "wb") as f:
        f.write(b)


def derecha(texto, ancho):
    return texto.rjust(ancho).encode("cp1252")


def izquierda(texto, ancho):
    return texto.ljust(ancho).encode("cp1252")[:ancho]


# How each variant stores a whole number n of DIA or HORA: (type, width, decimals, bytes).
VARIANTES = {
    "llana": ("N", 11, 0, lambda n: derecha(str(n), 11)),
    "N(5,2)": ("N", 5, 2, lambda n: derecha(f"{n:.2f}", 5)),
    "N(2,0) con ceros": ("N", 2, 0, lambda n: f"{n:02d}".encode()),
    "C(2)": ("C", 2, 0, lambda n: izquierda(str(n), 2)),
    "C(2) con ceros": ("C", 2, 0, lambda n: f"{n:02d}".encode()),
    "C(2) a la derecha": ("C", 2, 0, lambda n: derecha(str(n), 2)),
    # An hour not placed left blank instead of 0, as an unset number.
    "en blanco": ("N", 11, 0, lambda n: derecha(str(n) if n else "", 11)),
}


class SolucDeOtrosEscritores(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory(prefix="pasaplan-soluc-")
        cls.base = os.path.join(cls.dir.name, "base")
        os.mkdir(cls.base)
        xml = os.path.join(cls.dir.name, "ExportacionHorarios.xml")
        shutil.copy2(MUESTRA, xml)
        ejecutar(os.path.join(BIN_DIR, "pasaplan-lote"), "exportar", xml, "--niveles", NIVELES,
                 "--marcos", "2417", "--intercambio", cls.base)
        ejecutar(os.path.join(BIN_DIR, "generar_horario"), cls.base)
        cls.filas = list(dbfread.DBF(os.path.join(cls.base, "SOLUC.DBF")))
        os.remove(os.path.join(cls.base, "SOLUC.DBF"))

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def exportar(self, nombre, tipo, ancho, decimales, valor, extra=()):
        """The export run on a copy of the tables with SOLUC written in this variant."""
        carpeta = os.path.join(self.dir.name, re.sub(r"\W", "_", nombre))
        vtemp = os.path.join(carpeta, "VTEMP")
        shutil.copytree(self.base, vtemp)
        xml = os.path.join(carpeta, "ExportacionHorarios.xml")
        shutil.copy2(MUESTRA, xml)
        campos = [("PROF", "C", 10, 0), ("DIA", tipo, ancho, decimales),
                  ("HORA", tipo, ancho, decimales), ("MARCO", "C", 1, 0), ("ASIG", "C", 10, 0),
                  ("TAREA", "C", 10, 0), ("CODGRUPO", "C", 10, 0), ("AULA", "C", 10, 0),
                  ("CCONCIERTO", "C", 20, 0)]
        anchos = {c[0]: c[2] for c in campos}
        filas = []
        for r in list(self.filas) + list(extra):
            fila = [izquierda(r["PROF"] or "", 10), valor(r["DIA"]), valor(r["HORA"])]
            fila += [izquierda(r[c] or "", anchos[c]) for c in TEXTOS[1:]]
            filas.append(fila)
        escribir_dbf(os.path.join(vtemp, "SOLUC.DBF"), campos, filas)
        ejecutar(os.path.join(BIN_DIR, "pasaplan-lote"), "importar", xml, "--intercambio", vtemp)
        return documento(os.path.join(carpeta, "ResultadoVelmoraExportacionHorarios.xml"))

    def test_cada_forma_de_guardar_dia_y_hora_da_el_mismo_documento(self):
        self.assertTrue(any(r["DIA"] == 0 for r in self.filas), "sin horas por colocar")
        llano = self.exportar("llana", *VARIANTES["llana"])
        # The plain document places its hours: days, slots and times found.
        self.assertGreater(llano.count(b'nombre_dato="X_TRAMO">'), 100)
        self.assertNotIn(b'nombre_dato="N_HORINI">0<', llano)
        self.assertNotIn(b'nombre_dato="N_MINSEN">0<', llano)
        for nombre, variante in VARIANTES.items():
            if nombre == "llana":
                continue
            with self.subTest(variante=nombre):
                self.assertEqual(self.exportar(nombre, *variante), llano)

    def test_una_hora_con_el_dia_en_blanco_queda_fuera(self):
        # A regular and a non-regular hour of the first professor, without day: both unplaced.
        primera = self.filas[0]
        extra = [dict(primera, DIA=0, HORA=3, ASIG=primera["ASIG"].lstrip("#")),
                 dict(primera, DIA=0, HORA=3, ASIG="#GUARDIA")]
        tipo, ancho, decimales, valor = VARIANTES["en blanco"]
        llano = self.exportar("llana sin extra", *VARIANTES["llana"])
        self.assertEqual(self.exportar("en blanco con extra", tipo, ancho, decimales, valor,
                                       extra), llano)


if __name__ == "__main__":
    BIN_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
