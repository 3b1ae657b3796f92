# Installs the program into an empty prefix, as `make install` and the package do, and checks what
# a desktop, a package manager and a person would look for there. Then it starts the installed
# program offscreen and expects the start-up screen.
#   cmake -DBUILD_DIR=<build tree> -DPREFIX=<empty place> -DVERSION=<project version> -P InstallTest.cmake

set(failures 0)
macro(fail)
  message(SEND_ERROR ${ARGN})
  math(EXPR failures "${failures} + 1")
endmacro()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(id org.velarium.Velarium)
set(program ${PREFIX}/bin/velarium)
set(desktop ${PREFIX}/share/applications/${id}.desktop)
set(icon ${PREFIX}/share/icons/hicolor/scalable/apps/${id}.svg)
set(metainfo ${PREFIX}/share/metainfo/${id}.metainfo.xml)
set(manual ${PREFIX}/share/man/man1/velarium.1.gz)
set(docs ${PREFIX}/share/doc/velarium)
set(mime ${PREFIX}/share/mime)
foreach(file ${program} ${desktop} ${icon} ${metainfo} ${manual} ${docs}/copyright ${docs}/changelog.gz
             ${mime}/packages/${id}.xml)
  if(NOT EXISTS ${file})
    fail("not installed: ${file}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures} files missing")
endif()

# man and Debian read these compressed: the file must start with gzip's magic number.
foreach(file ${manual} ${docs}/changelog.gz)
  file(READ ${file} magic LIMIT 2 HEX)
  if(NOT magic STREQUAL "1f8b")
    fail("${file} is not gzip-compressed")
  endif()
endforeach()

# The menu entry starts the installed program and shows the installed icon; the AppStream
# component launches that entry and announces this version.
file(READ ${desktop} entry)
foreach(line "Exec=velarium %f" "Icon=${id}" "Categories=Education;Science;Physics;Qt;"
             "MimeType=application/x-velarium-lesson;")
  if(NOT entry MATCHES "\n${line}\n")
    fail("${desktop} lacks the line ${line}")
  endif()
endforeach()
file(READ ${metainfo} component)
foreach(part "<id>${id}</id>" "<launchable type=\"desktop-id\">${id}.desktop</launchable>"
             "<release version=\"${VERSION}\"" "<content_rating" "<project_license>")
  string(FIND "${component}" "${part}" at)
  if(at LESS 0)
    fail("${metainfo} lacks ${part}")
  endif()
endforeach()
file(READ ${icon} picture LIMIT 400)
if(NOT picture MATCHES "<svg")
  fail("${icon} is not an SVG picture")
endif()

# The same validators as `make package`, on the installed files.
foreach(check "desktop-file-validate;${desktop}" "appstreamcli;validate;--no-net;${metainfo}")
  list(GET check 0 tool)
  find_program(tool_path ${tool} NO_CACHE)
  if(NOT tool_path)
    fail("${tool} is missing: run scripts/install-deps")
    continue()
  endif()
  list(SUBLIST check 1 -1 arguments)
  execute_process(COMMAND ${tool_path} ${arguments} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    fail("${tool} rejects the installed file:\n${out}")
  endif()
  unset(tool_path)
endforeach()

# The lesson type, read as a desktop reads it: the database built from the installed file alone
# knows the type by its name and by the text it begins with.
find_program(update_mime update-mime-database NO_CACHE)
if(NOT update_mime)
  fail("update-mime-database is missing: run scripts/install-deps")
else()
  execute_process(COMMAND ${update_mime} ${mime} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  file(READ ${mime}/globs2 globs)
  file(STRINGS ${mime}/magic magic REGEX "velarium")
  if(NOT status EQUAL 0 OR NOT globs MATCHES "application/x-velarium-lesson:\\*\\.velarium"
     OR NOT magic MATCHES "velarium-lesson")
    fail("update-mime-database does not take the lesson type: status ${status}\n${out}")
  endif()
endif()

# The installed program itself. --version needs no window system at all, as over a remote shell.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
                        --unset=WAYLAND_DISPLAY ${program} --version
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_QUIET TIMEOUT 60)
if(NOT status EQUAL 0 OR NOT out STREQUAL "velarium ${VERSION}\n")
  fail("velarium --version gave status ${status} and printed '${out}'")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${program} --self-test
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 0 OR NOT out MATCHES "(^|\n)FIRST EXPLANATION\n")
  fail("the installed program did not show FIRST EXPLANATION: status ${status}, printed '${out}'\n${err}")
endif()

if(failures)
  message(FATAL_ERROR "${failures} checks failed")
endif()
