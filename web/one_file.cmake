# The release archive's page (scripts/package-release.sh): the demo linked with
# its .wasm inside the JavaScript, put into the page by one_file_page.cmake as
# build-web/one-file/quorl.html.
get_target_property(sources quorl-web SOURCES)
get_target_property(libraries quorl-web LINK_LIBRARIES)
get_target_property(link_options quorl-web LINK_OPTIONS)
add_executable(quorl-one-file ${sources})
target_link_libraries(quorl-one-file PRIVATE ${libraries})
quorl_target_options(quorl-one-file)
target_link_options(quorl-one-file PRIVATE ${link_options} -sSINGLE_FILE=1)
set_target_properties(quorl-one-file PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/one-file")

set(page "${PROJECT_BINARY_DIR}/one-file/quorl.html")
add_custom_command(
  OUTPUT "${page}"
  COMMAND "${CMAKE_COMMAND}" -DPAGE=${CMAKE_CURRENT_SOURCE_DIR}/quorl.html
          -DPROGRAM=$<TARGET_FILE:quorl-one-file> -DOUTPUT=${page} -P ${CMAKE_CURRENT_SOURCE_DIR}/one_file_page.cmake
  DEPENDS quorl-one-file "${CMAKE_CURRENT_SOURCE_DIR}/quorl.html" "${CMAKE_CURRENT_SOURCE_DIR}/one_file_page.cmake"
  COMMENT "Putting the program into the one-file page"
  VERBATIM)
add_custom_target(quorl-one-file-page ALL DEPENDS "${page}")
