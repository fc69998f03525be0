#version 330

// Stand-in for the raymarched City: a gradient that follows the camera and the
// seagull, faded by the choreography.

uniform vec2 resolution;
uniform float time;
uniform float fadeToBlack;
uniform vec3 cameraPosition;
uniform vec3 cameraRotation;
uniform vec3 seagullPosition;

out vec4 color;

void main()
{
    vec2 p = gl_FragCoord.xy / resolution;
    float sway = sin(time + 0.01 * cameraPosition.z + radians(cameraRotation.y));
    float pulse = cos(dot(seagullPosition, vec3(0.1)) + 0.1 * (cameraPosition.x + cameraPosition.y) +
                      radians(cameraRotation.x + cameraRotation.z));
    vec3 c = vec3(p, 0.5 + 0.5 * sway) * (0.75 + 0.25 * pulse);
    color = vec4(c * (1.0 - fadeToBlack), 1.0);
}
