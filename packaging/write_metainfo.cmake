# Build time: writes the AppStream metainfo from graze.metainfo.xml.in, its
# releases from the changelog. Run with cmake -P and these set:
#   TEMPLATE, CHANGELOG, OUTPUT      the files
#   GRAZE_APPSTREAM_ID               the component's id
#   GRAZE_APPSTREAM_DOMAIN           the publisher's reversed domain (the developer's id)
#   GRAZE_PROJECT_URL                the project's home page
#   GRAZE_APPSTREAM_LEGACY_DEVELOPER ON for an AppStream older than 1.0
cmake_minimum_required(VERSION 3.20)
include("${CMAKE_CURRENT_LIST_DIR}/changelog.cmake")

graze_read_changelog("${CHANGELOG}" changelog)
set(GRAZE_RELEASES_XML "${changelog_RELEASES_XML}")

graze_xml_text("${GRAZE_PROJECT_URL}" GRAZE_PROJECT_URL_XML)
# The screenshots are the README's (docs/), widened to 16:9 in
# docs/appstream/, published with the project under its address.
string(REGEX REPLACE "/+$" "" home "${GRAZE_PROJECT_URL}")
graze_xml_text("${home}/docs/appstream" GRAZE_SCREENSHOTS_URL_XML)

# AppStream 1.0 names the developer in a <developer> block; the AppStream of
# Debian 12 (0.16) knows only <developer_name>, which 1.0 still reads.
set(developer "Graze developers")
if(GRAZE_APPSTREAM_LEGACY_DEVELOPER)
  set(GRAZE_DEVELOPER_XML "  <developer_name>${developer}</developer_name>")
else()
  set(GRAZE_DEVELOPER_XML
      "  <developer id=\"${GRAZE_APPSTREAM_DOMAIN}\">\n    <name>${developer}</name>\n  </developer>")
endif()

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
