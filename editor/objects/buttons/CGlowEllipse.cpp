#include "editor/objects/buttons/CGlowEllipse.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/PixelArithmetic.h"

namespace {

// Sub-samples per pixel side for the rim's coverage.
constexpr int kSamples = 4;

bool inside(const CGlowEllipse::Ellipse& e, double x, double y)
{
    const double dx = (x - (e.x + e.width / 2)) / (e.width / 2);
    const double dy = (y - (e.y + e.height / 2)) / (e.height / 2);
    return dx * dx + dy * dy <= 1.0;
}

} // namespace

CGlowEllipse::Stops CGlowEllipse::StopsFor(int32_t transparency)
{
    const int32_t a = 255 - std::clamp(transparency, 0, 255);
    return {uint8_t(a >> 4), uint8_t((a * 176) >> 8), uint8_t(a)};
}

double CGlowEllipse::AlphaAt(const Ellipse& e, double centreX, double centreY, Stops stops, double x, double y)
{
    // The point lies on the rim scaled about the centre by s; the blend position is 1 - s.
    const double a = e.width / 2, b = e.height / 2;
    const double qx = (centreX - (e.x + a)) / a, qy = (centreY - (e.y + b)) / b;
    const double dx = (x - centreX) / a, dy = (y - centreY) / b;
    const double dd = dx * dx + dy * dy;
    double position = 1.0;
    if (dd > 0) {
        const double qd = qx * dx + qy * dy;
        const double qq = qx * qx + qy * qy;
        const double root = std::sqrt(std::max(qd * qd - dd * (qq - 1.0), 0.0));
        const double u = (-qd + root) / dd;   // the rim point is centre + u × (point - centre)
        position = u > 0 ? std::clamp(1.0 - 1.0 / u, 0.0, 1.0) : 0.0;
    }
    if (position < 0.5)
        return stops.rim + (stops.middle - stops.rim) * (position / 0.5);
    return stops.middle + (stops.centre - stops.middle) * ((position - 0.5) / 0.5);
}

void CGlowEllipse::Fill(const gfx::PixelBuffer& target, const Ellipse& e, double centreX, double centreY,
                        uint32_t colorRef, Stops stops)
{
    if (!target.isValid() || !(e.width > 0) || !(e.height > 0))
        return;
    const gfx::Rect box{int32_t(std::floor(e.x)), int32_t(std::floor(e.y)), int32_t(std::ceil(e.x + e.width)) + 1,
                        int32_t(std::ceil(e.y + e.height)) + 1};
    const gfx::Rect area = box.intersected({0, 0, target.width, target.height});
    if (area.isEmpty())
        return;
    const uint32_t rgb = gfx::Colour::fromColorRef(colorRef & 0xFFFFFF).argb & 0xFFFFFF;
    constexpr double kStep = 1.0 / kSamples;
    for (int32_t py = area.top; py < area.bottom; ++py) {
        uint32_t* row = target.row(py);
        for (int32_t px = area.left; px < area.right; ++px) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    covered += inside(e, px - 0.5 + (sx + 0.5) * kStep, py - 0.5 + (sy + 0.5) * kStep) ? 1 : 0;
            if (covered == 0)
                continue;
            const double alpha = AlphaAt(e, centreX, centreY, stops, px, py) * covered / (kSamples * kSamples);
            const uint32_t a = uint32_t(std::lround(std::clamp(alpha, 0.0, 255.0)));
            if (a == 0)
                continue;
            row[px] = gfx::blendOver(gfx::premultiplyArgb(a << 24 | rgb), row[px]);
        }
    }
}
