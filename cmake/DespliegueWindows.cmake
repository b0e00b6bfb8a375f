# The Windows desktop program runs from the build's bin folder and from its install folder:
# the Qt and MinGW runtime DLLs and the Qt plugins go beside pasaplan.exe in both.
get_target_property(_qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT _qt_core)
  get_target_property(_qt_core Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(_qt_bin ${_qt_core} DIRECTORY)
get_filename_component(PASAPLAN_QT_PREFIJO ${_qt_bin} DIRECTORY)

set(PASAPLAN_DLL_QT)
foreach(dll Qt6Core Qt6Gui Qt6Widgets libstdc++-6 libgcc_s_seh-1 libwinpthread-1)
  list(APPEND PASAPLAN_DLL_QT ${PASAPLAN_QT_PREFIJO}/bin/${dll}.dll)
endforeach()
set(PASAPLAN_PLUGINS_QT
  platforms/qwindows.dll           # the Windows platform
  styles/qwindowsvistastyle.dll)   # the native look

set(_copias)
set(_salidas)
foreach(dll ${PASAPLAN_DLL_QT})
  get_filename_component(nombre ${dll} NAME)
  list(APPEND _copias COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} ${CMAKE_BINARY_DIR}/bin/)
  list(APPEND _salidas ${CMAKE_BINARY_DIR}/bin/${nombre})
endforeach()
foreach(plugin ${PASAPLAN_PLUGINS_QT})
  get_filename_component(carpeta ${plugin} DIRECTORY)
  list(APPEND _copias
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/${carpeta}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PASAPLAN_QT_PREFIJO}/plugins/${plugin}
            ${CMAKE_BINARY_DIR}/bin/${carpeta}/)
  list(APPEND _salidas ${CMAKE_BINARY_DIR}/bin/${plugin})
  install(FILES ${PASAPLAN_QT_PREFIJO}/plugins/${plugin} DESTINATION ${PASAPLAN_CARPETA}/${carpeta})
endforeach()
add_custom_command(OUTPUT ${_salidas} ${_copias}
  DEPENDS ${PASAPLAN_DLL_QT} COMMENT "Qt y MinGW junto a pasaplan.exe")
add_custom_target(despliegue_qt ALL DEPENDS ${_salidas})
add_dependencies(pasaplan despliegue_qt)
install(FILES ${PASAPLAN_DLL_QT} DESTINATION ${PASAPLAN_CARPETA})
