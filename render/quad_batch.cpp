#include "render/quad_batch.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>

namespace kalup::draw {

TextureRect sheetFrame(int frame)
{
    const float column = static_cast<float>(frame % 4);
    const float row = static_cast<float>(frame / 4);
    return {64.0f * column / 256.0f, 64.0f * row / 256.0f, (64.0f * column + 64.0f) / 256.0f,
        (64.0f * row + 64.0f) / 256.0f};
}

void QuadBatch::add(textures::Texture texture, float x, float y, float halfW, float halfH, float angle,
    TextureRect rect, QuadColour colour)
{
    if (runs.empty() || runs.back().texture != texture)
        runs.push_back({texture, vertices.size()});
    // The rotation as glRotatef makes it about the z axis.
    const double radians = angle * std::numbers::pi / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    const float cornerX[4] = {-halfW, halfW, halfW, -halfW};
    const float cornerY[4] = {-halfH, -halfH, halfH, halfH};
    const float cornerS[4] = {rect.s0, rect.s1, rect.s1, rect.s0};
    const float cornerT[4] = {rect.t0, rect.t0, rect.t1, rect.t1};
    for (int corner = 0; corner < 4; ++corner) {
        const float cx = cornerX[corner];
        const float cy = cornerY[corner];
        vertices.push_back({cornerS[corner], cornerT[corner], colour.r, colour.g, colour.b, colour.a,
            x + c * cx - s * cy, y + s * cx + c * cy});
    }
}

void QuadBatch::draw()
{
    if (vertices.empty())
        return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    constexpr GLsizei stride = sizeof(Vertex);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, &vertices[0].s);
    glColorPointer(4, GL_FLOAT, stride, &vertices[0].r);
    glVertexPointer(2, GL_FLOAT, stride, &vertices[0].x);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::size_t end = i + 1 < runs.size() ? runs[i + 1].first : vertices.size();
        glBindTexture(GL_TEXTURE_2D, runs[i].texture);
        glDrawArrays(GL_QUADS, static_cast<GLint>(runs[i].first), static_cast<GLsizei>(end - runs[i].first));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    const Vertex& last = vertices.back();
    glColor4f(last.r, last.g, last.b, last.a);
    vertices.clear();
    runs.clear();
}

} // namespace kalup::draw
