"""The help in its two forms holds the same text: every page of the HTML guide beside the
program is, byte for byte, the page of the same name inside SENECA.chm (read with chmls).

Usage: /usr/bin/python3 test_ayuda_chm.py BIN_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

BIN_DIR = None


class AyudaChm(unittest.TestCase):
    def test_same_pages(self):
        guia = os.path.join(BIN_DIR, "ayuda")
        chm = os.path.join(BIN_DIR, "SENECA.chm")
        if not os.path.exists(chm) or not shutil.which("chmls"):
            self.skipTest("sin chmcmd/chmls no se compila SENECA.chm")
        paginas = sorted(p for p in os.listdir(guia) if p.endswith((".html", ".css")))
        self.assertIn("index.html", paginas)
        self.assertIn("marcos.html", paginas)
        with tempfile.TemporaryDirectory() as tmp:
            for pagina in paginas:
                destino = os.path.join(tmp, pagina)
                subprocess.run(["chmls", "extract", chm, "/" + pagina, destino],
                               capture_output=True, check=True, timeout=60)
                with open(os.path.join(guia, pagina), "rb") as a, open(destino, "rb") as b:
                    self.assertEqual(a.read(), b.read(), pagina)
        # What the reader sees: the mnemonic of "Salir" is not shown as a literal "&".
        with open(os.path.join(guia, "index.html"), encoding="utf-8") as f:
            self.assertNotIn("&amp;Salir", f.read())


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    unittest.main()
