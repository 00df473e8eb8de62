# Run at install: the data folder's fonts are links to the files of the
# system's font packages, under the names the game loads. The links go into
# the install manifest, so that an uninstall from it removes them too.
set(font_folder "${CMAKE_INSTALL_PREFIX}/${KALUP_FONT_DIR}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${font_folder}")
set(entries ${KALUP_FONTS})
while(entries)
  list(POP_FRONT entries name package path)
  message(STATUS "Installing: $ENV{DESTDIR}${font_folder}/${name} -> ${path}")
  file(REMOVE "$ENV{DESTDIR}${font_folder}/${name}")
  file(CREATE_LINK "${path}" "$ENV{DESTDIR}${font_folder}/${name}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${font_folder}/${name}")
endwhile()
