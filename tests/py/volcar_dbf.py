"""Prints a dBase table as an independent reader (dbfread) sees it, for the C++ tests.

Usage: /usr/bin/python3 volcar_dbf.py TABLE.DBF
First line: the encoding; second: NAME:TYPE:LENGTH of every field; then one line per record.
Values are separated by tabs: text as UTF-8, numbers in decimal, logicals True/False/None.
"""
import sys

import dbfread

tabla = dbfread.DBF(sys.argv[1])
salida = [tabla.encoding,
          "\t".join(f"{c.name}:{c.type}:{c.length}" for c in tabla.fields)]
for registro in tabla:
    salida.append("\t".join(str(v) for v in registro.values()))
sys.stdout.buffer.write(("\n".join(salida) + "\n").encode("utf-8"))
