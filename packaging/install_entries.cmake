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

# Modes come from here, never from the source tree or the umask: a tree
# unpacked from an archive may hold its files as 0664, and a package's files
# are 0644 in folders of 0755.
set(file_mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(folder_mode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
# Makes a folder and those of its parents that are missing, each 0755; the
# folders that are already there are left as they are.
function(make_folder folder)
  if(IS_DIRECTORY "${folder}")
    return()
  endif()
  get_filename_component(parent "${folder}" DIRECTORY)
  make_folder("${parent}")
  file(MAKE_DIRECTORY "${folder}")
  file(CHMOD "${folder}" PERMISSIONS ${folder_mode})
endfunction()

set(entry "${stage}/${GRAZE_APPLICATIONS_DIR}/graze.desktop")
make_folder("${stage}/${GRAZE_APPLICATIONS_DIR}")
configure_file("${GRAZE_PACKAGING_DIR}/graze.desktop.in" "${entry}" @ONLY
               FILE_PERMISSIONS ${file_mode})
set(man "${stage}/${GRAZE_MAN6_DIR}/graze.6")
make_folder("${stage}/${GRAZE_MAN6_DIR}")
configure_file("${GRAZE_PACKAGING_DIR}/graze.6.in" "${man}" @ONLY FILE_PERMISSIONS ${file_mode})
execute_process(COMMAND gzip -9 -n -f "${man}" RESULT_VARIABLE gzip_status)
if(NOT gzip_status EQUAL 0)
  message(FATAL_ERROR "cannot compress the manual page ${man}")
endif()
message(STATUS "Installing: ${entry}")
message(STATUS "Installing: ${man}.gz")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/${GRAZE_APPLICATIONS_DIR}/graze.desktop"
     "${prefix}/${GRAZE_MAN6_DIR}/graze.6.gz")
