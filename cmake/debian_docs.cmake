# Run by CPack on the files it is about to pack: the documentation as a
# Debian package carries it. The manual pages and the README compressed
# (gzip -9n, no name or time stamp), the licence as a machine-readable
# copyright file, and a changelog entry for this version. `make install`
# keeps the plain files.
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB_RECURSE pages "${root}/korvando.6")
file(GLOB_RECURSE readme "${root}/README.md")
if(NOT pages OR NOT readme)
  message(FATAL_ERROR "debian_docs: manual pages or README not found under ${root}")
endif()
get_filename_component(doc "${readme}" DIRECTORY)

# The licence: the copyright line, then the text after it as the licence body,
# blank lines written as " .".
file(READ "${CPACK_RESOURCE_FILE_LICENSE}" licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)\n\n(.*)" _ "${licence}")
set(holder "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" body)
string(REGEX REPLACE "\n\n" "\n.\n" body "${body}")
string(REPLACE "\n" "\n " body "${body}")
file(WRITE "${doc}/copyright"
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: ${CPACK_PACKAGE_NAME}\n\n"
  "Files: *\nCopyright: ${holder}\nLicense: Expat\n ${body}\n")
file(REMOVE "${doc}/LICENSE")

# The changelog entry, dated on the version's date; its day of the week by
# Sakamoto's rule (0 is Sunday).
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${CPACK_KORVANDO_DATE}")
set(year ${CMAKE_MATCH_1})
set(day ${CMAKE_MATCH_3})
math(EXPR month "${CMAKE_MATCH_2} - 1")
set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
list(GET offsets ${month} offset)
set(y ${year})
if(month LESS 2)
  math(EXPR y "${y} - 1")
endif()
math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
set(day_names Sun Mon Tue Wed Thu Fri Sat)
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET day_names ${weekday} day_name)
list(GET month_names ${month} month_name)
file(WRITE "${doc}/changelog"
  "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
  "  * Version ${CPACK_PACKAGE_VERSION}.\n\n"
  " -- ${CPACK_PACKAGE_CONTACT}  ${day_name}, ${day} ${month_name} ${year} 00:00:00 +0000\n")

foreach(file ${pages} "${readme}" "${doc}/changelog")
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "debian_docs: gzip ${file} failed")
  endif()
endforeach()
