#version 330

// The City: an endless city and seagulls, raymarched per pixel. Three sections
// of the world follow each other at fixed rows: the city with one seagull and
// then a flock, a twisted tower circled by rings of seagulls, and the city with
// a stream of seagulls. Distance functions return (distance, material id).

// ---- Uniforms and constants ------------------------------------------------

uniform vec2 resolution;       // target size in pixels
uniform float time;            // demo clock, seconds
uniform float fadeToBlack;     // 0 = picture, 1 = black
uniform vec3 cameraPosition;   // origin of every ray
uniform vec3 cameraRotation;   // degrees about x, y, z
uniform vec3 seagullPosition;  // the lead seagull or the flock (city section)

out vec4 color;

const float HALF_PI = acos(-1.0) / 2.0;
// The tempo, as the tracks count it: 175 beats per minute, 4 rows to a beat.
const float BEATS_PER_MINUTE = 175.0;
const float ROWS_PER_BEAT = 4.0;
const float ROWS_PER_SECOND = BEATS_PER_MINUTE / 60.0 * ROWS_PER_BEAT;

const int MAX_STEPS = 128;
const float HIT_RATIO = 0.0001;       // hit threshold, relative to the distance travelled
const float ESCAPE_DISTANCE = 100.0;  // a single sample beyond this leaves the world
const float NORMAL_EPSILON = 0.001;
const float CITY_PERIOD = 50.0;

const vec3 LIGHT_DIRECTION = normalize(vec3(0.3, 0.9, -0.6));
const vec3 SKY_COLOUR = vec3(0.07, 0.12, 0.4);
const vec3 FOG_COLOUR = vec3(0.05, 0.05, 0.1);
const float GAMMA_EXPONENT = 0.4545;

// Set first thing in main(): GLSL ES takes only constants as initialisers here.
// All are the same for every sample of a frame: no distance function computes
// them again. A turn is an angle's cosine and sine (turnBy).
float beat = 0.0;  // time in beats: wing beat, flock sway, tower twist
float row = 0.0;   // time in rows, as the tracks count: picks the section
float wingBeat = 0.0;            // sine of the wing beat; the tower twists with it
float wing = 0.0;                // the seagulls' wing angle
vec2 wingTurn = vec2(1.0, 0.0);
vec3 flockDrift = vec3(0.0);     // the flock's sway, sideways and back and forth
vec2 flockBank = vec2(1.0, 0.0);
vec2 flockPitch = vec2(1.0, 0.0);
vec2 flockRoll[3] = vec2[3](vec2(1.0, 0.0), vec2(1.0, 0.0), vec2(1.0, 0.0));  // birds -1, 0, 1

// ---- Operators ---------------------------------------------------------------

float maxComponent(vec3 p)
{
    return max(max(p.x, p.y), p.z);
}

// The cosine and sine of an angle, for rotate2D.
vec2 turnBy(float angle)
{
    return vec2(cos(angle), sin(angle));
}

// Turns what is drawn at p by the angle whose cosine and sine `turn` holds,
// from the pair's first axis to its second.
void rotate2D(inout vec2 p, vec2 turn)
{
    p = vec2(p.x * turn.x + p.y * turn.y, p.y * turn.x - p.x * turn.y);
}

void rotate2D(inout vec2 p, float angle)
{
    rotate2D(p, turnBy(angle));
}

float repeat1D(inout float x, float period)
{
    float halfPeriod = period / 2.0;
    float cell = floor((x + halfPeriod) / period);
    x = mod(x + halfPeriod, period) - halfPeriod;
    return cell;
}

vec2 repeatGrid2D(inout vec2 p)
{
    vec2 halfPeriod = vec2(CITY_PERIOD / 2.0);
    vec2 cell = floor((p + halfPeriod) / CITY_PERIOD);
    p = mod(p + halfPeriod, CITY_PERIOD) - halfPeriod;
    return cell;
}

vec3 repeatGrid3D(inout vec3 p)
{
    vec3 halfPeriod = vec3(CITY_PERIOD / 2.0);
    vec3 cell = floor((p + halfPeriod) / CITY_PERIOD);
    p = mod(p + halfPeriod, CITY_PERIOD) - halfPeriod;
    return cell;
}

// Six sectors around the origin, each carried onto the one centred on +a.
float repeatPolar(inout vec2 p)
{
    const float SECTOR = 2.0 * HALF_PI / 3.0;
    float radius = length(p);
    // atan(0, 0) is undefined: a point on the axis takes the angle 0.
    float angle = (radius > 0.0 ? atan(p.y, p.x) : 0.0) + SECTOR / 2.0;
    float sector = floor(angle / SECTOR);
    angle = mod(angle, SECTOR) - SECTOR / 2.0;
    p = vec2(radius * cos(angle), radius * sin(angle));
    // The sector on the negative axis is cut in two by atan's range.
    if (abs(sector) >= 3.0) sector = abs(sector);
    return sector;
}

// Folds x onto its positive side, moved in by 0.2: a pair 0.4 apart.
float mirror(inout float x)
{
    float side = x < 0.0 ? -1.0 : 1.0;
    x = abs(x) - 0.2;
    return side;
}

// ---- Primitives --------------------------------------------------------------

float boxDistance(vec3 p, vec3 halfExtents)
{
    vec3 q = abs(p) - halfExtents;
    return length(max(q, 0.0)) + maxComponent(min(q, 0.0));
}

// Spheres of radius r1 at the origin and r2 at (0, h, 0), joined by their tangent cone.
float roundConeDistance(vec3 p, float r1, float r2, float h)
{
    float b = (r1 - r2) / h;
    float a = sqrt(1.0 - b * b);
    vec2 q = vec2(length(p.xz), p.y);
    float k = dot(q, vec2(-b, a));
    if (k < 0.0) return length(q) - r1;
    if (k > a * h) return length(q - vec2(0.0, h)) - r2;
    return dot(q, vec2(a, b)) - r1;
}

// The nearer sample; on a tie the second, so that parts added later win.
vec2 unionNearest(vec2 first, vec2 second)
{
    return first.x < second.x ? first : second;
}

// ---- Models ------------------------------------------------------------------

// A point of the seagull's frame in the frame of its inner wing: mirrored onto
// the wing on +x, moved to its hinge and turned with it.
vec3 innerWingFrame(vec3 p)
{
    mirror(p.x);
    vec3 q = p - vec3(0.0, 0.0, 0.2);
    rotate2D(q.xy, wingTurn);
    return q;
}

// One seagull facing +z, back up, wings along x, flapping once every two beats.
vec2 seagullDistance(vec3 p)
{
    // The cones run along their own +y: turn it to -z.
    vec3 q = p - vec3(0.0, 0.0, 0.5);
    rotate2D(q.yz, -HALF_PI);
    float body = min(roundConeDistance(q, 0.4, 0.3, 1.0),
                     roundConeDistance(q + vec3(0.0, 0.5, 0.0), 0.2, 0.4, 0.5));
    vec2 d = vec2(body, 1.0);
    rotate2D(q.yz, radians(5.0));
    float tail = roundConeDistance(q + vec3(0.0, -1.0, 0.1), 0.28, 0.1, 1.0);
    float beak = boxDistance(p - vec3(0.0, 0.0, 1.25), vec3(0.05, 0.08, 0.2));
    d = unionNearest(unionNearest(d, vec2(tail, 2.0)), vec2(beak, 3.0));

    // Wings and eyes come in pairs.
    q = innerWingFrame(p);
    d = unionNearest(d, vec2(boxDistance(q, vec3(2.0, 0.1, 0.5)), 1.0));
    // The outer wing hangs on the inner one, lifted by the wing angle as a length.
    q -= vec3(2.95, wing, 0.0);
    rotate2D(q.xy, wingTurn);
    q.z += 0.2;
    rotate2D(q.xz, -0.2);
    d = unionNearest(d, vec2(boxDistance(q, vec3(0.8, 0.1, 0.45)), 2.0));
    mirror(p.x);
    d = unionNearest(d, vec2(length(p - vec3(0.0, 0.12, 0.9)) - 0.05, 4.0));
    return d;
}

// Boxes that hold the seagull in every pose, so that a sample can leave the
// model out wherever a surface nearer than the bird is known: the sample is
// then the same. With the wing angle w anywhere in [-0.4, 0.4]:
// - body, head, tail, beak and eyes lie within |x|, |y| <= 0.4, from the tip
//   of the tail (its cone rises 5 degrees) at z = -1.601 to the beak's at 1.45;
// - in the inner wing's frame the inner wing is its own box, |x| <= 2,
//   |y| <= 0.1, |z| <= 0.5; the outer wing, lifted by w and turned by w more,
//   reaches x from 2.07 to 3.83, |y| <= 0.833 (at |w| = 0.4), z from -0.8
//   to 0.4 (its half box swept back by 0.2 about a point 0.2 behind it);
// - the whole bird in its own frame, wing tips turned by up to 0.8: |x| <=
//   4.026 (level, 0.2 + 2.95 + 0.8 cos 0.2 + 0.45 sin 0.2 = 4.023; a little
//   more at |w| = 0.2), |y| <= 2.214 (at |w| = 0.4), z from -1.601 to 1.45.
// Each box clears these by 0.02 or more, far more than the rounding of the
// model's arithmetic.
const vec3 SEAGULL_BOX_CENTRE = vec3(0.0, 0.0, -0.08);  // the body's box's too
const vec3 SEAGULL_BOX_SIZE = vec3(4.05, 2.25, 1.55);   // half extents
const vec3 BODY_BOX_SIZE = vec3(0.42, 0.42, 1.55);
const vec3 WINGS_BOX_CENTRE = vec3(0.92, 0.0, -0.15);   // in the inner wing's frame
const vec3 WINGS_BOX_SIZE = vec3(2.94, 0.86, 0.67);

// Whether the seagull at p is farther than `distance` in every pose: first
// the one box around the whole bird, then the closer ones of body and wings.
bool seagullBeyond(vec3 p, float distance)
{
    if (boxDistance(p - SEAGULL_BOX_CENTRE, SEAGULL_BOX_SIZE) > distance) return true;
    float body = boxDistance(p - SEAGULL_BOX_CENTRE, BODY_BOX_SIZE);
    float wings = boxDistance(innerWingFrame(p) - WINGS_BOX_CENTRE, WINGS_BOX_SIZE);
    return min(body, wings) > distance;
}

// unionNearest(nearest, seagullDistance(p)), with the model evaluated only
// where the bird can be the nearer.
vec2 unionSeagull(vec2 nearest, vec3 p)
{
    if (seagullBeyond(p, nearest.x)) return nearest;
    return unionNearest(nearest, seagullDistance(p));
}

// Three seagulls in a V, drifting, banking, pitching and rolling on the beat,
// united with `nearest` bird by bird.
vec2 unionFlock(vec2 nearest, vec3 p)
{
    vec2 d = nearest;
    p += flockDrift;
    rotate2D(p.xy, flockBank);
    for (int i = -1; i <= 1; i++) {
        float bird = float(i);
        vec3 q = p + vec3(10.0 * bird, 0.0, 3.0 * abs(bird));
        rotate2D(q.yz, flockPitch);
        rotate2D(q.xy, flockRoll[i + 1]);
        d = unionSeagull(d, q);
    }
    return d;
}

// Towers 50 apart with streets 30 wide between them, endless in every direction;
// floor slabs every 3 units jut out from a core that runs through them.
float cityDistance(vec3 p)
{
    vec3 q = p + vec3(25.0, 0.0, 0.0);
    repeatGrid2D(q.xz);
    repeat1D(q.y, 3.0);
    return min(boxDistance(q, vec3(10.0, 1.2, 10.0)), boxDistance(q, vec3(9.5, 9.5, 9.5)));
}

// ---- Scene -------------------------------------------------------------------

vec2 sceneDistance(vec3 p)
{
    if (row < 384.0) {
        // City section: one seagull, then from row 256 the flock.
        vec2 city = vec2(cityDistance(p), 5.0);
        if (row < 256.0) return unionSeagull(city, p - seagullPosition);
        return unionFlock(city, p - seagullPosition);
    }
    if (row < 512.0) {
        // Tower section: six twisted columns around the y axis.
        vec3 q = p;
        repeatPolar(q.xz);
        q.x -= 3.0;
        repeat1D(q.y, 3.0);
        rotate2D(q.xz, q.y * 0.2 * wingBeat);
        vec2 tower = vec2(boxDistance(q, vec3(1.0, 1.0, 1.0)), 5.0);

        // Rings of six seagulls flying upwards, turning about the tower and
        // rising twice as fast as the camera.
        q = p - vec3(0.0, 2.0 * cameraPosition.y, 0.0);
        rotate2D(q.xz, time);
        repeatPolar(q.xz);
        repeat1D(q.y, 12.0);
        q.x -= 8.0;
        rotate2D(q.yz, -HALF_PI);
        rotate2D(q.xy, -HALF_PI);
        tower = unionSeagull(tower, q);

        // A half-size seagull, head down, always 3 units above the camera.
        q = p - vec3(0.0, cameraPosition.y + 3.0, -0.5);
        rotate2D(q.yz, -HALF_PI);
        rotate2D(q.xz, -2.0 * HALF_PI);
        q /= 0.5;
        // Beyond the tower at half size: beyond twice its distance at full size.
        if (seagullBeyond(q, 2.0 * tower.x)) return tower;
        vec2 small = seagullDistance(q);
        small.x *= 0.5;
        return unionNearest(tower, small);
    }
    // Stream section: the city with a lattice of seagulls flying along +z.
    vec2 city = vec2(cityDistance(p), 5.0);
    vec3 q = p + vec3(0.0, 25.0, 25.0 - 500.0 * time);
    repeatGrid3D(q);
    return unionSeagull(city, q);
}

// ---- Marcher -----------------------------------------------------------------

struct IntersectionResult {
    float distance;  // along the ray; -1 when it escaped
    float material;  // -1 when nothing was hit
    int steps;       // step at which the march ended, MAX_STEPS when it ran out
};

IntersectionResult march(vec3 origin, vec3 direction)
{
    float t = 0.0;
    float material = -1.0;
    for (int steps = 0; steps < MAX_STEPS; steps++) {
        vec2 s = sceneDistance(origin + direction * t);
        // The material is the previous sample's: a ray that starts inside a
        // solid has none and shows the sky.
        if (s.x < HIT_RATIO * t) return IntersectionResult(t, material, steps);
        if (s.x > ESCAPE_DISTANCE) return IntersectionResult(-1.0, -1.0, steps);
        t += s.x;
        material = s.y;
    }
    return IntersectionResult(t, material, MAX_STEPS);
}

// ---- Normal ------------------------------------------------------------------

// One-sided differences: four samples instead of six.
vec3 surfaceNormal(vec3 p)
{
    float d = sceneDistance(p).x;
    return normalize(vec3(sceneDistance(p + vec3(NORMAL_EPSILON, 0.0, 0.0)).x - d,
                          sceneDistance(p + vec3(0.0, NORMAL_EPSILON, 0.0)).x - d,
                          sceneDistance(p + vec3(0.0, 0.0, NORMAL_EPSILON)).x - d));
}

// ---- Shading -----------------------------------------------------------------

vec3 shade(vec2 p, vec3 origin, vec3 direction)
{
    IntersectionResult hit = march(origin, direction);
    vec3 colour = SKY_COLOUR;
    if (hit.material > -1.0) {
        vec3 normal = surfaceNormal(origin + direction * hit.distance);
        vec3 base = vec3(1.0, 0.0, 0.0);
        if (hit.material == 1.0) base = vec3(1.0, 1.0, 1.0);          // seagull body
        else if (hit.material == 2.0) base = vec3(0.4, 0.4, 0.4);     // tail, outer wings
        else if (hit.material == 3.0) base = vec3(1.0, 0.52, 0.0);    // beak
        else if (hit.material == 4.0) base = vec3(0.0, 0.0, 0.0);     // eyes
        // Buildings: the more steps a ray took, the brighter, so edges and
        // grazing surfaces stand out.
        else if (hit.material == 5.0) base = vec3(0.21, 0.31, 0.78) * float(hit.steps) / float(MAX_STEPS);
        float diffuse = max(dot(normal, LIGHT_DIRECTION), 0.0);
        vec3 lit = base * (diffuse + 0.03);
        float fog = 1.0 - exp((8.0 - hit.distance) * 0.005);
        colour = lit * (1.0 - fog) + FOG_COLOUR * fog;
    }
    float u = clamp((0.8 - 0.3 * length(p)) / 0.6, 0.0, 1.0);
    return colour * (u * u * (3.0 - 2.0 * u));
}

// ---- Frame -------------------------------------------------------------------

vec2 screenPosition(vec2 pixel)
{
    vec2 p = 2.0 * (pixel / resolution - 0.5);
    p.x *= resolution.x / resolution.y;
    return p;
}

mat3 rotationX(float angle)
{
    float c = cos(angle);
    float s = sin(angle);
    return mat3(1.0, 0.0, 0.0, 0.0, c, -s, 0.0, s, c);
}

mat3 rotationY(float angle)
{
    float c = cos(angle);
    float s = sin(angle);
    return mat3(c, 0.0, s, 0.0, 1.0, 0.0, -s, 0.0, c);
}

mat3 rotationZ(float angle)
{
    float c = cos(angle);
    float s = sin(angle);
    return mat3(c, -s, 0.0, s, c, 0.0, 0.0, 0.0, 1.0);
}

// Looks along +z before turning: about x, then y, then z, all world axes.
vec3 cameraRay(vec2 p, vec3 angles)
{
    vec3 d = normalize(vec3(p.x / 2.0, p.y / 2.0, 1.0));
    return d * rotationX(angles.x) * rotationY(angles.y) * rotationZ(angles.z);
}

void main()
{
    beat = time / (60.0 / BEATS_PER_MINUTE);
    row = time * ROWS_PER_SECOND;
    wingBeat = sin(beat * 2.0 * HALF_PI);
    wing = 0.4 * wingBeat;
    wingTurn = turnBy(wing);
    flockDrift = vec3(sin(beat / 4.0 * HALF_PI), 0.0, 8.0 * sin(beat / 8.0 * HALF_PI));
    flockBank = turnBy(radians(-10.0) * sin(beat / 8.0 * HALF_PI));
    flockPitch = turnBy(radians(-10.0) * sin(beat / 4.0 * HALF_PI));
    for (int i = -1; i <= 1; i++) flockRoll[i + 1] = turnBy(radians(-45.0) * float(i) * sin(beat / 2.0 * HALF_PI));
    // From row 512 the camera spins by itself, whatever the tracks say.
    vec3 angles = row >= 512.0 ? vec3(180.0 * sin(time * HALF_PI / 4.0)) : cameraRotation;
    vec2 p = screenPosition(gl_FragCoord.xy);
    vec3 d = cameraRay(p, radians(angles));
    vec3 c = shade(p, cameraPosition, d);
    // A colour just below 0 (black near the camera, pushed by the fog) stays black.
    color = vec4(pow(max(c, 0.0), vec3(GAMMA_EXPONENT)), 1.0);
    color = color * (1.0 - fadeToBlack) + vec4(0.0, 0.0, 0.0, 1.0) * fadeToBlack;
}
