# Writes quorl.exe's resource script with the version as git names the
# checkout, at every build (the file changes only with the version):
#
#   cmake -DTEMPLATE=quorl.rc.in -DOUTPUT=quorl.rc -DICON=quorl.ico -DMANIFEST=quorl.manifest -DSOURCE=repository
#         -P version_resource.cmake
#
# FILEVERSION takes the numbers of a tag such as v1.2.3 and the commits since
# (1,2,3,4 four commits later), and is 0,0,0,0 without one.
execute_process(COMMAND "${SOURCE}/scripts/version.sh" OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
set(version_numbers 0,0,0,0)
if(version MATCHES "^v?([0-9]+)\\.([0-9]+)(\\.([0-9]+))?(-([0-9]+)-g)?")
  set(numbers)
  foreach(part 1 2 4 6)
    math(EXPR number "0${CMAKE_MATCH_${part}}")
    list(APPEND numbers ${number})
  endforeach()
  list(JOIN numbers , version_numbers)
endif()
set(icon "${ICON}")
set(manifest "${MANIFEST}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
