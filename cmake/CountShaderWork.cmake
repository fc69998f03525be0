# A copy of a City fragment shader that counts its own work: instead of its
# picture, every pixel gets the number of seagull-model evaluations (red: the
# count modulo 256, green: the count over 256) and of march steps (blue) that
# the pixel took. Works on any version of the shader that keeps the model's
# and the march loop's signatures and ends with main(); fails when one is
# missing, rather than counting nothing.
#
#   cmake -DSOURCE=city.frag -DOUTPUT=city-counting.frag -P CountShaderWork.cmake

foreach(variable SOURCE OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "CountShaderWork.cmake needs -D${variable}=...")
  endif()
endforeach()
file(READ "${SOURCE}" shader)

# Replaces the one occurrence of `anchor` with `replacement`.
function(replace_once anchor replacement)
  string(FIND "${shader}" "${anchor}" first)
  string(FIND "${shader}" "${anchor}" last REVERSE)
  if(first EQUAL -1 OR NOT first EQUAL last)
    message(FATAL_ERROR "${SOURCE}: expected '${anchor}' exactly once")
  endif()
  string(REPLACE "${anchor}" "${replacement}" shader "${shader}")
  set(shader "${shader}" PARENT_SCOPE)
endfunction()

replace_once("out vec4 color;" "out vec4 color;\nint seagullEvaluations = 0;\nint marchSteps = 0;")
replace_once("vec2 seagullDistance(vec3 p)\n{" "vec2 seagullDistance(vec3 p)\n{\n    seagullEvaluations++;")
replace_once("for (int steps = 0; steps < MAX_STEPS; steps++) {"
             "for (int steps = 0; steps < MAX_STEPS; steps++) {\n        marchSteps++;")
replace_once("void main()" "void shadedMain()")
string(APPEND shader [[

void main()
{
    shadedMain();
    float evaluations = float(seagullEvaluations);
    color = vec4(mod(evaluations, 256.0), floor(evaluations / 256.0), float(marchSteps), 255.0) / 255.0;
}
]])
file(WRITE "${OUTPUT}" "${shader}")
