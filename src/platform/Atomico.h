#pragma once
// Writing a whole file so that readers see the old one or the new one, never half of one.
#include <filesystem>
#include <functional>
#include <string_view>

namespace pasaplan::plataforma {

// A temporary file in the destination's folder, flushed to disk and renamed over destino.
// Throws ErrorPasaplan naming the file; the destination is untouched on failure.
void EscribirArchivoAtomico(const std::filesystem::path& destino, std::string_view contenido);

// The same, with the content given piece by piece, so that a large file is never held whole in
// memory: producir calls escribir once per piece; escribir returns false once a write has
// failed (the failure is reported when producir returns). An exception from producir leaves
// the destination untouched and goes on.
using EscribirTrozo = std::function<bool(std::string_view)>;
void EscribirArchivoAtomicoPorTrozos(const std::filesystem::path& destino,
                                     const std::function<void(const EscribirTrozo&)>& producir);

// A fresh temporary name beside destino (same folder, so rename is atomic).
std::filesystem::path NombreTemporalJunto(const std::filesystem::path& destino);

// Removes the temporary files that an interrupted writer left in carpeta (".NAME.tmp-PID-N").
// With destino, only those beside that one file, and only of processes no longer running;
// without it, every one but this process's own: the caller holds the folder's lock. Returns
// how many it removed; a file that cannot be removed is left.
int BorrarTemporalesAbandonados(const std::filesystem::path& carpeta,
                                const std::filesystem::path& destino = {});

// Flushes a finished temporary file to disk before it is renamed over a table, so that after a
// power cut the name holds the old content or the whole new one.
void SincronizarArchivo(const std::filesystem::path& archivo) noexcept;

}  // namespace pasaplan::plataforma
