# Install time: the desktop entry and the manual page name the installed
# launcher and data, known only once the prefix is (a package installs under
# its own prefix, not the build's). Run from the install rules, with the
# GRAZE_* folders set.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(GRAZE_GAMES "${prefix}/${GRAZE_INSTALL_GAMESDIR}")
set(GRAZE_DATA "${prefix}/${GRAZE_INSTALL_DATADIR}")
set(GRAZE_BINARY "${prefix}/${GRAZE_INSTALL_LIBDIR}/graze")
set(stage "$ENV{DESTDIR}${prefix}")

# The Exec key is a command line: a path holding a space or another reserved
# character is quoted, its quote, backquote, dollar and backslash escaped;
# then, as in every desktop entry string, each backslash is doubled.
set(GRAZE_EXEC "${GRAZE_GAMES}/graze")
string(REGEX MATCH "[] \t\n\"'\\\\<>~|&;$*?#()`[]" reserved "${GRAZE_EXEC}")
if(reserved)
  string(REPLACE "\\" "\\\\" GRAZE_EXEC "${GRAZE_EXEC}")
  string(REPLACE "\"" "\\\"" GRAZE_EXEC "${GRAZE_EXEC}")
  string(REPLACE "`" "\\`" GRAZE_EXEC "${GRAZE_EXEC}")
  string(REPLACE "$" "\\$" GRAZE_EXEC "${GRAZE_EXEC}")
  set(GRAZE_EXEC "\"${GRAZE_EXEC}\"")
endif()
string(REPLACE "\\" "\\\\" GRAZE_EXEC "${GRAZE_EXEC}")
# TryExec is a plain path, not a command line: only its backslashes double.
string(REPLACE "\\" "\\\\" GRAZE_TRY_EXEC "${GRAZE_GAMES}/graze")

set(entry "${stage}/${GRAZE_APPLICATIONS_DIR}/graze.desktop")
configure_file("${GRAZE_PACKAGING_DIR}/graze.desktop.in" "${entry}" @ONLY)
set(man "${stage}/${GRAZE_MAN6_DIR}/graze.6")
configure_file("${GRAZE_PACKAGING_DIR}/graze.6.in" "${man}" @ONLY)
execute_process(COMMAND gzip -9 -n -f "${man}" RESULT_VARIABLE gzip_status)
if(NOT gzip_status EQUAL 0)
  message(FATAL_ERROR "cannot compress the manual page ${man}")
endif()
message(STATUS "Installing: ${entry}")
message(STATUS "Installing: ${man}.gz")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/${GRAZE_APPLICATIONS_DIR}/graze.desktop"
     "${prefix}/${GRAZE_MAN6_DIR}/graze.6.gz")
