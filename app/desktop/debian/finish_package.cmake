# Run at the end of every install; it acts only when `cpack -G DEB` installs
# the game into the package's tree. Debian keeps games in /usr/games (the
# data folder is found from there just as from bin/), manual pages and
# changelogs compressed, a copyright file in every package, and links inside
# /usr relative. gzip -n stores neither name nor time, so the package comes
# out the same every time.
if(NOT KALUP_DEBIAN_PACKAGE)
  return()
endif()
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${root}/games")
file(RENAME "${root}/${KALUP_BINDIR}/kalup" "${root}/games/kalup")
file(REMOVE_RECURSE "${root}/${KALUP_BINDIR}")
file(COPY "${KALUP_DEBIAN_FILES}/copyright" DESTINATION "${root}/${KALUP_DOCS}")
execute_process(COMMAND gzip -9nc "${KALUP_DEBIAN_FILES}/changelog"
  OUTPUT_FILE "${root}/${KALUP_DOCS}/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9nf "${root}/${KALUP_MAN_PAGE}" COMMAND_ERROR_IS_FATAL ANY)
set(entries ${KALUP_FONTS})
while(entries)
  list(POP_FRONT entries name package path)
  set(link "${root}/${KALUP_FONT_DIR}/${name}")
  file(RELATIVE_PATH target "${CMAKE_INSTALL_PREFIX}/${KALUP_FONT_DIR}" "${path}")
  file(REMOVE "${link}")
  file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
endwhile()
