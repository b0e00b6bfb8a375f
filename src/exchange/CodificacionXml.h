#pragma once
// libxml2's handler for Windows-1252, built on our own converter.

namespace pasaplan {

// Registers "windows-1252" and "cp1252" with libxml2 once per process. libxml2 built without
// iconv (the Windows build) does not know them, and with iconv the system's tables could differ
// from ours: both builds read and write such documents alike through this handler.
void RegistrarCodificacionesXml();

}  // namespace pasaplan
