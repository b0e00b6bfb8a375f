# `cmake --install` lays the programs and the files they read beside themselves (SENEMATERIAS.DBF,
# SENECA.chm, the HTML guide; Velmora.ini is written there) into one folder; CPack packs it.
# The program finds that folder from its own executable, so the folder moves as a whole.
if(WIN32)
  set(PASAPLAN_CARPETA_DEFECTO ".")            # the zip's top folder is the program's folder
else()
  set(PASAPLAN_CARPETA_DEFECTO "lib/pasaplan")
endif()
set(PASAPLAN_CARPETA ${PASAPLAN_CARPETA_DEFECTO} CACHE STRING
    "Folder under the install prefix that holds the programs and their files")

set(PASAPLAN_PROGRAMAS pasaplan-lote)
if(TARGET pasaplan)
  list(APPEND PASAPLAN_PROGRAMAS pasaplan)
endif()
install(TARGETS ${PASAPLAN_PROGRAMAS} RUNTIME DESTINATION ${PASAPLAN_CARPETA})
# GPL-3.0-or-later: the licence travels with the programs.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${PASAPLAN_CARPETA})
if(TARGET senematerias)
  install(FILES ${CMAKE_BINARY_DIR}/bin/SENEMATERIAS.DBF DESTINATION ${PASAPLAN_CARPETA})
endif()
if(TARGET ayuda)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ayuda DESTINATION ${PASAPLAN_CARPETA})
  if(CHMCMD)
    install(FILES ${CMAKE_BINARY_DIR}/bin/SENECA.chm DESTINATION ${PASAPLAN_CARPETA})
  endif()
endif()

if(WIN32)
  if(TARGET pasaplan)
    include(${CMAKE_CURRENT_LIST_DIR}/DespliegueWindows.cmake)
  endif()
  # LEEME.txt with Windows line ends, whatever the checkout's.
  file(READ ${CMAKE_SOURCE_DIR}/docs/windows/LEEME.txt _leeme)
  string(CONFIGURE "${_leeme}" _leeme @ONLY)
  string(REPLACE "\r\n" "\n" _leeme "${_leeme}")
  string(REPLACE "\n" "\r\n" _leeme "${_leeme}")
  file(WRITE ${CMAKE_BINARY_DIR}/LEEME.txt "${_leeme}")
  install(FILES ${CMAKE_BINARY_DIR}/LEEME.txt DESTINATION ${PASAPLAN_CARPETA})
else()
  # The commands on the PATH: links into the folder (the program resolves them to find its files).
  foreach(programa ${PASAPLAN_PROGRAMAS})
    install(CODE "
      set(destino \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
      file(MAKE_DIRECTORY \"\${destino}\")
      file(CREATE_LINK \"../${PASAPLAN_CARPETA}/${programa}\" \"\${destino}/${programa}\" SYMBOLIC)
      message(STATUS \"Installing: \${destino}/${programa} -> ../${PASAPLAN_CARPETA}/${programa}\")")
  endforeach()
endif()

# ---- CPack: a .deb for Debian, a .zip for Windows ---------------------------------------------------------------
set(CPACK_PACKAGE_NAME pasaplan)
set(CPACK_PACKAGE_VENDOR "Pasaplan")
set(CPACK_PACKAGE_CONTACT "Equipo de Pasaplan <pasaplan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Traspaso de datos entre Séneca y el generador de horarios Velmora")
set(CPACK_PACKAGE_DESCRIPTION "Lee la exportación XML de Séneca y escribe las tablas dBase que lee \
Velmora, y escribe el horario de Velmora como documento para Séneca. Incluye el programa de \
escritorio (pasaplan) y la orden por lotes (pasaplan-lote).")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Spanish texts (file dialog, standard buttons) are built into the program: no
# translation package is needed at run time.
if(WIN32)
  # A zip whose one folder runs where it is unpacked.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME pasaplan-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
