# Installs BUILD_DIR into PREFIX and checks what a desktop needs from it, and
# that the installed tq305 runs a command (DATA_FILE: a .dat).
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(entry ${PREFIX}/share/applications/org.tq305_clonedesk.clonedesk.desktop)
if(EXISTS ${PREFIX}/libexec)
  message(FATAL_ERROR "a private program folder is installed: ${PREFIX}/libexec")
endif()
foreach(file bin/TQ305sys bin/tq305 bin/tq305-radio
             share/applications/org.tq305_clonedesk.clonedesk.desktop)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The installed tq305 runs on its own, and finds its print module in the
# private library folder.
file(GLOB_RECURSE modules RELATIVE ${PREFIX} ${PREFIX}/*.so)
if(NOT modules MATCHES "^lib[^;]*/tq305-clonedesk/tq305-print.so$")
  message(FATAL_ERROR "the print module is not in a private library folder: ${modules}")
endif()
execute_process(COMMAND ${PREFIX}/bin/tq305 dump ${DATA_FILE}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed tq305 dump failed (${result}): ${error}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        ${PREFIX}/bin/tq305 print ${DATA_FILE} -o ${PREFIX}/printout.pdf
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0 OR NOT EXISTS ${PREFIX}/printout.pdf)
  message(FATAL_ERROR "the installed tq305 print failed (${result}): ${error}")
endif()

# The entry starts the installed program and shows the installed icon.
file(STRINGS ${entry} lines)
foreach(key Name Name\\[zh_CN\\] Exec Icon Categories)
  set(found ${lines})
  list(FILTER found INCLUDE REGEX "^${key}=")
  if(NOT found)
    message(FATAL_ERROR "the desktop entry lacks ${key}")
  endif()
endforeach()
file(STRINGS ${entry} exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" program "${exec}")
if(NOT EXISTS ${PREFIX}/bin/${program})
  message(FATAL_ERROR "the entry starts ${program}, which is not in bin")
endif()
file(STRINGS ${entry} icon REGEX "^Icon=")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")
if(NOT EXISTS ${PREFIX}/share/icons/hicolor/scalable/apps/${icon}.svg)
  message(FATAL_ERROR "the entry's icon ${icon} is not installed as SVG")
endif()
