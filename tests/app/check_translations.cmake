# Fails when a text of the sources lacks its Japanese or Simplified Chinese translation: lupdate
# runs on the sources into copies of the .ts files, so a text new in the sources counts as well as
# one left unfinished. LUPDATE, WORK; SOURCES, OPTIONS and TS_FILES with "|" between the items.
foreach(list SOURCES OPTIONS TS_FILES)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
file(MAKE_DIRECTORY ${WORK})
set(missing "")
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  if(NOT name MATCHES "_(ja|zh_CN)\\.ts$")
    continue()
  endif()
  configure_file(${ts} ${WORK}/${name} COPYONLY)
  execute_process(COMMAND ${LUPDATE} -silent ${OPTIONS} ${SOURCES} -ts ${WORK}/${name}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}")
  endif()
  file(READ ${WORK}/${name} text)
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "</message>" ";" messages "${text}")
  foreach(message IN LISTS messages)
    if(message MATCHES "<source>([^<]*)</source>" AND
       (message MATCHES "type=\"(unfinished|vanished|obsolete)\"" OR
        message MATCHES "<translation></translation>|<translation/>"))
      string(APPEND missing "\n  ${name}: ${CMAKE_MATCH_1}")
    endif()
  endforeach()
endforeach()
if(missing)
  message(FATAL_ERROR "texts without a translation (update_translations, then translate):"
    "${missing}")
endif()
