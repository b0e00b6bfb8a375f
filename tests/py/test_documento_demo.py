"""The document for Séneca that the demo writes: the sample export imported, a generated
timetable, then the export run; its structure checked as Séneca reads it.

Usage: /usr/bin/python3 test_documento_demo.py BIN_DIR
"""
import os
import shutil
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import dbfread

from apoyo import MUESTRA, NIVELES, ejecutar

BIN_DIR = None


class DocumentoDeLaDemo(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory(prefix="pasaplan-doc-")
        vtemp = os.path.join(cls.dir.name, "VTEMP")
        os.mkdir(vtemp)
        xml = os.path.join(cls.dir.name, "ExportacionHorarios.xml")
        shutil.copy2(MUESTRA, xml)
        lote = os.path.join(BIN_DIR, "pasaplan-lote")
        ejecutar(lote, "exportar", xml, "--niveles", NIVELES, "--marcos", "2417",
                 "--intercambio", vtemp)
        ejecutar(os.path.join(BIN_DIR, "generar_horario"), vtemp)
        cls.salida = ejecutar(lote, "importar", xml, "--intercambio", vtemp)
        cls.ruta = os.path.join(cls.dir.name, "ResultadoVelmoraExportacionHorarios.xml")
        cls.raiz = ET.parse(cls.ruta).getroot()
        cls.proft = [r["X_EMPLEADO"] for r in dbfread.DBF(os.path.join(vtemp, "PROFT.DBF"))]
        cls.soluc = list(dbfread.DBF(os.path.join(vtemp, "SOLUC.DBF")))

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def seccion(self, seq):
        grupos = [g for g in self.raiz.find("BLOQUE_DATOS") if g.get("seq") == seq]
        self.assertEqual(len(grupos), 1, seq)
        return grupos[0]

    def test_cabecera_y_curso(self):
        self.assertEqual(self.raiz.tag, "SERVICIO")
        self.assertEqual(list(self.raiz.attrib), ["modulo", "tipo", "autor", "fecha"])
        self.assertEqual((self.raiz.get("modulo"), self.raiz.get("tipo"), self.raiz.get("autor")),
                         ("HORARIOS", "I", "VELMORA"))
        bloques = [g.get("seq") for g in self.raiz.find("BLOQUE_DATOS")]
        self.assertEqual(bloques, ["ANNO_ACADEMICO", "HORARIOS_NO_REGULARES", "HORARIOS_REGULARES"])
        with open(self.ruta, "rb") as f:
            self.assertTrue(f.read(60).startswith(b'<?xml version="1.0" encoding="ISO-8859-1"?>'))

    def test_secciones_con_los_profesores_de_proft_en_orden_y_sin_huecos(self):
        for seq, prefijo in (("HORARIOS_NO_REGULARES", "HORARIO_NO_REGULAR_PROFESOR_"),
                             ("HORARIOS_REGULARES", "HORARIO_REGULAR_PROFESOR_")):
            seccion = self.seccion(seq)
            profesores = seccion.findall("grupo_datos")
            self.assertEqual(int(seccion.get("registros")), len(profesores))
            self.assertEqual([p.get("seq") for p in profesores],
                             [f"{prefijo}{n}" for n in range(1, len(profesores) + 1)])
            self.assertEqual([p.find("dato").text for p in profesores], self.proft)
            for p in profesores:
                actividades = p.findall("grupo_datos")
                self.assertEqual(int(p.get("registros")), len(actividades))
                self.assertEqual([a.get("seq") for a in actividades],
                                 [f"ACTIVIDAD_{m}" for m in range(1, len(actividades) + 1)])

    def test_cada_hora_colocada_una_vez_en_su_seccion(self):
        def cuenta(seq):
            return sum(len(p.findall("grupo_datos")) for p in self.seccion(seq))
        colocadas = [r for r in self.soluc if int(r["DIA"]) != 0]
        no_regulares = sum(1 for r in colocadas if (r["ASIG"] or "").startswith("#"))
        # Each SOLUC row belongs to one professor of PROFT (abbreviations are unique there).
        self.assertEqual(cuenta("HORARIOS_NO_REGULARES"), no_regulares)
        self.assertEqual(cuenta("HORARIOS_REGULARES"), len(colocadas) - no_regulares)
        self.assertIn(f"Actividades regulares: {len(colocadas) - no_regulares}", self.salida)

    def test_actividad_regular_con_sus_once_datos_en_orden(self):
        nombres = ["N_DIASEMANA", "X_TRAMO", "X_DEPENDENCIA", "X_UNIDAD", "X_OFERTAMATRIG",
                   "X_MATERIAOMG", "F_INICIO", "F_FIN", "N_HORINI", "N_HORFIN", "X_ACTIVIDAD"]
        vistas = 0
        for p in self.seccion("HORARIOS_REGULARES"):
            for a in p.findall("grupo_datos"):
                datos = [d.get("nombre_dato") for d in a.findall("dato")]
                self.assertEqual(datos[:11], nombres)
                self.assertIn(datos[11:], ([], ["X_ORIHORACTETP"]))
                valores = {d.get("nombre_dato"): d.text or "" for d in a.findall("dato")}
                self.assertEqual((valores["F_INICIO"], valores["F_FIN"]),
                                 ("15/09/2026", "22/06/2027"))
                self.assertLess(int(valores["N_HORINI"]), int(valores["N_HORFIN"]))
                vistas += 1
        self.assertGreater(vistas, 0)


if __name__ == "__main__":
    BIN_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
