# The programs that make the assets (the track-table compiler and the
# composer), taken from a native build of Quorl: a cross build, the browser's,
# cannot run what it compiles. The cross build also takes that build's raylib
# source, so that the page and the desktop demo come from the same raylib.
set(QUORL_NATIVE_BUILD "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "A native build of Quorl with quorl-track-table and quorl-composer built (scripts/build-web.sh makes one)")

foreach(tool track-table composer)
  set(program "${QUORL_NATIVE_BUILD}/tools/${tool}/quorl-${tool}")
  if(NOT EXISTS "${program}")
    message(FATAL_ERROR "No ${program}: build it natively first "
                        "(cmake --build ${QUORL_NATIVE_BUILD} --target quorl-${tool}), or run scripts/build-web.sh")
  endif()
  add_executable(quorl-${tool} IMPORTED GLOBAL)
  set_target_properties(quorl-${tool} PROPERTIES IMPORTED_LOCATION "${program}")
endforeach()

load_cache("${QUORL_NATIVE_BUILD}" READ_WITH_PREFIX native_ QUORL_RAYLIB_SOURCE)
set(QUORL_RAYLIB_SOURCE "${native_QUORL_RAYLIB_SOURCE}" CACHE PATH "raylib source tree of the native build" FORCE)
