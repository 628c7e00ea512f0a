# Reads packaging/changelog, Debian's changelog format, the one place a
# release is written down: the build takes its version and date from the
# newest entry, and the AppStream metainfo lists every entry as a release.
# Used by CMakeLists.txt before project() and by write_metainfo.cmake at
# build time (cmake -P), so it needs nothing but CMake.

set(graze_changelog_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)

# The date of a trailer line (" -- Name <address>  Mon, 07 Dec 2026 12:00:00
# +0000") as YYYY-MM-DD, the day as written.
function(graze_changelog_date line out)
  if(NOT line MATCHES "^ -- .*>  [A-Za-z]+, +([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no date in the trailer line \"${line}\"")
  endif()
  set(day ${CMAKE_MATCH_1})
  set(year ${CMAKE_MATCH_3})
  list(FIND graze_changelog_months "${CMAKE_MATCH_2}" month)
  if(month EQUAL -1)
    message(FATAL_ERROR "packaging/changelog: no month in the trailer line \"${line}\"")
  endif()
  math(EXPR month "${month} + 1")
  foreach(part day month)
    string(LENGTH "${${part}}" length)
    if(length EQUAL 1)
      set(${part} "0${${part}}")
    endif()
  endforeach()
  set(${out} "${year}-${month}-${day}" PARENT_SCOPE)
endfunction()

# Text for an XML element: the three characters XML reserves, escaped.
function(graze_xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Reads the changelog at `path` and sets, in the caller's scope:
#   <prefix>_VERSION, <prefix>_DATE  the newest entry's version and date
#   <prefix>_RELEASES_XML            every entry as an AppStream <release>,
#                                    newest first, each change an item
# The text is walked line by line without CMake lists, so changes may hold
# semicolons and brackets.
function(graze_read_changelog path prefix)
  file(READ "${path}" text)
  set(releases "")
  set(newest_version "")
  set(newest_date "")
  set(version "")
  set(items "")
  set(item "")
  set(indent "    ")
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR after "${end} + 1")
      string(SUBSTRING "${text}" ${after} -1 text)
    endif()

    if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\) ")
      # An entry's first line: its version (an epoch is the package's own
      # affair, not the game's).
      string(REGEX REPLACE "^[0-9]+:" "" version "${CMAKE_MATCH_1}")
      set(items "")
      set(item "")
    elseif(line MATCHES "^  \\* (.*)$")
      if(NOT item STREQUAL "")
        string(APPEND items "${item}\n")
      endif()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    +(.*)$" AND NOT item STREQUAL "")
      # A change's next line, or a point under it, continues the change.
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ -- ")
      if(version STREQUAL "")
        message(FATAL_ERROR "packaging/changelog: a trailer line without its entry: \"${line}\"")
      endif()
      if(NOT item STREQUAL "")
        string(APPEND items "${item}\n")
      endif()
      graze_changelog_date("${line}" date)
      if(newest_version STREQUAL "")
        set(newest_version "${version}")
        set(newest_date "${date}")
      endif()
      string(APPEND releases
             "${indent}<release version=\"${version}\" date=\"${date}\">\n")
      if(NOT items STREQUAL "")
        string(APPEND releases "${indent}  <description>\n${indent}    <ul>\n")
        while(NOT items STREQUAL "")
          string(FIND "${items}" "\n" end)
          string(SUBSTRING "${items}" 0 ${end} change)
          math(EXPR after "${end} + 1")
          string(SUBSTRING "${items}" ${after} -1 items)
          graze_xml_text("${change}" change)
          string(APPEND releases "${indent}      <li>${change}</li>\n")
        endwhile()
        string(APPEND releases "${indent}    </ul>\n${indent}  </description>\n")
      endif()
      string(APPEND releases "${indent}</release>\n")
      set(version "")
      set(items "")
      set(item "")
    endif()
  endwhile()
  if(newest_version STREQUAL "")
    message(FATAL_ERROR "packaging/changelog: no complete entry in ${path}")
  endif()
  set(${prefix}_VERSION "${newest_version}" PARENT_SCOPE)
  set(${prefix}_DATE "${newest_date}" PARENT_SCOPE)
  set(${prefix}_RELEASES_XML "${releases}" PARENT_SCOPE)
endfunction()
