#include "Engines/GpuShaderSource.h"

namespace zantiva {
namespace {

// Frame parameters, set per draw; a fragment position counts from the target's
// bottom-left corner, so rows grow upwards and the image needs no flip.
constexpr std::string_view source = R"GLSL(
precision highp float;
precision highp int;

struct Params {
    vec2 resolution;   // render target, pixels
    float time;        // frame index / 30
    float power;       // Mandelbulb exponent
    int resolveRatio;  // side of the square of scene samples one resolved pixel averages
};
uniform Params params;

#ifdef vertexMain
// One oversized triangle covering the whole target: (-1, 1), (3, 1), (-1, -3).
void main() {
    uint v = uint(gl_VertexID);
    vec2 u = vec2(float((v << 1u) & 2u), float(v & 2u));
    gl_Position = vec4(u.x * 2.0 - 1.0, u.y * -2.0 + 1.0, 0.0, 1.0);
}
#endif

#ifdef raymarchFragment
out vec4 fragColor;

const int MaxRaySteps = 192;
const int ShadowSteps = 48;
const int FractalIters = 10;
const float HitEpsilon = 0.0006;

// Distance estimate of the Mandelbulb; trap is the orbit's closest approach to the origin.
float mandelbulb(vec3 p, float power, out float trap) {
    vec3 z = p;
    float dr = 1.0;
    float r = 0.0;
    trap = 1e10;
    for (int i = 0; i < FractalIters; ++i) {
        r = length(z);
        if (r > 2.0) break;
        trap = min(trap, r);
        float theta = acos(clamp(z.z / max(r, 1e-6), -1.0, 1.0));
        float phi = atan(z.y, z.x);
        dr = pow(r, power - 1.0) * power * dr + 1.0;
        float zr = pow(r, power);
        theta *= power;
        phi *= power;
        z = zr * vec3(sin(theta) * cos(phi), sin(phi) * sin(theta), cos(theta)) + p;
    }
    return 0.5 * log(max(r, 1e-6)) * r / dr;
}

float sceneDistance(vec3 p, float power) {
    float trap;
    return mandelbulb(p, power, trap);
}

vec3 surfaceNormal(vec3 p, float power) {
    const float h = 0.0005;
    const vec3 k0 = vec3(1.0, -1.0, -1.0);
    const vec3 k1 = vec3(-1.0, -1.0, 1.0);
    const vec3 k2 = vec3(-1.0, 1.0, -1.0);
    const vec3 k3 = vec3(1.0, 1.0, 1.0);
    return normalize(k0 * sceneDistance(p + k0 * h, power) + k1 * sceneDistance(p + k1 * h, power) +
                     k2 * sceneDistance(p + k2 * h, power) + k3 * sceneDistance(p + k3 * h, power));
}

float softShadow(vec3 origin, vec3 direction, float hardness, float power) {
    float shade = 1.0;
    float t = 0.01;
    for (int i = 0; i < ShadowSteps; ++i) {
        float d = sceneDistance(origin + direction * t, power);
        shade = min(shade, hardness * d / t);
        t += clamp(d, 0.005, 0.25);
        if (shade < 0.001 || t > 4.0) break;
    }
    return clamp(shade, 0.0, 1.0);
}

float ambientOcclusion(vec3 p, vec3 n, float power) {
    float occlusion = 0.0;
    float weight = 1.0;
    for (int i = 1; i <= 6; ++i) {
        float dist = 0.02 * float(i);
        occlusion += (dist - sceneDistance(p + n * dist, power)) * weight;
        weight *= 0.6;
    }
    return clamp(1.0 - 6.0 * occlusion, 0.0, 1.0);
}

// The ray's stretch inside the sphere of radius 1.25 that holds the fractal.
bool enterBoundingSphere(vec3 ro, vec3 rd, out float tNear, out float tFar) {
    float b = dot(ro, rd);
    float c = dot(ro, ro) - 1.25 * 1.25;
    float h = b * b - c;
    if (h < 0.0) return false;
    h = sqrt(h);
    tNear = max(-b - h, 0.0);
    tFar = -b + h;
    return tFar > 0.0;
}

void main() {
    vec2 uv = (gl_FragCoord.xy - 0.5 * params.resolution) / params.resolution.y;

    float orbit = params.time * 0.35;
    vec3 ro = vec3(2.6 * sin(orbit), 0.6 + 0.3 * sin(params.time * 0.21), 2.6 * cos(orbit));
    vec3 forward = normalize(-ro);
    vec3 right = normalize(cross(vec3(0.0, 1.0, 0.0), forward));
    vec3 up = cross(forward, right);
    vec3 rd = normalize(forward * 1.6 + right * uv.x + up * uv.y);

    vec3 background = mix(vec3(0.04, 0.02, 0.03), vec3(0.18, 0.05, 0.09), clamp(uv.y + 0.5, 0.0, 1.0));
    float tNear;
    float tFar;
    if (!enterBoundingSphere(ro, rd, tNear, tFar)) {
        fragColor = vec4(background, 1.0);
        return;
    }

    float t = tNear;
    float trap = 0.0;
    bool hit = false;
    for (int i = 0; i < MaxRaySteps; ++i) {
        float d = mandelbulb(ro + rd * t, params.power, trap);
        if (d < HitEpsilon * t) {
            hit = true;
            break;
        }
        t += 0.9 * d;
        if (t > tFar) break;
    }
    if (!hit) {
        fragColor = vec4(background, 1.0);
        return;
    }

    vec3 p = ro + rd * t;
    vec3 n = surfaceNormal(p, params.power);
    vec3 light = normalize(vec3(0.6, 0.8, -0.4));
    float diffuse = clamp(dot(n, light), 0.0, 1.0);
    float shadow = softShadow(p + n * 0.002, light, 12.0, params.power);
    float ao = ambientOcclusion(p, n, params.power);
    float specular = pow(clamp(dot(n, normalize(light - rd)), 0.0, 1.0), 48.0) * shadow;

    vec3 albedo = mix(vec3(0.84, 0.09, 0.29), vec3(0.0, 0.66, 0.74), clamp(trap * 1.2 - 0.3, 0.0, 1.0));
    vec3 colour = albedo * (0.12 * ao + diffuse * shadow * 1.1) + 0.6 * specular;
    colour = mix(colour, background, clamp((t - 2.0) * 0.15, 0.0, 1.0));
    fragColor = vec4(colour, 1.0);
}
#endif

#ifdef resolveFragment
out vec4 fragColor;
uniform highp sampler2D scene;

// Box filter over resolveRatio² linear scene samples, then gamma encoding.
void main() {
    ivec2 q = ivec2(gl_FragCoord.xy);
    int ratio = params.resolveRatio;
    vec3 sum = vec3(0.0);
    for (int y = 0; y < ratio; ++y)
        for (int x = 0; x < ratio; ++x) sum += texelFetch(scene, q * ratio + ivec2(x, y), 0).rgb;
    vec3 linear = clamp(sum / float(ratio * ratio), 0.0, 1.0);
    fragColor = vec4(pow(linear, vec3(1.0 / 2.2)), 1.0);
}
#endif
)GLSL";

} // namespace

std::string gpuShaderStage(std::string_view entryPoint) {
    return "#version 320 es\n#define " + std::string(entryPoint) + "\n" + std::string(source);
}

} // namespace zantiva
