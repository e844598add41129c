# The release files, each written once at the top of the tree and turned here into what a package
# carries: LICENSE into Debian's machine-readable copyright file, CHANGELOG.md into Debian's
# changelog. Configuring also stops when CHANGELOG.md's newest release is not the version that
# project() sets, or when the AppStream metadata lists other releases than CHANGELOG.md.
#
# Expects CAPLIFT_MAINTAINER ("Name <address>") and the metainfo path in CAPLIFT_METAINFO.

set(license_file ${PROJECT_SOURCE_DIR}/LICENSE)
set(changelog_file ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${license_file} ${changelog_file} ${CAPLIFT_METAINFO})

# --- CHANGELOG.md: its released versions, newest first -------------------------------------------

file(STRINGS ${changelog_file} changelog_lines)
set(releases "")
set(release "")
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^## ")
    set(release "")
    if(line MATCHES "^## \\[([0-9][^]]*)\\] - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
      set(release ${CMAKE_MATCH_1})
      list(APPEND releases ${release})
      set(release_date_${release} ${CMAKE_MATCH_2})
      set(release_notes_${release} "")
    elseif(NOT line MATCHES "^## \\[Unreleased\\]$")
      message(FATAL_ERROR "CHANGELOG.md: '${line}' is neither '## [Unreleased]' nor "
        "'## [VERSION] - YYYY-MM-DD'")
    endif()
  elseif(release AND NOT line STREQUAL "")
    # The notes as plain text: headings become a label, bullets Debian's asterisks.
    string(REPLACE "`" "" line "${line}")
    if(line MATCHES "^### (.*)$")
      set(line "${CMAKE_MATCH_1}:")
    elseif(line MATCHES "^- (.*)$")
      set(line "* ${CMAKE_MATCH_1}")
    endif()
    # A list cannot hold a semicolon; it comes back when the notes are written.
    string(REPLACE ";" "<semicolon>" line "${line}")
    list(APPEND release_notes_${release} "${line}")
  endif()
endforeach()

list(LENGTH releases release_count)
if(release_count EQUAL 0)
  message(FATAL_ERROR "CHANGELOG.md has no released version; project() sets ${PROJECT_VERSION}")
endif()
list(GET releases 0 newest)
if(NOT newest STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md's newest release is ${newest}, but project() sets "
    "${PROJECT_VERSION}: give the version its section (move the Unreleased notes under "
    "'## [${PROJECT_VERSION}] - DATE') or set project() to ${newest}")
endif()

# --- The AppStream metadata lists the same releases ----------------------------------------------

file(READ ${CAPLIFT_METAINFO} metainfo)
string(REGEX MATCHALL "<release [^>]*>" metainfo_releases "${metainfo}")
set(listed "")
foreach(element IN LISTS metainfo_releases)
  if(NOT element MATCHES "version=\"([^\"]+)\"")
    message(FATAL_ERROR "${CAPLIFT_METAINFO}: a release without a version: ${element}")
  endif()
  set(version ${CMAKE_MATCH_1})
  if(NOT element MATCHES "date=\"([^\"]+)\"")
    message(FATAL_ERROR "${CAPLIFT_METAINFO}: release ${version} has no date")
  endif()
  list(APPEND listed "${version} ${CMAKE_MATCH_1}")
endforeach()
set(expected "")
foreach(version IN LISTS releases)
  list(APPEND expected "${version} ${release_date_${version}}")
endforeach()
if(NOT listed STREQUAL expected)
  message(FATAL_ERROR "The releases in ${CAPLIFT_METAINFO} (${listed}) are not CHANGELOG.md's "
    "(${expected}), newest first")
endif()

if(APPLE)
  return()
endif()

# --- /usr/share/doc/caplift/copyright, from LICENSE ----------------------------------------------

file(STRINGS ${license_file} license_lines)
list(GET license_lines 0 license_title)
if(NOT license_title STREQUAL "MIT License")
  message(FATAL_ERROR "LICENSE: teach packaging/ReleaseFiles.cmake the Debian name of "
    "'${license_title}'")
endif()
set(copyright "")
set(license_text "")
foreach(line IN LISTS license_lines)
  if(line MATCHES "^Copyright \\([cC]\\) (.+)$")
    set(copyright ${CMAKE_MATCH_1})
  elseif(copyright)
    # DEP-5 indents a licence by one space and writes its empty lines as a dot.
    if(line STREQUAL "")
      if(license_text)
        string(APPEND license_text " .\n")
      endif()
    else()
      string(APPEND license_text " ${line}\n")
    endif()
  endif()
endforeach()
if(NOT copyright OR NOT license_text)
  message(FATAL_ERROR "LICENSE: no 'Copyright (c) YEAR HOLDER' line followed by the licence")
endif()
set(debian_doc ${CMAKE_CURRENT_BINARY_DIR}/debian-doc)
# Debian's name for this licence is Expat.
file(CONFIGURE OUTPUT ${debian_doc}/copyright CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: @PROJECT_NAME@
Upstream-Contact: @CAPLIFT_MAINTAINER@

Files: *
Copyright: @copyright@
License: Expat
@license_text@]] @ONLY)

# --- /usr/share/doc/caplift/changelog.gz, from CHANGELOG.md --------------------------------------

# Debian dates an entry with its weekday: from the day's number since 1970 (Howard Hinnant's
# days_from_civil), through SOURCE_DATE_EPOCH, which string(TIMESTAMP) honours.
function(debian_date iso out)
  string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" _ "${iso}")
  set(y ${CMAKE_MATCH_1})
  set(m ${CMAKE_MATCH_2})
  set(d ${CMAKE_MATCH_3})
  if(m LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
    math(EXPR shifted "${m} + 9")
  else()
    math(EXPR shifted "${m} - 3")
  endif()
  math(EXPR era "${y} / 400")
  math(EXPR yoe "${y} - ${era} * 400")
  math(EXPR doy "(153 * ${shifted} + 2) / 5 + ${d} - 1")
  math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
  math(EXPR days "${era} * 146097 + ${doe} - 719468")
  set(saved "$ENV{SOURCE_DATE_EPOCH}")
  math(EXPR epoch "${days} * 86400")
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(ENV{SOURCE_DATE_EPOCH} "${saved}")
  set(${out} "${date}" PARENT_SCOPE)
endfunction()

set(debian_changelog "")
foreach(version IN LISTS releases)
  debian_date(${release_date_${version}} date)
  string(APPEND debian_changelog "caplift (${version}) unstable; urgency=medium\n\n")
  foreach(line IN LISTS release_notes_${version})
    string(REPLACE "<semicolon>" ";" line "${line}")
    string(APPEND debian_changelog "  ${line}\n")
  endforeach()
  string(APPEND debian_changelog "\n -- ${CAPLIFT_MAINTAINER}  ${date}\n\n")
endforeach()
string(STRIP "${debian_changelog}" debian_changelog)
file(CONFIGURE OUTPUT ${debian_doc}/changelog CONTENT "@debian_changelog@\n" @ONLY)

add_custom_command(OUTPUT ${debian_doc}/changelog.gz
  COMMAND gzip -9nc ${debian_doc}/changelog > ${debian_doc}/changelog.gz
  DEPENDS ${debian_doc}/changelog
  VERBATIM)
add_custom_target(caplift_debian_changelog ALL DEPENDS ${debian_doc}/changelog.gz)
install(FILES ${debian_doc}/copyright ${debian_doc}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/caplift)
