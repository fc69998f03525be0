# The assets (the music and the track table), made once by a native build of
# Quorl, its composer and track-table compiler: a cross build (for the browser,
# for Windows) does not run what it compiles. It brings the native build's
# assets up to date and embeds them. It also takes that build's raylib source,
# so that every build of the demo comes from the same raylib.
set(QUORL_NATIVE_BUILD "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "A configured native build of Quorl, whose assets this build embeds (scripts/build.sh makes one)")
if(NOT EXISTS "${QUORL_NATIVE_BUILD}/CMakeCache.txt")
  message(FATAL_ERROR "No native build at ${QUORL_NATIVE_BUILD}: configure one first (scripts/build.sh), "
                      "or run scripts/build-web.sh or scripts/build-windows.sh")
endif()

set(QUORL_NATIVE_ASSETS "${QUORL_NATIVE_BUILD}/assets")
add_custom_target(quorl-native-assets
  COMMAND "${CMAKE_COMMAND}" --build "${QUORL_NATIVE_BUILD}" --target quorl-music-data quorl-track-table-data
  BYPRODUCTS "${QUORL_NATIVE_ASSETS}/music.ogg" "${QUORL_NATIVE_ASSETS}/tracks.bin"
  COMMENT "Bringing the native build's music and track table up to date")

load_cache("${QUORL_NATIVE_BUILD}" READ_WITH_PREFIX native_ QUORL_RAYLIB_SOURCE)
set(QUORL_RAYLIB_SOURCE "${native_QUORL_RAYLIB_SOURCE}" CACHE PATH "raylib source tree of the native build" FORCE)
