# What `cmake --install` puts under the prefix (/usr for the Debian package, tools/package.sh): the
# launcher as the command games/jostrela; the game itself in lib/games/jostrela and the generated
# run folder's files in share/games/jostrela, both found by the launcher from where it is; and the
# desktop entry, icons and manual page where the desktop and man look for them.
set(JOSTRELA_DATA_DIR share/games/jostrela)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/tools/package/jostrela DESTINATION games)
install(TARGETS jostrela RUNTIME DESTINATION lib/games/jostrela)
install(FILES ${CMAKE_BINARY_DIR}/run/scr.txt DESTINATION ${JOSTRELA_DATA_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/run/MODELOS ${CMAKE_BINARY_DIR}/run/Texturas DESTINATION ${JOSTRELA_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/tools/package/jostrela.desktop DESTINATION share/applications)
foreach(size ${JOSTRELA_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}/jostrela.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${JOSTRELA_MANPAGE} DESTINATION share/man/man6)
