#!/usr/bin/env bash
# Runs COMMAND with Mesa handing its compiler a broken shader in place of
# SOURCE: Mesa reads a replacement for a shader from MESA_SHADER_READ_PATH,
# found by the SHA-1 of the text it was given. The demo's own compile and
# check then meet a real compiler error.
#
#   with_broken_shader.sh SOURCE COMMAND...
set -uo pipefail
source=${1:?the shader source to replace}
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf '#version 330\nout vec4 color;\nvoid main() { color = vec4(undeclared); }\n' \
  >"$folder/FS_$(sha1sum "$source" | cut -d' ' -f1).glsl"
MESA_SHADER_READ_PATH=$folder "$@"
