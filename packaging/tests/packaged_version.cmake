# The version of the project (VERSION) is the one the Debian package carries
# (the newest entry of CHANGELOG) and the newest release of the AppStream
# file (METAINFO).
# Usage: cmake -DVERSION=... -DCHANGELOG=... -DMETAINFO=... -P packaged_version.cmake
file(STRINGS ${CHANGELOG} first_line LIMIT_COUNT 1)
if(NOT first_line MATCHES "^marrowbook \\(([^)]+)\\) ")
    message(FATAL_ERROR "${CHANGELOG} does not start with an entry of marrowbook: ${first_line}")
endif()
set(package_version ${CMAKE_MATCH_1})
if(NOT package_version STREQUAL VERSION)
    message(FATAL_ERROR "debian/changelog says ${package_version}, the project is ${VERSION}")
endif()

file(READ ${METAINFO} metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]+)\"")
    message(FATAL_ERROR "${METAINFO} names no release")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "the AppStream file's newest release is ${CMAKE_MATCH_1}, the project is ${VERSION}")
endif()
