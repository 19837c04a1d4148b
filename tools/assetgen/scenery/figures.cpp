#include "scenery/figures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "paint/random.h"

namespace velko::art {

using namespace paint;

namespace {

constexpr float kPi = 3.14159265f;

Path smoothShape(std::span<const Vec2> pts, int perSegment = 6) {
    Path p;
    p.addPolygon(smoothClosed(pts, perSegment));
    return p;
}

// A left-right symmetric outline from its left half, given top to bottom.
std::vector<Vec2> mirrored(std::span<const Vec2> left, float dx = 0) {
    std::vector<Vec2> out(left.begin(), left.end());
    for (auto it = left.rbegin(); it != left.rend(); ++it) {
        out.push_back({-it->x + dx, it->y});
    }
    return out;
}

// A straight piece of a limb without round ends: a sleeve or a trouser hem ends square.
Path segment(Vec2 a, Vec2 b, float wa, float wb) {
    const Vec2 d = b - a;
    const float len = std::hypot(d.x, d.y);
    if (len <= 1e-6f) {
        return {};
    }
    const Vec2 n{-d.y / len, d.x / len};
    const Vec2 q[] = {a + n * (wa * 0.5f), b + n * (wb * 0.5f), b - n * (wb * 0.5f),
                      a - n * (wa * 0.5f)};
    Path p;
    p.addPolygon(q);
    return p;
}

struct Arm {
    Vec2 shoulder, elbow, wrist, hand;
};

// Upper arm and forearm with round joints, a hand that tapers off the wrist, and a short
// sleeve over the top of the upper arm.
Path arm(const Arm& a, float k, bool sleeve) {
    Path p;
    const Vec2 upper[] = {a.shoulder, a.elbow};
    const float wu[] = {0.046f * k, 0.036f * k};
    p.append(strokeTapered(upper, wu));
    const Vec2 fore[] = {a.elbow, a.wrist};
    const float wf[] = {0.035f * k, 0.026f * k};
    p.append(strokeTapered(fore, wf));
    const Vec2 d = a.hand - a.wrist;
    const Vec2 mid = lerp(a.wrist, a.hand, 0.45f);
    p.addEllipse(mid.x, mid.y, std::hypot(d.x, d.y) * 0.62f, 0.017f * k, std::atan2(d.y, d.x));
    if (sleeve) {
        const Vec2 end = lerp(a.shoulder, a.elbow, 0.5f);
        p.append(segment(a.shoulder, end, 0.066f * k, 0.058f * k));
    }
    return p;
}

struct Leg {
    Vec2 hip, knee, ankle;
    float heelLift = 0;  // the back foot of a stride
};

Path leg(const Leg& l, bool trousers) {
    Path p;
    const Vec2 pts[] = {l.hip, l.knee, l.ankle};
    if (trousers) {
        const float w[] = {0.084f, 0.058f, 0.047f};
        p.append(strokeTapered(pts, w));
        // Trousers end square over the shoe.
        p.append(segment(lerp(l.knee, l.ankle, 0.8f), l.ankle + Vec2{0, 0.014f}, 0.049f, 0.048f));
        p.addRoundRect(l.ankle.x - 0.029f, l.ankle.y + 0.004f - l.heelLift, 0.058f, 0.046f, 0.018f);
    } else {
        const float w[] = {0.056f, 0.039f, 0.029f};
        p.append(strokeTapered(pts, w));
        p.addRoundRect(l.ankle.x - 0.021f, l.ankle.y + 0.012f - l.heelLift, 0.042f, 0.034f, 0.014f);
    }
    return p;
}

// Head seen from behind: short hair ruffled at the crown with the ears showing, or long
// hair falling over the shoulders to the middle of the back.
Path head(Vec2 c, bool longHair, float tilt, std::uint64_t seed, float hairEnd) {
    const float rx = 0.054f;
    const float ry = 0.066f;
    // A tilt turns the head about the top of the neck; long hair swings with it.
    const Affine pivot = Affine::translate(-c.x, -(c.y + ry))
                             .then(Affine::rotate(tilt))
                             .then(Affine::translate(c.x, c.y + ry));
    Path p;
    if (!longHair) {
        std::vector<Vec2> pts;
        for (int i = 0; i < 18; ++i) {
            const float a = 2.0f * kPi * static_cast<float>(i) / 18.0f;
            const float up = -std::sin(a);  // 1 at the crown
            float r = 1.0f;
            if (up > -0.3f) {
                r += 0.08f * (hash01(i, 3, seed) - 0.35f) * (0.4f + 0.6f * std::max(0.0f, up));
            }
            const float narrow = std::sin(a) > 0.4f ? 0.84f : 1.0f;  // the nape
            pts.push_back({c.x + std::cos(a) * rx * r * narrow, c.y + std::sin(a) * ry * r});
        }
        p.addPolygon(smoothClosed(pts, 4));
        for (const float side : {-1.0f, 1.0f}) {
            p.addEllipse(c.x + side * rx * 0.93f, c.y + ry * 0.12f, rx * 0.2f, ry * 0.3f,
                         side * 0.2f);
        }
        return p.transformed(pivot);
    }
    // The crown, then down the right side, the ragged ends across the back, up the left.
    std::vector<Vec2> pts{{c.x - rx * 1.02f, c.y - ry * 0.1f},
                          {c.x - rx * 0.7f, c.y - ry * 0.85f},
                          {c.x, c.y - ry * 1.06f},
                          {c.x + rx * 0.72f, c.y - ry * 0.85f},
                          {c.x + rx * 1.04f, c.y - ry * 0.1f},
                          {c.x + rx * 1.06f, c.y + ry * 0.8f},
                          {c.x + 0.07f, c.y + 0.1f},
                          {c.x + 0.082f, (c.y + 0.1f + hairEnd) * 0.5f}};
    const int tips = 7;
    for (int i = 0; i <= tips; ++i) {
        const float u = 1.0f - 2.0f * static_cast<float>(i) / tips;
        const float ragged = (hash01(i, 11, seed) - 0.5f) * 0.022f;
        pts.push_back({c.x + u * 0.072f, hairEnd + ragged - 0.014f * u * u});
    }
    pts.push_back({c.x - 0.082f, (c.y + 0.1f + hairEnd) * 0.5f});
    pts.push_back({c.x - 0.07f, c.y + 0.1f});
    pts.push_back({c.x - rx * 1.06f, c.y + ry * 0.8f});
    p.addPolygon(smoothClosed(pts, 5));
    return p.transformed(pivot);
}

struct Body {
    Path shape;
    Vec2 rightHand;
};

Body standingBody(const Figure& f, std::uint64_t seed) {
    const bool girl = f.skirt;
    const float sh = girl ? 0.1f : 0.118f;
    const float waist = girl ? 0.066f : 0.082f;
    const float hip = girl ? 0.078f : 0.09f;
    const float lean = f.facing * 0.018f;
    Path p;

    // Torso, shoulders sloping from the neck.
    const Vec2 half[] = {{-0.026f, -0.868f}, {-0.062f, -0.847f},    {-sh * 0.9f, -0.83f},
                         {-sh, -0.806f},     {-sh * 0.97f, -0.77f}, {-sh * 0.86f, -0.70f},
                         {-waist, -0.60f},   {-hip, -0.535f},       {-hip * 1.02f, -0.49f},
                         {-0.03f, -0.483f}};
    p.append(smoothShape(mirrored(half)));
    p.addRect(-0.021f + lean * 0.5f, -0.9f, 0.042f, 0.06f);

    // Arms by pose; index 0 is the left arm.
    const float k = girl ? 0.86f : 1.0f;
    Arm arms[2];
    for (int i = 0; i < 2; ++i) {
        const float side = i == 0 ? -1.0f : 1.0f;
        arms[i] = {{side * (sh - 0.016f), -0.8f},
                   {side * (sh + 0.02f), -0.655f},
                   {side * (sh + 0.014f), -0.525f},
                   {side * (sh + 0.01f), -0.462f}};
    }
    Leg legs[2];
    for (int i = 0; i < 2; ++i) {
        const float side = i == 0 ? -1.0f : 1.0f;
        const float lx = girl ? 0.036f : 0.046f;
        legs[i] = {{side * lx, -0.5f}, {side * (lx + 0.004f), -0.275f}, {side * lx, -0.05f}};
    }
    float hemShift = 0;
    switch (f.pose) {
        case Pose::Walking:
            arms[0].elbow = {-(sh + 0.032f), -0.66f};
            arms[0].wrist = {-(sh + 0.05f), -0.535f};
            arms[0].hand = {-(sh + 0.056f), -0.475f};
            arms[1].elbow = {sh + 0.004f, -0.66f};
            arms[1].wrist = {sh - 0.024f, -0.545f};
            arms[1].hand = {sh - 0.034f, -0.49f};
            legs[0].knee.x -= 0.012f;
            legs[0].ankle.x -= 0.026f;
            legs[1].knee = {legs[1].knee.x - 0.008f, -0.29f};
            legs[1].ankle = {legs[1].ankle.x - 0.012f, -0.1f};
            legs[1].heelLift = 0.03f;
            hemShift = 0.012f;
            break;
        case Pose::Working:
            arms[0].elbow = {-(sh + 0.06f), -0.93f};
            arms[0].wrist = {-(sh + 0.03f), -1.07f};
            arms[0].hand = {-(sh + 0.022f), -1.13f};
            arms[1].elbow = {sh + 0.075f, -0.9f};
            arms[1].wrist = {sh + 0.1f, -1.04f};
            arms[1].hand = {sh + 0.106f, -1.1f};
            legs[0].ankle.x -= 0.024f;
            legs[1].ankle.x += 0.024f;
            break;
        case Pose::Leaning:
            // The hand rests on something at hip height; the weight on the left leg.
            arms[1].elbow = {sh + 0.05f, -0.63f};
            arms[1].wrist = {0.2f, -0.49f};
            arms[1].hand = {0.232f, -0.45f};
            legs[0].ankle.x -= 0.03f;
            legs[1].knee = {0.035f, -0.28f};
            legs[1].ankle = {0.07f, -0.06f};
            legs[1].heelLift = 0.012f;
            break;
        case Pose::Umbrella:
            arms[1].elbow = {sh + 0.024f, -0.66f};
            arms[1].wrist = {0.08f, -0.70f};
            arms[1].hand = {0.1f, -0.72f};
            break;
        case Pose::Hauling:
            arms[0].elbow = {-(sh + 0.05f), -0.7f};
            arms[0].wrist = {-(sh + 0.15f), -0.735f};
            arms[0].hand = {-(sh + 0.2f), -0.745f};
            arms[1].elbow = {-0.01f, -0.67f};
            arms[1].wrist = {-(sh + 0.1f), -0.7f};
            arms[1].hand = {-(sh + 0.15f), -0.71f};
            legs[0].knee = {-0.1f, -0.27f};
            legs[0].ankle = {-0.17f, -0.05f};
            legs[1].ankle.x += 0.01f;
            hemShift = 0.03f;
            break;
        default:
            break;
    }
    if (f.facing != 0) {
        // Turned a little: the far arm hides behind the body.
        const int far = f.facing < 0 ? 1 : 0;
        if (f.pose == Pose::Standing) {
            arms[far].elbow.x *= 0.94f;
            arms[far].wrist.x *= 0.9f;
            arms[far].hand.x *= 0.88f;
        }
    }
    for (const Leg& l : legs) {
        p.append(leg(l, !girl));
    }
    if (!girl) {
        // The seat of the trousers joins the legs.
        const Vec2 crotch[] = {
            {-0.09f, -0.53f}, {0.09f, -0.53f}, {0.03f, -0.44f}, {-0.03f, -0.44f}};
        p.addPolygon(crotch);
    } else {
        const Vec2 skirt[] = {{-0.068f, -0.62f},
                              {0.068f, -0.62f},
                              {0.095f, -0.53f},
                              {0.122f, -0.43f},
                              {0.138f + hemShift, -0.35f},
                              {0.1f + hemShift, -0.335f},
                              {0.05f + hemShift, -0.343f},
                              {hemShift, -0.331f},
                              {-0.05f + hemShift, -0.342f},
                              {-0.1f + hemShift, -0.333f},
                              {-0.138f + hemShift, -0.35f},
                              {-0.122f, -0.43f},
                              {-0.095f, -0.53f}};
        p.append(smoothShape(skirt));
    }
    for (const Arm& a : arms) {
        p.append(arm(a, k, true));
    }
    const float tilt = f.facing * 0.06f;
    p.append(head({lean, -0.932f}, f.longHair, tilt, seed, -0.69f));
    if (f.bag) {
        const Vec2 strap[] = {{-0.062f, -0.845f}, {0.04f, -0.7f}, {0.13f, -0.575f}};
        p.append(strokePolyline(strap, 0.018f));
        Path bag;
        bag.addRoundRect(-0.1f, -0.055f, 0.2f, 0.11f, 0.045f);
        p.append(bag.transformed(Affine::rotate(0.12f).then(Affine::translate(0.17f, -0.53f))));
    }
    return {p, arms[f.pose == Pose::Hauling ? 0 : 1].hand};
}

Body sittingBody(const Figure& f, std::uint64_t seed) {
    const bool girl = f.skirt;
    const float sh = girl ? 0.098f : 0.12f;
    const float lean = f.facing * 0.02f;
    Path p;
    const Vec2 half[] = {{-0.026f, -0.535f}, {-0.066f, -0.517f},    {-sh * 0.92f, -0.5f},
                         {-sh, -0.47f},      {-sh * 0.97f, -0.42f}, {-sh * 0.86f, -0.33f},
                         {-0.088f, -0.22f},  {-0.106f, -0.1f},      {-0.128f, -0.025f},
                         {-0.12f, 0.0f}};
    p.append(smoothShape(mirrored(half)));
    p.addRect(-0.02f + lean * 0.5f, -0.57f, 0.04f, 0.06f);
    const float k = girl ? 0.86f : 1.0f;
    Vec2 hand;
    for (const float side : {-1.0f, 1.0f}) {
        // Arms go forward round the knees: from behind only the upper arms and elbows show.
        const Arm a{{side * (sh - 0.014f), -0.47f},
                    {side * (sh + 0.012f), -0.33f},
                    {side * (sh - 0.03f), -0.27f},
                    {side * (sh - 0.05f), -0.26f}};
        p.append(arm(a, k, true));
        hand = a.hand;
    }
    const float tilt = f.facing * 0.12f;
    p.append(head({lean, -0.598f}, f.longHair, tilt, seed, -0.36f));
    return {p, hand};
}

Affine placement(const Figure& f) {
    Affine t = Affine::scale(f.height, f.height);
    if (f.pose == Pose::Leaning) {
        t = Affine::rotate(0.07f).then(t);
    } else if (f.pose == Pose::Hauling) {
        t = Affine::rotate(0.14f).then(t);
    }
    return t.then(Affine::translate(f.feet.x, f.feet.y));
}

std::uint64_t figureSeed(const Figure& f) {
    const auto x = static_cast<std::int64_t>(f.feet.x * 16.0f);
    const auto y = static_cast<std::int64_t>(f.feet.y * 16.0f);
    return mix64(static_cast<std::uint64_t>(x) * 7919u + static_cast<std::uint64_t>(y));
}

Body body(const Figure& f) {
    return f.pose == Pose::Sitting ? sittingBody(f, figureSeed(f)) : standingBody(f, figureSeed(f));
}

// Every piece of a body is solid: all contours wound the same way, so overlapping pieces
// unite under the non-zero rule instead of cutting holes.
Path solid(const Path& p) {
    Path out;
    for (const auto& contour : p.contours()) {
        if (contour.size() < 3) {
            continue;
        }
        float area = 0;
        for (std::size_t i = 0, j = contour.size() - 1; i < contour.size(); j = i++) {
            area += contour[j].x * contour[i].y - contour[i].x * contour[j].y;
        }
        std::vector<Vec2> pts(contour.begin(), contour.end());
        if (area < 0) {
            std::reverse(pts.begin(), pts.end());
        }
        out.addPolygon(pts);
    }
    return out;
}

// Coverage of `m` sampled at a sub-pixel offset, bilinear.
float sampleMask(const Mask& m, float x, float y) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = x - fx;
    const float ty = y - fy;
    const float a = m.at(ix, iy) + (m.at(ix + 1, iy) - m.at(ix, iy)) * tx;
    const float b = m.at(ix, iy + 1) + (m.at(ix + 1, iy + 1) - m.at(ix, iy + 1)) * tx;
    return a + (b - a) * ty;
}

}  // namespace

Path person(const Figure& f) {
    return solid(body(f).shape.transformed(placement(f)));
}

Vec2 personHand(const Figure& f) {
    return placement(f).apply(body(f).rightHand);
}

void paintLitShape(Canvas& c, const Path& shape, const FigureLight& l) {
    const Mask m = rasterize(shape, c.box());
    if (m.empty()) {
        return;
    }
    const Box b = m.box();
    const float len = std::max(1e-6f, std::hypot(l.towards.x, l.towards.y));
    const Vec2 d{l.towards.x / len, l.towards.y / len};
    const float cx = static_cast<float>(b.x) + static_cast<float>(b.w) * 0.5f;
    const float cy = static_cast<float>(b.y) + static_cast<float>(b.h) * 0.5f;
    const float hx = std::max(1.0f, static_cast<float>(b.w) * 0.5f);
    const float hy = std::max(1.0f, static_cast<float>(b.h) * 0.5f);
    c.fill(m, Shader([&](float x, float y) {
               const float t = clamp01(0.5f + 0.5f * ((x - cx) / hx * d.x + (y - cy) / hy * d.y));
               return mix(l.body, l.rim, l.lift * t * t);
           }));
    if (l.rimWidth > 0) {
        paintRim(c, m, l.towards, l.rimWidth, l.rim, l.rimStrength);
    }
}

void paintRim(Canvas& c, const Mask& m, Vec2 towards, float width, Rgb color, float strength) {
    // The rim: where a step towards the light leaves the shape.
    const Box b = m.box();
    const float len = std::max(1e-6f, std::hypot(towards.x, towards.y));
    const Vec2 d{towards.x / len, towards.y / len};
    Mask rim(b);
    for (int y = 0; y < b.h; ++y) {
        for (int x = 0; x < b.w; ++x) {
            const float px = static_cast<float>(b.x + x);
            const float py = static_cast<float>(b.y + y);
            const float outside = 1.0f - sampleMask(m, px + d.x * width, py + d.y * width);
            rim.local(x, y) = m.local(x, y) * clamp01(outside);
        }
    }
    c.fill(rim, color, strength);
}

void paintFigure(Canvas& c, const Figure& f, const FigureLight& l) {
    paintLitShape(c, person(f), l);
}

Path umbrellaCanopy(Vec2 top, float r, float tilt) {
    std::vector<Vec2> pts;
    const int n = 40;
    for (int i = 0; i <= n; ++i) {
        const float a = 3.14159f + 3.14159f * static_cast<float>(i) / n;
        pts.push_back({std::cos(a) * r, std::sin(a) * r * 0.42f});
    }
    // Scalloped rim between the ribs.
    for (int i = 12; i >= 0; --i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / 12;
        const float dip = (i % 2 == 0) ? 0.0f : r * 0.05f;
        pts.push_back({u * r, r * 0.02f + dip});
    }
    Path p;
    p.addPolygon(pts);
    return p.transformed(Affine::rotate(tilt).then(Affine::translate(top.x, top.y)));
}

Path umbrellaRibs(Vec2 top, float r, float tilt, float sc) {
    Path p;
    for (int i = 0; i <= 6; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / 6;
        const Vec2 a[] = {{0, -r * 0.42f}, {u * r, r * 0.02f}};
        p.append(strokePolyline(a, 0.8f * sc));
    }
    const Vec2 shaft[] = {{0, -r * 0.48f}, {0, r * 1.3f}};
    p.append(strokePolyline(shaft, 1.4f * sc));
    return p.transformed(Affine::rotate(tilt).then(Affine::translate(top.x, top.y)));
}

Path bicycle(Vec2 g, float wr, bool facingRight) {
    Path p;
    const float s = facingRight ? 1.0f : -1.0f;
    const Vec2 back{g.x - s * wr * 1.25f, g.y - wr};
    const Vec2 front{g.x + s * wr * 1.25f, g.y - wr};
    for (const Vec2 c : {back, front}) {
        std::vector<Vec2> ring;
        for (int i = 0; i <= 48; ++i) {
            const float a = 6.2832f * static_cast<float>(i) / 48;
            ring.push_back({c.x + std::cos(a) * wr, c.y + std::sin(a) * wr});
        }
        p.append(strokePolyline(ring, wr * 0.09f));
    }
    const Vec2 crank{g.x - s * wr * 0.15f, g.y - wr * 0.95f};
    const Vec2 seat{g.x - s * wr * 0.45f, g.y - wr * 2.15f};
    const Vec2 head{g.x + s * wr * 0.95f, g.y - wr * 2.2f};
    const float t = wr * 0.08f;
    const Vec2 frame[] = {back, crank, head, front};
    p.append(strokePolyline(frame, t));
    const Vec2 frame2[] = {back, seat, crank};
    p.append(strokePolyline(frame2, t));
    const Vec2 top[] = {seat, head};
    p.append(strokePolyline(top, t));
    const Vec2 bars[] = {head,
                         {head.x - s * wr * 0.1f, head.y - wr * 0.35f},
                         {head.x - s * wr * 0.45f, head.y - wr * 0.4f}};
    p.append(strokePolyline(bars, t));
    p.addRoundRect(seat.x - wr * 0.3f, seat.y - wr * 0.15f, wr * 0.55f, wr * 0.14f, wr * 0.05f);
    const Vec2 basket[] = {{front.x - s * wr * 0.1f, head.y - wr * 0.05f}};
    p.addRoundRect(basket[0].x - wr * 0.35f + s * wr * 0.2f, basket[0].y, wr * 0.6f, wr * 0.45f,
                   wr * 0.05f);
    return p;
}

Path cat(Vec2 g, float size, bool sitting) {
    Path p;
    if (sitting) {
        p.addEllipse(g.x, g.y - size * 0.35f, size * 0.26f, size * 0.36f);
        p.addCircle(g.x + size * 0.05f, g.y - size * 0.8f, size * 0.17f);
        const Vec2 e1[] = {{g.x - size * 0.1f, g.y - size * 0.9f},
                           {g.x - size * 0.08f, g.y - size * 1.07f},
                           {g.x + size * 0.02f, g.y - size * 0.95f}};
        const Vec2 e2[] = {{g.x + size * 0.07f, g.y - size * 0.95f},
                           {g.x + size * 0.18f, g.y - size * 1.07f},
                           {g.x + size * 0.2f, g.y - size * 0.88f}};
        p.addPolygon(e1);
        p.addPolygon(e2);
        const auto tail =
            sampleQuad({g.x - size * 0.15f, g.y - size * 0.05f}, {g.x - size * 0.55f, g.y},
                       {g.x - size * 0.45f, g.y - size * 0.3f}, 12);
        p.append(strokePolyline(tail, size * 0.08f));
    } else {
        p.addEllipse(g.x, g.y - size * 0.3f, size * 0.4f, size * 0.17f);
        p.addCircle(g.x + size * 0.42f, g.y - size * 0.42f, size * 0.14f);
        for (const float lx : {-0.3f, -0.2f, 0.2f, 0.3f}) {
            p.addRect(g.x + size * lx - size * 0.03f, g.y - size * 0.25f, size * 0.06f,
                      size * 0.25f);
        }
    }
    return p;
}

}  // namespace velko::art
