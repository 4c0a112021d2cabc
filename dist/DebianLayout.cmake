# Run by CPack on the staged files of the Debian package: Debian keeps a game's programs in
# /usr/games. The game finds its data file relative to its own folder, and games/ is a sibling
# of share/ just as bin/ is.
set(_usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${_usr}/games")
foreach(_program petalune petalune-tool)
  file(RENAME "${_usr}/${CPACK_PETALUNE_BINDIR}/${_program}" "${_usr}/games/${_program}")
endforeach()
file(GLOB _left "${_usr}/${CPACK_PETALUNE_BINDIR}/*")
if(NOT _left)
  file(REMOVE_RECURSE "${_usr}/${CPACK_PETALUNE_BINDIR}")
endif()
