"""The best-fit table of src/text/MejorAjuste.inc checked against Python's unicodedata: every
code point it maps is a character Windows-1252 lacks, and becomes the base letter of its
canonical decomposition (or, for the few letters and marks without one, the agreed look-alike);
and no precomposed Latin letter whose base letter the set holds is missing.

Usage: /usr/bin/python3 test_mejor_ajuste.py [BIN_DIR]
"""
import os
import re
import sys
import unicodedata
import unittest

from apoyo import RAIZ

TABLA = os.path.join(RAIZ, "src", "text", "MejorAjuste.inc")

A_MANO = {"Đ": "D", "đ": "d", "Ħ": "H", "ħ": "h", "ı": "i", "Ł": "L", "ł": "l", "Ŧ": "T",
          "ŧ": "t", "\u2010": "-", "\u2011": "-", "\u2012": "-", "\u2212": "-", "\u2032": "'",
          "\u2033": '"'}
INDEFINIDOS = {0x81, 0x8D, 0x8F, 0x90, 0x9D}  # C1 controls, as the tool's converter reads them


def en_el_juego(ch):
    try:
        ch.encode("cp1252")
        return True
    except UnicodeEncodeError:
        return ord(ch) in INDEFINIDOS


def base(ch):
    """The first character of the full canonical decomposition, or None without one."""
    d = unicodedata.decomposition(ch)
    if not d or d.startswith("<"):
        return None
    while d and not d.startswith("<"):
        ch = chr(int(d.split()[0], 16))
        d = unicodedata.decomposition(ch)
    return ch


def leer_tabla():
    entradas = {}
    patron = re.compile(r"\{0x([0-9A-F]+), '(\\x([0-9A-F]{2})|.)'\},")
    with open(TABLA, encoding="ascii") as f:
        for linea in f:
            if linea.startswith("//"):
                continue
            m = patron.match(linea)
            assert m, linea
            byte = int(m.group(3), 16) if m.group(3) else ord(m.group(2))
            entradas[int(m.group(1), 16)] = bytes([byte]).decode("cp1252", errors="replace") \
                if byte not in INDEFINIDOS else chr(byte)
    return entradas


class TablaDeMejorAjuste(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tabla = leer_tabla()

    def test_cada_punto_de_la_tabla_es_su_letra_base(self):
        self.assertGreater(len(self.tabla), 400)
        for cp, sustituto in self.tabla.items():
            ch = chr(cp)
            with self.subTest(punto=f"U+{cp:04X}"):
                self.assertFalse(en_el_juego(ch))
                self.assertTrue(en_el_juego(sustituto))
                if ch in A_MANO:
                    self.assertEqual(sustituto, A_MANO[ch])
                    continue
                self.assertTrue(unicodedata.name(ch).startswith("LATIN "))
                self.assertEqual(base(ch), sustituto)
                self.assertTrue(unicodedata.category(sustituto).startswith("L"))

    def test_no_falta_ninguna_letra_latina_compuesta(self):
        faltan = []
        for cp in range(0x80, 0x30000):
            ch = chr(cp)
            if (0xD800 <= cp <= 0xDFFF or en_el_juego(ch) or cp in self.tabla
                    or not unicodedata.name(ch, "").startswith("LATIN ")):
                continue
            b = base(ch)
            if b is not None and en_el_juego(b):
                faltan.append(f"U+{cp:04X}")
        self.assertEqual(faltan, [])
        for ch in A_MANO:
            self.assertIn(ord(ch), self.tabla)

    def test_los_ejemplos_de_la_plataforma(self):
        for letra, base_esperada in zip("ŁśŞăőčğıț", "LsSaocgit"):
            self.assertEqual(self.tabla[ord(letra)], base_esperada, letra)
        for fuera in "αЖ\u0301\ufb01":  # other scripts, a combining mark, a ligature
            self.assertNotIn(ord(fuera), self.tabla)


if __name__ == "__main__":
    if len(sys.argv) > 1:
        sys.argv.pop(1)
    unittest.main(verbosity=1)
