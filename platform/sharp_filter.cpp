#include "platform/sharp_filter.h"

#include <GLFW/glfw3.h>
#include <GL/glext.h>

#include "platform/gl_functions.h"

namespace kalup::sharp_filter {

namespace {

// Programs are GL 2: looked up at run time.
PFNGLCREATESHADERPROC createShader = nullptr;
PFNGLSHADERSOURCEPROC shaderSource = nullptr;
PFNGLCOMPILESHADERPROC compileShader = nullptr;
PFNGLGETSHADERIVPROC getShaderiv = nullptr;
PFNGLDELETESHADERPROC deleteShader = nullptr;
PFNGLCREATEPROGRAMPROC createProgram = nullptr;
PFNGLATTACHSHADERPROC attachShader = nullptr;
PFNGLLINKPROGRAMPROC linkProgram = nullptr;
PFNGLGETPROGRAMIVPROC getProgramiv = nullptr;
PFNGLDELETEPROGRAMPROC deleteProgram = nullptr;
PFNGLUSEPROGRAMPROC useProgram = nullptr;
PFNGLGETUNIFORMLOCATIONPROC getUniformLocation = nullptr;
PFNGLUNIFORM1IPROC uniform1i = nullptr;
PFNGLUNIFORM2FPROC uniform2f = nullptr;

GLuint program = 0;
GLint sizeLocation = -1;
GLint scaleLocation = -1;

// Within a texel the coordinate rests on its centre; across the last half
// window pixel on either side of an edge it runs on linearly to the next
// centre, so that the window pixel on the edge mixes the two by its share.
constexpr const char* SOURCE = R"(
#version 110
uniform sampler2D screen;
uniform vec2 size;
uniform vec2 scale;
void main()
{
    vec2 texel = gl_TexCoord[0].st * size;
    vec2 fromCentre = fract(texel) - 0.5;
    vec2 plateau = 0.5 - 0.5 / scale;
    vec2 snapped = floor(texel) + 0.5 + (fromCentre - clamp(fromCentre, -plateau, plateau)) * scale;
    gl_FragColor = texture2D(screen, snapped / size);
}
)";

using gl_functions::load;

bool loadFunctions()
{
    return load(createShader, "glCreateShader") && load(shaderSource, "glShaderSource")
        && load(compileShader, "glCompileShader") && load(getShaderiv, "glGetShaderiv")
        && load(deleteShader, "glDeleteShader") && load(createProgram, "glCreateProgram")
        && load(attachShader, "glAttachShader") && load(linkProgram, "glLinkProgram")
        && load(getProgramiv, "glGetProgramiv") && load(deleteProgram, "glDeleteProgram")
        && load(useProgram, "glUseProgram") && load(getUniformLocation, "glGetUniformLocation")
        && load(uniform1i, "glUniform1i") && load(uniform2f, "glUniform2f");
}

} // namespace

bool create()
{
    if (program != 0)
        return true;
    if (!loadFunctions())
        return false;
    const GLuint shader = createShader(GL_FRAGMENT_SHADER);
    shaderSource(shader, 1, &SOURCE, nullptr);
    compileShader(shader);
    GLint compiled = GL_FALSE;
    getShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    program = createProgram();
    attachShader(program, shader);
    linkProgram(program);
    // The program keeps the shader until it is itself deleted.
    deleteShader(shader);
    GLint linked = GL_FALSE;
    getProgramiv(program, GL_LINK_STATUS, &linked);
    if (compiled != GL_TRUE || linked != GL_TRUE) {
        destroy();
        return false;
    }
    sizeLocation = getUniformLocation(program, "size");
    scaleLocation = getUniformLocation(program, "scale");
    useProgram(program);
    uniform1i(getUniformLocation(program, "screen"), 0);
    useProgram(0);
    return true;
}

void use(int textureWidth, int textureHeight, int shownWidth, int shownHeight)
{
    if (program == 0)
        return;
    useProgram(program);
    uniform2f(sizeLocation, static_cast<float>(textureWidth), static_cast<float>(textureHeight));
    uniform2f(scaleLocation, static_cast<float>(shownWidth) / textureWidth,
              static_cast<float>(shownHeight) / textureHeight);
}

void stop()
{
    if (program != 0)
        useProgram(0);
}

void destroy()
{
    if (program != 0)
        deleteProgram(program);
    program = 0;
}

} // namespace kalup::sharp_filter
