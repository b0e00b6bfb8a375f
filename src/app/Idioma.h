#pragma once
// Qt's own texts (file dialog, standard buttons, context menus) and its dates in Spanish,
// whatever the machine's locale: the program serves Andalusian schools.

namespace pasaplan {

// Installs Qt's Spanish translation, built into the program, and makes Spanish the default
// locale. Call once, after the application object exists. False if the translation is missing.
bool InstalarIdiomaEspanol();

}  // namespace pasaplan
