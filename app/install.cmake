# Desktop integration: a menu entry and its icon, so that the editor appears in
# a desktop's application menu after `cmake --install` (component "desktop").
# The entry names the installed program by its full path, taken when
# installing, so that it works for any prefix, on the search path or not.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/q7300-routing.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT desktop)
install(CODE "
  set(exec \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/q7300-routing\")
  if(IS_ABSOLUTE \"${CMAKE_INSTALL_BINDIR}\")
    set(exec \"${CMAKE_INSTALL_BINDIR}/q7300-routing\")
  endif()
  set(Q7300_EXEC \"\${exec}\")
  set(dest \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/q7300-routing.desktop.in\"
    \"\${dest}/q7300-routing.desktop\" @ONLY)
  message(STATUS \"Installing: \${dest}/q7300-routing.desktop\")
" COMPONENT desktop)
